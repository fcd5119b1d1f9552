#include "platform/win32/dialog_template.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace nuv::win32 {

namespace {

// [window thread] The probe dialog's procedure.
INT_PTR CALLBACK ProbeProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

// Where the style lies: at 12 in an extended template (it starts with version
// 1 and signature 0xFFFF), else at 0.
std::size_t StyleOffset(const std::vector<std::uint8_t>& bytes) {
    std::uint16_t version = 0;
    std::uint16_t signature = 0;
    std::memcpy(&version, bytes.data(), 2);
    std::memcpy(&signature, bytes.data() + 2, 2);
    return (version == 1 && signature == 0xFFFF) ? 12 : 0;
}

}  // namespace

std::vector<std::uint8_t> HiddenTemplateCopy(HINSTANCE module, int templateId) {
    std::vector<std::uint8_t> bytes;
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    if (found == nullptr) return bytes;
    const DWORD size = SizeofResource(module, found);
    const HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || size < 16) return bytes;
    try {
        bytes.assign(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size);
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return bytes;
    }
    const std::size_t at = StyleOffset(bytes);
    std::uint32_t style = 0;
    std::memcpy(&style, bytes.data() + at, 4);
    style &= ~static_cast<std::uint32_t>(WS_VISIBLE);
    std::memcpy(bytes.data() + at, &style, 4);
    return bytes;
}

std::optional<SIZE> MeasureDialogTemplate(HINSTANCE module, int templateId) {
    const std::vector<std::uint8_t> hidden = HiddenTemplateCopy(module, templateId);
    if (hidden.empty()) return std::nullopt;
    const HWND probe = CreateDialogIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATEW>(hidden.data()),
                                                  GetDesktopWindow(), &ProbeProcedure, 0);
    if (probe == nullptr) return std::nullopt;
    RECT outer{};
    const BOOL measured = GetWindowRect(probe, &outer);
    DestroyWindow(probe);
    if (!measured) return std::nullopt;
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace nuv::win32
