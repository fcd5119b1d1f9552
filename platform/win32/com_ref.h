// The window layer's name for the tree's one COM reference owner.
#pragma once

#include "platform/com_ref.h"

namespace nuv::win32 {

using nuv::ComRef;

}  // namespace nuv::win32
