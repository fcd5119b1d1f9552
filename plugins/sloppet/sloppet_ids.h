// Class identifiers and stream facts of the NuvSloppet deliverable.
#pragma once

#include "framework/effect_shell.h"

namespace nuv::sloppet {

// {500F07AA-BBB6-40FE-9CF3-7158B8F5E940}
inline constexpr CLSID CLSID_NuvSloppet = {0x500F07AA, 0xBBB6, 0x40FE, {0x9C, 0xF3, 0x71, 0x58, 0xB8, 0xF5, 0xE9, 0x40}};
// {5AC1699A-1189-4231-92BD-BECD3F7E717F}
inline constexpr CLSID CLSID_NuvSloppetPage = {0x5AC1699A, 0x1189, 0x4231, {0x92, 0xBD, 0xBE, 0xCD, 0x3F, 0x7E, 0x71, 0x7F}};

inline constexpr wchar_t kDeliverableName[] = L"NuvSloppet";
inline constexpr std::uint32_t kStreamVersion = 3;
inline constexpr std::uint32_t kStreamSize = 29;

inline constexpr EffectIdentity kIdentity = {CLSID_NuvSloppet, CLSID_NuvSloppetPage, kStreamVersion,
                                             kStreamSize, false};

}  // namespace nuv::sloppet
