// The piano roll as a picture: the bundled example's SVG converted by
// rsvg-convert (and to a plain pixel map by ImageMagick) shows colour where
// the song has notes and none where a key is silent. Native only: it runs
// both converters.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "tests/nuvfx/run_nuvfx.h"
#include "tests/nuvfx/song_files.h"
#include "tools/nuvfx/roll_layout.h"
#include "tools/nuvfx/roll_notes.h"

namespace nuv::testing {
namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;

    // How far a pixel is from grey: 0 for white, greys and black.
    int Colourfulness(double x, double y) const {
        const std::size_t at = (static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)) * 3;
        const int r = rgb[at], g = rgb[at + 1], b = rgb[at + 2];
        return std::max({r, g, b}) - std::min({r, g, b});
    }
};

// A binary PPM (P6, maxval 255) as ImageMagick writes it.
Picture ReadPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    Picture p;
    in >> magic >> p.width >> p.height >> maxval;
    in.get();
    EXPECT_EQ(magic, "P6");
    EXPECT_EQ(maxval, 255);
    p.rgb.resize(static_cast<std::size_t>(p.width) * p.height * 3);
    in.read(reinterpret_cast<char*>(p.rgb.data()), static_cast<std::streamsize>(p.rgb.size()));
    EXPECT_TRUE(in) << "a whole picture";
    return p;
}

bool Sounds(const std::vector<nuvfx::RollNote>& notes, int key, std::uint32_t tick) {
    for (const nuvfx::RollNote& n : notes)
        if (n.key == key && n.start <= tick + 60 && n.end + 60 >= tick) return true;
    return false;
}

TEST(RollPicture, TheExampleShowsItsNotesWhereTheSongHasThem) {
    ScratchFolder dir("roll-picture");
    const std::string svg = dir / "example.svg", png = dir / "example.png", ppm = dir / "example.ppm";
    ASSERT_EQ(Nuvfx({"roll", NUV_EXAMPLE_SONG, "-o", svg}).status, 0);
    ASSERT_EQ(std::system(("rsvg-convert -o '" + png + "' '" + svg + "'").c_str()), 0) << "rsvg-convert reads it";
    ASSERT_EQ(std::system(("convert '" + png + "' -alpha remove -depth 8 '" + ppm + "'").c_str()), 0);
    const Picture picture = ReadPpm(ppm);

    const smf::File song = smf::ReadSmf(FileBytes(NUV_EXAMPLE_SONG));
    const nuvfx::RollSong roll = nuvfx::CollectRoll(song);
    const nuvfx::RollLayout layout({&song}, {&roll});
    ASSERT_EQ(picture.width, static_cast<int>(std::lround(layout.Width())));
    ASSERT_EQ(picture.height, static_cast<int>(std::lround(layout.Height())));
    ASSERT_GE(roll.notes.size(), 90u);

    // The middle of every ninth note is coloured.
    for (std::size_t i = 0; i < roll.notes.size(); i += 9) {
        const nuvfx::RollNote& n = roll.notes[i];
        const double x = (layout.X(0, n.start) + layout.X(0, n.end)) / 2;
        const double y = layout.KeyTop(0, n.key) + layout.KeyHeight() / 2;
        EXPECT_GT(picture.Colourfulness(x, y), 40) << "note " << i << " key " << +n.key << " at " << x << "," << y;
    }
    // Silent keys in the middle of the song are not.
    int silent = 0;
    for (std::uint32_t tick = 240; tick < roll.endTick; tick += 1920) {
        for (int key = layout.LowKey(); key <= layout.HighKey(); key += 5) {
            if (Sounds(roll.notes, key, tick)) continue;
            ++silent;
            EXPECT_LT(picture.Colourfulness(layout.X(0, tick), layout.KeyTop(0, key) + layout.KeyHeight() / 2), 20)
                << "key " << key << " at tick " << tick;
        }
    }
    EXPECT_GT(silent, 20);
}

}  // namespace
}  // namespace nuv::testing
