// Class identifiers and stream facts of the NuvGapkeeper deliverable.
#pragma once

#include "framework/effect_shell.h"

namespace nuv::gapkeeper {

// {64BAACC1-F425-4356-8FEF-294BBDC99514}
inline constexpr CLSID CLSID_NuvGapkeeper = {0x64BAACC1, 0xF425, 0x4356, {0x8F, 0xEF, 0x29, 0x4B, 0xBD, 0xC9, 0x95, 0x14}};
// {CEC5E016-5C3D-4986-BE16-841B450DC3FC}
inline constexpr CLSID CLSID_NuvGapkeeperPage = {0xCEC5E016, 0x5C3D, 0x4986, {0xBE, 0x16, 0x84, 0x1B, 0x45, 0x0D, 0xC3, 0xFC}};

inline constexpr wchar_t kDeliverableName[] = L"NuvGapkeeper";
inline constexpr std::uint32_t kStreamVersion = 2;
inline constexpr std::uint32_t kStreamSize = 21;

inline constexpr EffectIdentity kIdentity = {CLSID_NuvGapkeeper, CLSID_NuvGapkeeperPage, kStreamVersion,
                                             kStreamSize, false};

}  // namespace nuv::gapkeeper
