#include "app/DataFolder.h"

#include <filesystem>

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::app {

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

std::error_code MakeFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? std::error_code() : std::make_error_code(std::errc::not_a_directory);
    const auto slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0)
        if (const auto error = MakeFolders(folder.substr(0, slash))) return error;
    if (::mkdir(folder.c_str(), 0700) != 0) return errno == EEXIST ? std::error_code() : LastError();
    // The umask may only take bits away; the day logs are the player's alone.
    ::chmod(folder.c_str(), 0700);
    return {};
}

} // namespace

std::string DesktopDataFolder() {
    std::string base;
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        if (home != nullptr && home[0] != '\0') {
            base = home;
        } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
            base = user->pw_dir;
        }
        base += "/.local/share";
    }
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base + "/talmaro";
}

std::error_code PrepareDataFolder(const std::string& folder, const std::string& defaultAlert) {
    if (const auto error = MakeFolders(folder)) return error;
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
