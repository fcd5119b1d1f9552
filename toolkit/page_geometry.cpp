#include "toolkit/page_geometry.h"

namespace nuv::kop {

void PageGeometry::SetUp(std::int32_t windowWidth, std::int32_t windowHeight, std::int32_t clientWidth,
                         std::int32_t clientHeight) {
    designWidth_ = static_cast<float>(windowWidth);
    designHeight_ = static_cast<float>(windowHeight);
    aspect_ = (windowWidth > 0 && windowHeight > 0) ? designWidth_ / designHeight_ : 1.0f;
    minWidth_ = designWidth_ / 2.0f;
    minHeight_ = designHeight_ / 2.0f;
    maxWidth_ = designWidth_ * 2.0f;
    maxHeight_ = designHeight_ * 2.0f;
    designClientWidth_ = clientWidth;
    designClientHeight_ = clientHeight;
}

std::optional<SizeStep> PageGeometry::StepTo(std::int32_t width) const {
    if (designWidth_ <= 0.0f || designHeight_ <= 0.0f) return std::nullopt;
    const float w = static_cast<float>(width);
    const float h = w / aspect_;
    const float s = dpiFactor_;
    if (w < s * minWidth_ || w > s * maxWidth_ || h < s * minHeight_ || h > s * maxHeight_) return std::nullopt;
    const float scale = w / s / designWidth_;
    if (scale == userScale_) return std::nullopt;
    return SizeStep{width, static_cast<std::int32_t>(h), scale};
}

bool PageGeometry::ChangeDpi(float dpi) {
    const float factor = dpi / kReferenceDpi;
    if (factor == dpiFactor_) return false;
    dpiFactor_ = factor;
    return true;
}

PageSize PageGeometry::DpiScaledSize() const {
    const float w = userScale_ * dpiFactor_ * designWidth_;
    return PageSize{static_cast<std::int32_t>(w), static_cast<std::int32_t>(w / aspect_)};
}

bool PageGeometry::InGrip(std::int32_t x, std::int32_t y, std::int32_t clientWidth, std::int32_t clientHeight) {
    return clientWidth - kGripHitSize <= x && x < clientWidth && clientHeight - kGripHitSize <= y && y < clientHeight;
}

GripTriangle PageGeometry::Grip(std::int32_t clientWidth, std::int32_t clientHeight) const {
    const float g = dpiFactor_ * userScale_ * kGripSize;
    const float m = dpiFactor_ * userScale_ * 2.0f;
    const float cw = static_cast<float>(clientWidth);
    const float ch = static_cast<float>(clientHeight);
    return GripTriangle{{cw - m, cw - m, cw - g - m}, {ch - g - m, ch - m, ch - m}};
}

float PageGeometry::ClientScaleFor(std::int32_t clientWidth) const {
    if (designClientWidth_ <= 0) return 1.0f;
    return static_cast<float>(clientWidth) / static_cast<float>(designClientWidth_);
}

}  // namespace nuv::kop
