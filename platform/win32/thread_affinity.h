// The thread an object belongs to: the one that made it. In debug builds a
// method that must run there checks it and stops the program when it does
// not; release builds check nothing.
#pragma once

#include <cassert>

#include "platform/com.h"

namespace nuv::win32 {

class ThreadAffinity {
public:
    ThreadAffinity() : owner_(GetCurrentThreadId()) {}

    // [any thread] Debug builds: asserts that the caller is the owner.
    void Check() const { assert(GetCurrentThreadId() == owner_ && "called off the object's own thread"); }

private:
    DWORD owner_;
};

}  // namespace nuv::win32
