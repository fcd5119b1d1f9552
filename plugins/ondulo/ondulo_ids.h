// Class identifiers and stream facts of the NuvOndulo deliverable.
#pragma once

#include "framework/effect_shell.h"

namespace nuv::ondulo {

// {0AF8549C-6171-413C-B3F2-22528219FEF9}
inline constexpr CLSID CLSID_NuvOndulo = {0x0AF8549C, 0x6171, 0x413C, {0xB3, 0xF2, 0x22, 0x52, 0x82, 0x19, 0xFE, 0xF9}};
// {14DAB62B-07D3-4C71-B1E9-9F194541D98B}
inline constexpr CLSID CLSID_NuvOnduloPage = {0x14DAB62B, 0x07D3, 0x4C71, {0xB1, 0xE9, 0x9F, 0x19, 0x45, 0x41, 0xD9, 0x8B}};

inline constexpr wchar_t kDeliverableName[] = L"NuvOndulo";
inline constexpr std::uint32_t kStreamVersion = 2;
inline constexpr std::uint32_t kStreamSize = 64;

// Live generation runs on the host's input pulses, so Connect needs the pulse service.
inline constexpr EffectIdentity kIdentity = {CLSID_NuvOndulo, CLSID_NuvOnduloPage, kStreamVersion,
                                             kStreamSize, true};

}  // namespace nuv::ondulo
