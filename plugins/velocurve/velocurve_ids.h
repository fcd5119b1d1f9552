// Class identifiers and stream facts of the NuvVelocurveV2 deliverable.
#pragma once

#include "framework/effect_shell.h"

namespace nuv::velocurve {

// {B0D2C5BE-6E1A-40DD-AC44-6EA9B52B88F7}
inline constexpr CLSID CLSID_NuvVelocurveV2 = {0xB0D2C5BE, 0x6E1A, 0x40DD, {0xAC, 0x44, 0x6E, 0xA9, 0xB5, 0x2B, 0x88, 0xF7}};
// {CE1542ED-9347-4B64-9857-E0F5A1D4948C}
inline constexpr CLSID CLSID_NuvVelocurveV2Page = {0xCE1542ED, 0x9347, 0x4B64, {0x98, 0x57, 0xE0, 0xF5, 0xA1, 0xD4, 0x94, 0x8C}};

inline constexpr wchar_t kDeliverableName[] = L"NuvVelocurveV2";
inline constexpr std::uint32_t kStreamVersion = 2;
inline constexpr std::uint32_t kStreamSize = 49;

inline constexpr EffectIdentity kIdentity = {CLSID_NuvVelocurveV2, CLSID_NuvVelocurveV2Page, kStreamVersion,
                                             kStreamSize, false};

}  // namespace nuv::velocurve
