// Where a note number sits on the page's key range slider, which runs from 0.0
// (key 0) to 1.0 (key 127), and which key a position stands for. Any thread.
#pragma once

#include <cstdint>

namespace nuv::shiftwell {

// A stored key as the page shows it: brought within 0..127 (a stream may hold
// any number).
std::int32_t ShownKey(std::int32_t key);

// The position of `key` (shown as ShownKey): key / 127.
float KeyPosition(std::int32_t key);

// The key at `position`, within 0..127: the nearest one, so that every key
// comes back from its own position. (A float key / 127 times 127 lands a
// hair below the key for many keys; truncating that would give the key
// below.) A position that is not a number gives key 0.
std::int32_t KeyAtPosition(float position);

}  // namespace nuv::shiftwell
