#include "tests/server/win32/registry_snapshot.h"

#include <cstdio>
#include <vector>

#include "framework/server/registration.h"

namespace nuv::testing {

namespace {

const wchar_t* TypeName(DWORD type) {
    switch (type) {
        case REG_SZ: return L"REG_SZ";
        case REG_EXPAND_SZ: return L"REG_EXPAND_SZ";
        case REG_DWORD: return L"REG_DWORD";
        case REG_BINARY: return L"REG_BINARY";
        case REG_MULTI_SZ: return L"REG_MULTI_SZ";
        default: return L"REG_OTHER";
    }
}

std::wstring ValueText(DWORD type, const std::vector<BYTE>& data) {
    if (type == REG_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }
    std::wstring hex;
    wchar_t digits[4];
    for (const BYTE b : data) {
        std::swprintf(digits, 4, L"%02x", b);
        hex += digits;
    }
    return hex;
}

void AppendValues(HKEY key, std::wstring& out) {
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        DWORD nameChars = 512;
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegEnumValueW(key, index, name, &nameChars, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) break;
        std::vector<BYTE> data(bytes);
        nameChars = 512;
        RegEnumValueW(key, index, name, &nameChars, nullptr, &type, data.data(), &bytes);
        wchar_t size[16];
        std::swprintf(size, 16, L"%lu", static_cast<unsigned long>(bytes));
        out += L"  " + std::wstring(nameChars == 0 ? L"@" : name) + L" " + TypeName(type) + L" " + size + L" " +
               ValueText(type, data) + L"\n";
    }
}

void AppendKey(HKEY key, const std::wstring& relative, std::wstring& out) {
    out += L"[" + relative + L"]\n";
    AppendValues(key, out);
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        DWORD nameChars = 512;
        if (RegEnumKeyExW(key, index, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        AppendKey(child, relative.empty() ? name : relative + L"\\" + name, out);
        RegCloseKey(child);
    }
}

}  // namespace

std::wstring SnapshotKey(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"";
    std::wstring out;
    AppendKey(key, L"", out);
    RegCloseKey(key);
    return out;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

ScratchKey::ScratchKey(const std::wstring& name) : path_(L"Software\\NuvServerTests\\" + name) {
    server::DeleteKeyTree(HKEY_CURRENT_USER, path_.c_str());
    RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    &key_, nullptr);
}

ScratchKey::~ScratchKey() {
    for (const HKEY child : children_) RegCloseKey(child);
    if (key_ != nullptr) RegCloseKey(key_);
    server::DeleteKeyTree(HKEY_CURRENT_USER, path_.c_str());
    // The common parent goes only when no other scratch key is left in it.
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\NuvServerTests");
}

HKEY ScratchKey::Child(const wchar_t* name) {
    HKEY child = nullptr;
    if (RegCreateKeyExW(key_, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &child,
                        nullptr) == ERROR_SUCCESS)
        children_.push_back(child);
    return child;
}

}  // namespace nuv::testing
