// nuvfx: applies any of the six effects to Standard MIDI Files.
#include <iostream>

#include "tools/nuvfx/nuvfx_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return nuv::nuvfx::RunNuvfx(std::move(args), std::cout, std::cerr);
}
