// Whether the standard streams are a terminal, where a progress bar can
// redraw itself; a file or a pipe gets none.
#pragma once

namespace nuv::nuvfx {

// Any thread.
bool StandardOutputIsTerminal();
bool StandardErrorIsTerminal();

}  // namespace nuv::nuvfx
