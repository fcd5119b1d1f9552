# What both mingw-w64 cross toolchains share (posix threads, tests run under
# Wine), included by mingw-i686.cmake and mingw-x86_64.cmake after they set
# CMAKE_SYSTEM_PROCESSOR, NUV_MINGW_TARGET (the compilers' target prefix) and
# NUV_WINE_RUNNER (the script that runs a program of that width under Wine).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${NUV_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NUV_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${NUV_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NUV_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Self-contained executables and DLLs: nothing but system DLLs imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/${NUV_WINE_RUNNER})
