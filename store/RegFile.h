#pragma once

#include "store/Reg.h"

#include <string>
#include <string_view>

namespace orv {

// The settings key kept in one text file in the registry export format, where there is no
// registry:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\SOFTWARE\talmaro\ot32]
//   "list width"=dword:0000008c
//   "F1"="look\r\nsay hi"
//   "F2"=str(2):"look"
//
// Names and texts are quoted with \\, \", \n, \r, \t and \xHH for any other byte below 0x20 or
// above 0x7E, so the file stays ASCII and every byte string, zero bytes included, comes back as
// written. Values of other types (hex:..., hex(7):...) and lines that cannot be read are kept as
// they stand when the file is rewritten; such values read as Other. Only values in the section of
// KeyName count.
//
// Reading never fails: a missing or unreadable file is an empty key (ReadFailure tells the two
// apart), and each read looks at the file afresh. Each write takes an advisory lock, re-reads the
// file, changes the one value and replaces the file by a synced temporary file in the same folder,
// so clients running at once lose none of each other's values and a crash leaves the old file
// whole; a file that cannot be re-read is never replaced, and the write fails. Under the lock a
// write also removes the temporary files that writers killed midway left. Folders it creates are
// 0700 and the file 0600: saved passwords live in it. POSIX only.
class RegFile : public RegistryKey {
  public:
    static constexpr std::string_view KeyName = "HKEY_CURRENT_USER\\SOFTWARE\\talmaro\\ot32";

    explicit RegFile(std::string path);

    RegValue Read(std::string_view name) const override;
    std::error_code WriteDword(std::string_view name, std::uint32_t value) override;
    std::error_code WriteText(std::string_view name, std::string_view text) override;
    std::optional<SettingsReadError> ReadFailure() const override;

    const std::string& Path() const { return path_; }

  private:
    std::error_code Write(std::string_view name, const std::string& data);

    std::string path_;
};

// $XDG_CONFIG_HOME/talmaro/ot32.reg, or ~/.config/talmaro/ot32.reg when the variable is unset,
// empty or not an absolute path.
std::string DefaultSettingsPath();

} // namespace orv
