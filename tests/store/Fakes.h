#pragma once

#include "store/Log.h"
#include "store/Reg.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace orv::test {

// An in-memory registry key that remembers the order of writes and can be told to fail some.
struct FakeRegistry {
    std::map<std::string, RegValue, std::less<>> values;
    std::vector<std::string> written;
    std::set<std::string, std::less<>> failing;

    void Dword(const std::string& name, std::uint32_t number) {
        values[name] = {ValueType::Dword, number, {}};
    }
    void Text(const std::string& name, std::string text) {
        values[name] = {ValueType::Text, 0, std::move(text)};
    }
    void Other(const std::string& name) { values[name] = {ValueType::Other, 0, {}}; }
};

class FakeKey : public RegistryKey {
  public:
    explicit FakeKey(FakeRegistry& registry) : registry_(registry) {}
    RegValue Read(std::string_view name) const override {
        const auto it = registry_.values.find(name);
        return it == registry_.values.end() ? RegValue{} : it->second;
    }
    std::error_code WriteDword(std::string_view name, std::uint32_t value) override {
        return Write(name, {ValueType::Dword, value, {}});
    }
    std::error_code WriteText(std::string_view name, std::string_view text) override {
        return Write(name, {ValueType::Text, 0, std::string(text)});
    }

  private:
    std::error_code Write(std::string_view name, RegValue value) {
        if (registry_.failing.count(name) != 0) return std::make_error_code(std::errc::read_only_file_system);
        registry_.written.emplace_back(name);
        registry_.values[std::string(name)] = std::move(value);
        return {};
    }
    FakeRegistry& registry_;
};

// Records what the start-up batch does to the window, in order.
class FakeWindow : public WindowPlacement {
  public:
    void SetTop(std::int32_t v) override { calls.push_back("Top " + std::to_string(v)); }
    void SetLeft(std::int32_t v) override { calls.push_back("Left " + std::to_string(v)); }
    void SetWidth(std::int32_t v) override { calls.push_back("Width " + std::to_string(v)); }
    void SetHeight(std::int32_t v) override { calls.push_back("Height " + std::to_string(v)); }
    void SetWindowState(std::int32_t v) override { calls.push_back("State " + std::to_string(v)); }
    std::vector<std::string> calls;
};

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
  public:
    TempDir() {
        static int counter = 0;
        do
            path_ = std::filesystem::temp_directory_path() /
                    ("orv-store-" + std::to_string(std::random_device{}()) + "-" + std::to_string(++counter));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() { std::filesystem::remove_all(path_, ignored_); }
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
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
