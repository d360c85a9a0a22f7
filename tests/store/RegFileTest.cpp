#include "store/RegFile.h"
#include "Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv::test {
namespace {

TEST(RegFile, EveryByteStringRoundTripsThroughAnAsciiFileForTheUserAlone) {
    TempDir dir;
    RegFile key(dir / "config/talmaro/ot32.reg");
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string oddName = "F\"1\\ \xe9\t";
    ASSERT_FALSE(key.WriteText("all", all) || key.WriteText(oddName, "look\r\nsay hi") ||
                 key.WriteText("empty", ""));
    // Names compare as the registry compares them.
    ASSERT_FALSE(key.WriteDword("max", 0xFFFFFFFF) || key.WriteDword("list width", 140) ||
                 key.WriteDword("LIST WIDTH", 200));
    EXPECT_EQ(key.Read("all").Text, all);
    EXPECT_EQ(key.Read(oddName).Text, "look\r\nsay hi");
    EXPECT_EQ(key.Read("empty").Type, ValueType::Text);
    EXPECT_EQ(key.Read("max").Number, 0xFFFFFFFFu);
    EXPECT_EQ(key.Read("List Width").Number, 200u);

    const std::string file = Slurp(key.Path());
    EXPECT_TRUE(
        std::all_of(file.begin(), file.end(), [](char c) { return c == '\n' || (c >= 0x20 && c <= 0x7E); }));
    EXPECT_EQ(file.rfind("REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\talmaro\\ot32]\n", 0), 0u);
    EXPECT_NE(file.find("\n\"list width\"=dword:000000c8\n"), std::string::npos)
        << "replaced where it stands";
    EXPECT_NE(file.find("\n\"F\\\"1\\\\ \\xe9\\t\"=\"look\\r\\nsay hi\"\n"), std::string::npos);
    // Saved passwords live in the file: the folders it made and the file itself are the user's alone.
    EXPECT_EQ(Mode(dir / "config"), 0700u);
    EXPECT_EQ(Mode(dir / "config/talmaro"), 0700u);
    EXPECT_EQ(Mode(key.Path()), 0600u);
}

TEST(RegFile, HandWrittenValuesAndUnknownLinesSurviveARewrite) {
    TempDir dir;
    const std::string path = dir / "ot32.reg";
    // Before and after the rewrite the file differs only in the middle and at the section's end.
    const std::string head = "REGEDIT4\r\n"
                             "\r\n"
                             "; a note of the user's\n"
                             "[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n"
                             "\"list width\"=dword:00000001\n"
                             "\n"
                             "[hkey_current_user\\software\\talmaro\\ot32]\n"
                             "\"list width\"=\"wide\"\n"
                             "\"F1\"=str(2):\"%HOME%\"\n";
    const std::string middle = "\"Short\"=dword:8c\n"
                               "\"Bad escape\"=\"\\q\"\n"
                               "this line means nothing\n";
    const std::string tail = "\n"
                             "[HKEY_CURRENT_USER\\SOFTWARE\\Later]\n"
                             "\"x\"=dword:00000002\n";
    Spit(path, head + "\"Multi\"=hex(7):41,00,\\\n  00,00\n" + middle + tail);
    RegFile key(path);
    EXPECT_EQ(key.Read("list width").Type, ValueType::Text); // the other key's value does not count
    EXPECT_EQ(key.Read("F1").Text, "%HOME%");                // unexpanded
    EXPECT_EQ(key.Read("Multi").Type, ValueType::Other);
    EXPECT_EQ(key.Read("Short").Number, 0x8Cu);
    EXPECT_EQ(key.Read("Bad escape").Type, ValueType::Absent);
    EXPECT_EQ(key.Read("x").Type, ValueType::Absent);

    ASSERT_FALSE(key.WriteDword("Multi", 5)); // replaces the value with its continuation line
    ASSERT_FALSE(key.WriteDword("New", 6));   // goes at the end of our section
    EXPECT_EQ(Slurp(path), head + "\"Multi\"=dword:00000005\n" + middle + "\"New\"=dword:00000006\n" + tail);

    // A file without our key gets the section added after what it holds.
    Spit(path, "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n\"a\"=dword:00000001");
    ASSERT_FALSE(key.WriteText("F2", "x"));
    EXPECT_EQ(Slurp(path), "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n\"a\"=dword:00000001\n\n"
                           "[HKEY_CURRENT_USER\\SOFTWARE\\talmaro\\ot32]\n\"F2\"=\"x\"\n");
}

TEST(RegFile, CorruptOrMissingFilesReadAsWhatCanBeReadAndAFailedWriteIsReported) {
    TempDir dir;
    const std::string path = dir / "ot32.reg";
    RegFile key(path);
    EXPECT_EQ(key.Read("BkgColour").Type, ValueType::Absent);

    const std::string header = "[HKEY_CURRENT_USER\\SOFTWARE\\talmaro\\ot32]\n";
    const std::vector<std::string> corrupt = {std::string("\0\xff\x01garbage\n\n\n", 13),
                                              header + "\"a\"=\"unterminated\n",
                                              header + "\"a\"=\"\\x4\"\n",
                                              header + "\"a\"=\"\\",
                                              header + "\"a\"=dword:123456789\n",
                                              header + "\"a\"=\"x\" trailing\n",
                                              header + "\"a\"",
                                              header.substr(0, 20),
                                              header + "\"a\"=hex:01,\\"};
    for (const std::string& text : corrupt) {
        Spit(path, text);
        EXPECT_NE(key.Read("a").Type, ValueType::Text) << text;
        ASSERT_FALSE(key.WriteDword("b", 1)) << text;
        EXPECT_EQ(key.Read("b").Number, 1u) << text;
        EXPECT_EQ(Slurp(path).rfind(text, 0), 0u) << "the unreadable text is kept";
    }
    EXPECT_TRUE(RegFile(path + "/ot32.reg").WriteDword("b", 1)) << "a file where the folder belongs";
}

TEST(RegFile, AFileThatIsThereButCannotBeReadIsReportedAndNeverWrittenOver) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string path = dir / "ot32.reg";
    RegFile key(path);
    EXPECT_FALSE(key.ReadFailure()) << "a first run";
    // A link to itself cannot be opened; a folder opens but cannot be read. Neither gives way to a write.
    for (const auto type : {fs::file_type::symlink, fs::file_type::directory}) {
        if (type == fs::file_type::symlink)
            fs::create_symlink("ot32.reg", path);
        else
            fs::create_directory(path);
        const auto failure = key.ReadFailure();
        ASSERT_TRUE(failure);
        EXPECT_NE(std::string(failure->what()).find("\"" + path + "\""), std::string::npos)
            << failure->what();
        EXPECT_TRUE(key.WriteDword("b", 1));
        EXPECT_EQ(fs::symlink_status(path).type(), type);
        fs::remove(path);
    }
}

} // namespace
} // namespace orv::test
