// The size arithmetic of a page: its design size, aspect ratio and size
// limits, the DPI factor and the user's own scale, the grip, and which window
// sizes a resize may take. Plain arithmetic, no windows: the dialog base feeds
// it measurements and applies what it answers.
#pragma once

#include <cstdint>
#include <optional>

namespace nuv::kop {

struct PageSize {
    std::int32_t width;
    std::int32_t height;
};

// A window size the page may take, with the user scale that goes with it.
struct SizeStep {
    std::int32_t width;
    std::int32_t height;
    float userScale;
};

// The grip's filled triangle in client pixels: right angle bottom right.
struct GripTriangle {
    float x[3];
    float y[3];
};

class PageGeometry {
public:
    static constexpr float kReferenceDpi = 96.0f;
    static constexpr float kGripSize = 20.0f;  // design pixels
    static constexpr std::int32_t kGripHitSize = 20;  // the press test takes it unscaled

    // The window and client sizes when the page was first set up.
    void SetUp(std::int32_t windowWidth, std::int32_t windowHeight, std::int32_t clientWidth,
               std::int32_t clientHeight);

    // The step to window width `width`, whose height is width / aspect. None
    // when the width or that height lies outside half to twice the design
    // size (times the DPI factor), or when the user scale would not change.
    // Sizes outside the limits are refused, never clamped.
    std::optional<SizeStep> StepTo(std::int32_t width) const;
    void Apply(const SizeStep& step) { userScale_ = step.userScale; }

    // Takes the monitor's DPI; false when the factor (dpi / 96) is unchanged.
    bool ChangeDpi(float dpi);
    // The window size for the present user scale and DPI factor.
    PageSize DpiScaledSize() const;

    // Whether a press at client (x, y) lies in the grip square.
    static bool InGrip(std::int32_t x, std::int32_t y, std::int32_t clientWidth, std::int32_t clientHeight);
    GripTriangle Grip(std::int32_t clientWidth, std::int32_t clientHeight) const;

    // Present client width / design client width; 1 before set-up.
    float ClientScaleFor(std::int32_t clientWidth) const;

    float DesignWidth() const { return designWidth_; }
    float DesignHeight() const { return designHeight_; }
    float Aspect() const { return aspect_; }
    float MinWidth() const { return minWidth_; }
    float MinHeight() const { return minHeight_; }
    float MaxWidth() const { return maxWidth_; }
    float MaxHeight() const { return maxHeight_; }
    std::int32_t DesignClientWidth() const { return designClientWidth_; }
    std::int32_t DesignClientHeight() const { return designClientHeight_; }
    float DpiFactor() const { return dpiFactor_; }
    float UserScale() const { return userScale_; }

private:
    float designWidth_ = 0.0f;
    float designHeight_ = 0.0f;
    float aspect_ = 1.0f;
    float minWidth_ = 0.0f;
    float minHeight_ = 0.0f;
    float maxWidth_ = 0.0f;
    float maxHeight_ = 0.0f;
    std::int32_t designClientWidth_ = 0;
    std::int32_t designClientHeight_ = 0;
    float dpiFactor_ = 1.0f;
    float userScale_ = 1.0f;
};

}  // namespace nuv::kop
