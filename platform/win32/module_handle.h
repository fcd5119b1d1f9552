// Owner of one loaded library: FreeLibrary when the owner ends. The thread
// that loaded it.
#pragma once

#include "platform/com.h"
#include "platform/unique_any.h"

namespace nuv::win32 {

using ModuleHandle = UniqueAny<HMODULE, &FreeLibrary>;

}  // namespace nuv::win32
