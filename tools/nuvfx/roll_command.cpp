#include "tools/nuvfx/roll_command.h"

#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/piano_roll.h"
#include "tools/nuvfx/song_reading.h"

namespace nuv::nuvfx {
namespace {

SongRead ReadWithWarnings(const std::string& path, bool strict, std::ostream& err) {
    SongRead read = ReadSongFile(path, strict);
    for (const std::string& w : read.warnings) err << "nuvfx: warning: " << path << ": " << w << "\n";
    return read;
}

}  // namespace

int RunRoll(const RollArguments& a, std::ostream& out, std::ostream& err) {
    if (a.files.empty() || a.files.size() > 2) throw ToolError("roll takes one song, or two to compare");
    if (a.picture.empty()) throw ToolError("roll needs -o FILE.svg");
    const SongRead first = ReadWithWarnings(a.files[0], a.strict, err);
    std::string svg;
    if (a.files.size() == 1) {
        svg = SongRollSvg(first.file, FileNameOf(a.files[0]));
        WriteFileSafely(a.picture, svg);
        out << "roll: " << a.files[0] << " -> " << a.picture << "\n";
        return 0;
    }
    const SongRead second = ReadWithWarnings(a.files[1], a.strict, err);
    ChangeCounts c;
    svg = ComparisonRollSvg(first.file, FileNameOf(a.files[0]), second.file, FileNameOf(a.files[1]), &c);
    WriteFileSafely(a.picture, svg);
    out << "roll: " << a.files[0] << " and " << a.files[1] << " -> " << a.picture << "\n"
        << "  notes: " << c.unchanged << " unchanged, " << c.moved << " moved, " << c.transposed << " transposed, "
        << c.velocityChanged << " velocities changed, " << c.dropped << " dropped, " << c.added << " added\n";
    return 0;
}

}  // namespace nuv::nuvfx
