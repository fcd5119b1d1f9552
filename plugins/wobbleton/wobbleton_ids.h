// Class identifiers and stream facts of the NuvWobbleton deliverable.
#pragma once

#include "framework/effect_shell.h"

namespace nuv::wobbleton {

// {D029B552-195C-4090-B38C-66E7517AF394}
inline constexpr CLSID CLSID_NuvWobbleton = {0xD029B552, 0x195C, 0x4090, {0xB3, 0x8C, 0x66, 0xE7, 0x51, 0x7A, 0xF3, 0x94}};
// {5CA472DE-37C8-4219-96E6-C8ED177ACA80}
inline constexpr CLSID CLSID_NuvWobbletonPage = {0x5CA472DE, 0x37C8, 0x4219, {0x96, 0xE6, 0xC8, 0xED, 0x17, 0x7A, 0xCA, 0x80}};

inline constexpr wchar_t kDeliverableName[] = L"NuvWobbleton";
inline constexpr std::uint32_t kStreamVersion = 2;
inline constexpr std::uint32_t kStreamSize = 20;

// Connect fails without the host's pulse service.
inline constexpr EffectIdentity kIdentity = {CLSID_NuvWobbleton, CLSID_NuvWobbletonPage, kStreamVersion,
                                             kStreamSize, true};

}  // namespace nuv::wobbleton
