# Cross toolchain: 32-bit Windows through mingw-w64 (posix threads), tests run
# under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(NUV_MINGW_TARGET i686-w64-mingw32)
set(NUV_WINE_RUNNER wine-run)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
# The exports of the module-definition file name stdcall functions undecorated.
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,--enable-stdcall-fixup")
