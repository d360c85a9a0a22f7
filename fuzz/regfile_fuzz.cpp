// Whatever the settings file holds, writing one value stores it exactly, leaves every other value
// as it read before, and a second identical write changes no byte. The first byte chooses the
// value's name and type, the second the length of its bytes that follow; the rest is the file.
#include "store/RegFile.h"
#include "tests/store/Fakes.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size - 2 < data[1]) return 0;
    // Names that differ even when case is ignored, as the registry compares them; the last needs quoting.
    static const std::array<std::string, 3> names{"a", "B", std::string("x\"\\\n\0\xe9 ]=", 9)};
    static const orv::test::TempDir dir; // one folder for the run: making one per input is slow
    orv::RegFile reg(dir / "ot32.reg");
    orv::test::Spit(reg.Path(), {reinterpret_cast<const char*>(data) + 2 + data[1], size - 2 - data[1]});
    using Value = std::tuple<orv::ValueType, std::uint32_t, std::string>;
    const auto readAll = [&] {
        std::array<Value, names.size()> values;
        for (std::size_t i = 0; i < names.size(); ++i) {
            orv::RegValue value = reg.Read(names[i]);
            values[i] = {value.Type, value.Number, std::move(value.Text)};
        }
        return values;
    };
    auto expected = readAll();

    const std::string& name = names[data[0] % names.size()];
    const bool dword = data[0] & 0x80;
    const std::uint32_t number = 0x9E3779B9u * data[1];
    const std::string text(reinterpret_cast<const char*>(data) + 2, data[1]);
    expected[data[0] % names.size()] =
        dword ? Value{orv::ValueType::Dword, number, ""} : Value{orv::ValueType::Text, 0, text};
    const auto write = [&] { return dword ? reg.WriteDword(name, number) : reg.WriteText(name, text); };
    if (write() || readAll() != expected) std::abort();
    const std::string written = orv::test::Slurp(reg.Path());
    if (write() || orv::test::Slurp(reg.Path()) != written) std::abort();
    return 0;
}
