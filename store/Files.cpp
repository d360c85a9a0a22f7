#include "store/Files.h"

#include <algorithm>
#include <random>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orv {

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

#ifdef _WIN32
// A file of its own, so two clients writing into one folder never share a temporary file.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& name) {
    static std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[24];
        swprintf(suffix, 24, L".%016llx", static_cast<unsigned long long>(random()));
        name = target;
        name += suffix;
        const int fd = _wopen(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

int WriteSome(int fd, const char* data, std::size_t size) {
    return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1 << 20)));
}
int SyncFile(int fd) {
    return _commit(fd);
}
int CloseFile(int fd) {
    return _close(fd);
}
std::error_code Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return {static_cast<int>(GetLastError()), std::system_category()};
}
void SyncFolder(const std::filesystem::path&) {} // MOVEFILE_WRITE_THROUGH did it
#else
constexpr std::string_view TemporarySuffix = ".XXXXXX";

int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& name) {
    std::string pattern = target.string() + std::string(TemporarySuffix);
    const int fd = ::mkstemp(pattern.data()); // created 0600
    name = pattern;
    return fd;
}
int WriteSome(int fd, const char* data, std::size_t size) {
    return static_cast<int>(::write(fd, data, size));
}
int SyncFile(int fd) {
    return ::fsync(fd);
}
int CloseFile(int fd) {
    return ::close(fd);
}
std::error_code Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) == 0) return {};
    return LastError();
}
// The rename reaches the disk only with its folder.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
#endif

} // namespace

std::error_code ReplaceWholeFile(const std::filesystem::path& target, std::string_view content) {
    std::filesystem::path temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return LastError();

    std::error_code error;
    while (!content.empty() && !error) {
        const int n = WriteSome(fd, content.data(), content.size());
        if (n > 0)
            content.remove_prefix(static_cast<std::size_t>(n));
        else if (errno != EINTR)
            error = LastError();
    }
    if (!error && SyncFile(fd) != 0) error = LastError();
    if (CloseFile(fd) != 0 && !error) error = LastError();
    if (!error) error = Rename(temporary, target);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return error;
    }
    SyncFolder(target.parent_path());
    return {};
}

#ifndef _WIN32
std::error_code MakePrivateFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? std::error_code() : std::make_error_code(std::errc::not_a_directory);
    const auto slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0)
        if (const auto error = MakePrivateFolders(folder.substr(0, slash))) return error;
    if (::mkdir(folder.c_str(), 0700) != 0) return errno == EEXIST ? std::error_code() : LastError();
    // The umask may only take bits away; the folder is the user's alone.
    ::chmod(folder.c_str(), 0700);
    return {};
}

void RemoveLeftoverTemporaries(const std::filesystem::path& target) {
    const std::string name = target.filename().string();
    const auto isTemporary = [&](const std::string& candidate) {
        if (candidate.size() != name.size() + TemporarySuffix.size() || candidate.rfind(name + '.', 0) != 0)
            return false;
        // mkstemp fills the X's with ASCII letters and digits.
        return std::all_of(
            candidate.begin() + static_cast<std::ptrdiff_t>(name.size() + 1), candidate.end(),
            [](char c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); });
    };
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    std::error_code error, ignored;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (isTemporary(it->path().filename().string()) &&
            it->symlink_status(ignored).type() == std::filesystem::file_type::regular)
            std::filesystem::remove(it->path(), ignored);
}

std::string UserBaseFolder(const char* variable, std::string_view homeFallback) {
    std::string base;
    if (const char* set = std::getenv(variable); set != nullptr && set[0] == '/') {
        base = set;
        while (base.size() > 1 && base.back() == '/')
            base.pop_back();
        return base;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        base = home;
    } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        base = user->pw_dir;
    }
    return base.append("/").append(homeFallback);
}
#endif

} // namespace orv
