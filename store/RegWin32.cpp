#include "store/RegWin32.h"

#include <vector>

#include <windows.h>

namespace orv {

namespace {

std::error_code Win32Error(LSTATUS status) {
    return {static_cast<int>(status), std::system_category()};
}

HKEY Handle(void* key) {
    return static_cast<HKEY>(key);
}

} // namespace

RegWin32::RegWin32(std::string keyPath) {
    HKEY key = nullptr;
    openError_ = RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (openError_ == ERROR_SUCCESS) key_ = key;
}

RegWin32::~RegWin32() {
    if (key_ != nullptr) RegCloseKey(Handle(key_));
}

RegValue RegWin32::Read(std::string_view name) const {
    RegValue value;
    if (key_ == nullptr) return value;
    const std::string valueName(name);
    std::vector<BYTE> data;
    DWORD type = REG_NONE;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExA(Handle(key_), valueName.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between asking its size and reading it.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.resize(size + 1);
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExA(Handle(key_), valueName.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_SUCCESS) break;
    }
    if (status != ERROR_SUCCESS) return value;
    data.resize(size);

    if (type == REG_DWORD && size == sizeof(DWORD)) {
        value.Type = ValueType::Dword;
        value.Number = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
                       static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
        // The terminating zero is part of the stored size, unless whoever wrote it left it out.
        if (!data.empty() && data.back() == 0) data.pop_back();
        value.Type = ValueType::Text;
        value.Text.assign(data.begin(), data.end());
    } else {
        value.Type = ValueType::Other;
    }
    return value;
}

std::error_code RegWin32::WriteDword(std::string_view name, std::uint32_t value) {
    if (key_ == nullptr) return Win32Error(openError_);
    const std::string valueName(name);
    const DWORD number = value;
    return Win32Error(RegSetValueExA(Handle(key_), valueName.c_str(), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&number), sizeof number));
}

std::error_code RegWin32::WriteText(std::string_view name, std::string_view text) {
    if (key_ == nullptr) return Win32Error(openError_);
    const std::string valueName(name);
    const std::string data(text); // with its terminating zero, which is stored too
    return Win32Error(RegSetValueExA(Handle(key_), valueName.c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>(data.size() + 1)));
}

} // namespace orv
