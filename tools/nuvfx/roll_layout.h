// Where a piano roll puts things. Time runs across in seconds, each panel
// after its own song's tempo map, so bars widen where the tempo slows; keys
// run up, one row per key over whole octaves around the notes of every panel;
// under each panel's keys lies its lane of controllers, pressures and the
// wheel. One panel for a song, two (before above after) for a comparison.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/smf/smf_file.h"
#include "tools/smf/tempo_map.h"

namespace nuv::nuvfx {

struct RollSong;

class RollLayout {
public:
    // One song and its roll per panel.
    RollLayout(const std::vector<const smf::File*>& songs, const std::vector<const RollSong*>& rolls);

    std::size_t Panels() const { return tempo_.size(); }
    double Width() const { return width_; }
    double Height() const { return height_; }

    // The x of a tick in a panel's song.
    double X(std::size_t panel, std::uint32_t tick) const;
    double PixelsPerSecond() const { return pixelsPerSecond_; }
    double Left() const { return kLeft; }
    double Right() const { return width_ - kRight; }

    int LowKey() const { return lowKey_; }
    int HighKey() const { return highKey_; }
    double KeyHeight() const { return keyHeight_; }
    // The top of a key's row in a panel.
    double KeyTop(std::size_t panel, int key) const;

    double PanelTop(std::size_t panel) const;  // its label row
    double RollTop(std::size_t panel) const;
    double RollBottom(std::size_t panel) const;
    double LaneTop(std::size_t panel) const;
    double LaneBottom(std::size_t panel) const;

    static constexpr double kHeader = 52;      // title and legends
    static constexpr double kLeft = 48;        // key names
    static constexpr double kRight = 16;
    static constexpr double kLabelRow = 16;    // panel name and bar numbers
    static constexpr double kLaneGap = 14;      // the names of the lane's series
    static constexpr double kLaneHeight = 56;
    static constexpr double kAxisRow = 16;     // seconds under the lane
    static constexpr double kPanelGap = 12;

private:
    double PanelHeight() const;

    std::vector<smf::TempoMap> tempo_;
    int lowKey_ = 60;
    int highKey_ = 71;
    double keyHeight_ = 8;
    double pixelsPerSecond_ = 48;
    double width_ = 0;
    double height_ = 0;
};

}  // namespace nuv::nuvfx
