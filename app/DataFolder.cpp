#include "app/DataFolder.h"

#include "store/Files.h"

#include <filesystem>

namespace orv::app {

std::string DesktopDataFolder() {
    return orv::UserBaseFolder("XDG_DATA_HOME", ".local/share") + "/talmaro";
}

std::error_code PrepareDataFolder(const std::string& folder, const std::string& defaultAlert) {
    if (const auto error = orv::MakePrivateFolders(folder)) return error;
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path alert = fs::path(folder) / "alert.wav";
    // A broken link or anything else the player put there counts as the player's own sound.
    if (fs::symlink_status(alert, error).type() != fs::file_type::not_found) return {};
    if (!fs::is_regular_file(defaultAlert, error)) return {};
    fs::copy_file(defaultAlert, alert, error);
    return error;
}

} // namespace orv::app
