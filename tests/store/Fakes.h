#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace orv::test {

// A new folder under the system's temporary folder, removed afterwards.
class TempDir {
  public:
    TempDir() {
        while (!std::filesystem::create_directory(path_))
            path_ += "-";
    }
    ~TempDir() { std::filesystem::remove_all(path_, ignored_); }
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("orv-store-" + std::to_string(std::random_device{}()));
    std::error_code ignored_;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void Spit(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace orv::test
