#include "tools/nuvfx/roll_layout.h"

#include <algorithm>
#include <cmath>

#include "tools/nuvfx/roll_notes.h"

namespace nuv::nuvfx {
namespace {

constexpr double kPixelsPerSecond = 48;
constexpr double kNarrowest = 640;     // roll width of a short song
constexpr double kWidest = 16000;      // of a long one, which gets fewer pixels a second
constexpr double kKeysHeight = 480;    // the rows' height to aim at
constexpr double kLowestRow = 3;
constexpr double kHighestRow = 12;

}  // namespace

RollLayout::RollLayout(const std::vector<const smf::File*>& songs, const std::vector<const RollSong*>& rolls) {
    double seconds = 0;
    int low = 127, high = 0;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        tempo_.emplace_back(*songs[i]);
        seconds = std::max(seconds, tempo_.back().SecondsAt(rolls[i]->endTick));
        for (const RollNote& n : rolls[i]->notes) {
            low = std::min<int>(low, n.key);
            high = std::max<int>(high, n.key);
        }
    }
    if (low > high) low = high = 60;
    lowKey_ = low - low % 12;                      // down to a C
    highKey_ = std::min(127, high - high % 12 + 11);  // up to a B
    const int keys = highKey_ - lowKey_ + 1;
    keyHeight_ = std::clamp(std::floor(kKeysHeight / keys), kLowestRow, kHighestRow);

    seconds = std::max(seconds, 1.0);
    const double rollWidth = std::clamp(seconds * kPixelsPerSecond, kNarrowest, kWidest);
    pixelsPerSecond_ = rollWidth / seconds;
    // Whole pixels, so that a converter makes the picture exactly this size.
    width_ = std::ceil(kLeft + rollWidth + kRight);
    height_ = std::ceil(kHeader + static_cast<double>(Panels()) * PanelHeight());
}

double RollLayout::PanelHeight() const {
    return kLabelRow + keyHeight_ * (highKey_ - lowKey_ + 1) + kLaneGap + kLaneHeight + kAxisRow + kPanelGap;
}

double RollLayout::X(std::size_t panel, std::uint32_t tick) const {
    return kLeft + tempo_[panel].SecondsAt(tick) * pixelsPerSecond_;
}

double RollLayout::KeyTop(std::size_t panel, int key) const { return RollTop(panel) + (highKey_ - key) * keyHeight_; }

double RollLayout::PanelTop(std::size_t panel) const { return kHeader + static_cast<double>(panel) * PanelHeight(); }

double RollLayout::RollTop(std::size_t panel) const { return PanelTop(panel) + kLabelRow; }

double RollLayout::RollBottom(std::size_t panel) const {
    return RollTop(panel) + keyHeight_ * (highKey_ - lowKey_ + 1);
}

double RollLayout::LaneTop(std::size_t panel) const { return RollBottom(panel) + kLaneGap; }

double RollLayout::LaneBottom(std::size_t panel) const { return LaneTop(panel) + kLaneHeight; }

}  // namespace nuv::nuvfx
