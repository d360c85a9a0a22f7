#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#endif

namespace orv::test {

// A new folder under the system's temporary folder, removed afterwards.
struct TempDir {
    TempDir() {
        while (!std::filesystem::create_directory(path_))
            path_ += "-";
    }
    ~TempDir() { std::filesystem::remove_all(path_, ignored_); }
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("orv-test-" + std::to_string(std::random_device{}()));
    std::error_code ignored_;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void Spit(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

#ifndef _WIN32
// The permission bits, or none for a path that is not there.
inline unsigned Mode(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Sets an environment variable, or unsets it for nullptr, until the end of the scope.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    const char* name_;
    std::optional<std::string> old_;
};
#endif

} // namespace orv::test
