// Class identifiers and stream facts of the NuvShiftwell deliverable.
#pragma once

#include "framework/effect_shell.h"

namespace nuv::shiftwell {

// {5E7C05D8-1032-4CAF-A6CB-1F86E0A4AF3D}
inline constexpr CLSID CLSID_NuvShiftwell = {0x5E7C05D8, 0x1032, 0x4CAF, {0xA6, 0xCB, 0x1F, 0x86, 0xE0, 0xA4, 0xAF, 0x3D}};
// {729416F6-C020-4FFD-AD4F-AE564EE35710}
inline constexpr CLSID CLSID_NuvShiftwellPage = {0x729416F6, 0xC020, 0x4FFD, {0xAD, 0x4F, 0xAE, 0x56, 0x4E, 0xE3, 0x57, 0x10}};

inline constexpr wchar_t kDeliverableName[] = L"NuvShiftwell";
inline constexpr std::uint32_t kStreamVersion = 4;
inline constexpr std::uint32_t kStreamSize = 28;

inline constexpr EffectIdentity kIdentity = {CLSID_NuvShiftwell, CLSID_NuvShiftwellPage, kStreamVersion,
                                             kStreamSize, false};

}  // namespace nuv::shiftwell
