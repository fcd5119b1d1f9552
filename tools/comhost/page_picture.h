// The editor page of a hosted effect, shown as the host shows it and kept as
// a picture: the page class the effect names (ISpecifyPropertyPages), made
// by the same DLL, linked to the effect and activated in a frame window of
// its own size, then copied from the screen into a PNG file.
#pragma once

#include <string>

#include "tools/comhost/dll_library.h"

namespace nuv::comhost {

// Main thread, COM initialised. Shows the page of `effect` (made by
// `library`) for about a third of a second and writes its client area to
// `pngPath`. Empty on success, else what failed.
std::string SavePagePicture(const Library& library, IUnknown* effect, const std::wstring& pngPath);

}  // namespace nuv::comhost
