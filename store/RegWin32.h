#pragma once

#include "store/Reg.h"

#include <string>
#include <string_view>

namespace orv {

// A key of the current user's registry, opened (and created when missing) with full access for
// the life of the object. Integers are REG_DWORD; texts are written as REG_SZ with their
// terminating zero and read from REG_SZ or REG_EXPAND_SZ (unexpanded), without that zero. A key
// that cannot be opened reads as empty and answers every write with the error of the open.
// Names and texts go through the ANSI functions, so they are in the system's ANSI code page.
class RegWin32 : public RegistryKey {
  public:
    static constexpr std::string_view DefaultKeyPath = "SOFTWARE\\talmaro\\ot32";

    explicit RegWin32(std::string keyPath = std::string(DefaultKeyPath));
    ~RegWin32() override;
    RegWin32(const RegWin32&) = delete;
    RegWin32& operator=(const RegWin32&) = delete;

    RegValue Read(std::string_view name) const override;
    std::error_code WriteDword(std::string_view name, std::uint32_t value) override;
    std::error_code WriteText(std::string_view name, std::string_view text) override;

  private:
    void* key_ = nullptr; // the HKEY, kept opaque so that users of this header need no <windows.h>
    long openError_ = 0;
};

} // namespace orv
