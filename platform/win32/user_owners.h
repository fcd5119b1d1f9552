// Owners of USER objects a control makes for itself: a window it created
// (DestroyWindow) and a menu (DestroyMenu). Each handle has exactly one owner,
// which frees it when it ends or takes another. Window thread.
#pragma once

#include "platform/com.h"
#include "platform/unique_any.h"

namespace nuv::win32 {

using WindowOwner = UniqueAny<HWND, &DestroyWindow>;
using MenuOwner = UniqueAny<HMENU, &DestroyMenu>;

}  // namespace nuv::win32
