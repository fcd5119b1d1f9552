// nuvfx: applies any of the six effects to Standard MIDI Files.
#include <iostream>

#include "tools/nuvfx/nuvfx_command.h"
#include "tools/nuvfx/terminal.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    nuv::nuvfx::Console console;
    console.progressBar = nuv::nuvfx::StandardErrorIsTerminal();
    console.reportsBesideProgress = console.progressBar && nuv::nuvfx::StandardOutputIsTerminal();
    return nuv::nuvfx::RunNuvfx(std::move(args), std::cout, std::cerr, console);
}
