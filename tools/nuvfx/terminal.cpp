#include "tools/nuvfx/terminal.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace nuv::nuvfx {

namespace {

bool IsTerminal(std::FILE* stream) {
#if defined(_WIN32)
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

}  // namespace

bool StandardOutputIsTerminal() { return IsTerminal(stdout); }

bool StandardErrorIsTerminal() { return IsTerminal(stderr); }

}  // namespace nuv::nuvfx
