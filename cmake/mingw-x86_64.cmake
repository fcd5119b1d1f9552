# Cross toolchain: 64-bit Windows through mingw-w64 (posix threads), tests run
# under 64-bit Wine in a prefix of their own. SSE2 is the x86-64 baseline, so
# single and double results match the other builds with no further flags.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NUV_MINGW_TARGET x86_64-w64-mingw32)
set(NUV_WINE_RUNNER wine64-run)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
