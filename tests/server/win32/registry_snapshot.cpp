#include "tests/server/win32/registry_snapshot.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "framework/server/registration.h"
#include "platform/win32/registry_key.h"

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
        win32::RegistryKey child;
        if (!child.Open(key, name, KEY_READ)) continue;
        AppendKey(child.Get(), relative.empty() ? name : relative + L"\\" + name, out);
    }
}

}  // namespace

std::wstring SnapshotKey(HKEY root, const std::wstring& path) {
    win32::RegistryKey key;
    if (!key.Open(root, path.c_str(), KEY_READ)) return L"";
    std::wstring out;
    AppendKey(key.Get(), L"", out);
    return out;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    win32::RegistryKey key;
    return key.Open(root, path.c_str(), KEY_READ);
}

ScratchKey::ScratchKey(const std::wstring& name) : path_(L"Software\\NuvServerTests\\" + name) {
    server::DeleteKeyTree(HKEY_CURRENT_USER, path_.c_str());
    key_.Create(HKEY_CURRENT_USER, path_.c_str());
}

ScratchKey::~ScratchKey() {
    children_.clear();
    key_.Reset();
    server::DeleteKeyTree(HKEY_CURRENT_USER, path_.c_str());
    // The common parent goes only when no other scratch key is left in it.
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\NuvServerTests");
}

HKEY ScratchKey::Child(const wchar_t* name) {
    win32::RegistryKey child;
    if (!child.Create(key_.Get(), name)) return nullptr;
    children_.push_back(std::move(child));
    return children_.back().Get();
}

}  // namespace nuv::testing
