#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/locations.h"
#include "platform/files/profile.h"
#include "platform/files/safesave.h"
#include "sandbox_env.h"

namespace {

namespace fs = std::filesystem;
using testenv::Sandbox;

TEST(Profile, EditsKeepOtherContentByteForByte) {
    struct Row {
        const char* name;
        const char* before;
        const char* section;
        const char* key;
        std::optional<std::string> value;
        const char* after;
    };
    const Row rows[] = {
        {"new file", "", "WinWord", "Path", "C:\\Office\\", "[WinWord]\r\nPath=C:\\Office\\\r\n"},
        {"new section at the end", "; note\r\n[A]\r\nx = 1 \r\n", "WinWord", "Path", "p",
         "; note\r\n[A]\r\nx = 1 \r\n[WinWord]\r\nPath=p\r\n"},
        {"last line without an end", "[A]\r\nx=1", "B", "k", "v", "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        {"replace keeps the key's spelling and other lines", "[a]\r\n  PATH = old\r\n;c\r\ny=2\r\n", "A", "path",
         "new", "[a]\r\nPATH=new\r\n;c\r\ny=2\r\n"},
        {"new key after the section's last entry", "[A]\r\nx=1\r\n\r\n[B]\r\nz=3\r\n", "a", "y", "2",
         "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n"},
        {"new key in a header-only section at the end", "[A]", "A", "k", "", "[A]\r\nk=\r\n"},
        {"empty value is written", "[WinWord]\r\nPath=x\r\n", "WinWord", "Path", "", "[WinWord]\r\nPath=\r\n"},
        {"no value removes the key, the section stays", "[WinWord]\r\nPath=x\r\nOther=1\r\n", "winword", "PATH",
         std::nullopt, "[WinWord]\r\nOther=1\r\n"},
        {"no value removes every copy", "[A]\r\nk=1\r\nk=0\r\n[a]\r\nk=2\r\n", "A", "K", std::nullopt,
         "[A]\r\n[a]\r\n"},
        {"no value and no section writes nothing", "[A]\r\nx=1\r\n", "WinWord", "Path", std::nullopt,
         "[A]\r\nx=1\r\n"},
        {"only the named section's key changes", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n", "B", "k", "9",
         "[A]\r\nk=1\r\n[B]\r\nk=9\r\n"},
        {"LF files get LF lines", "[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n"},
        {"Windows-1252 bytes pass through", "[A]\r\nn=\xE9t\xE9\r\n", "A", "m", "\xBD", "[A]\r\nn=\xE9t\xE9\r\nm=\xBD\r\n"},
        {"UTF-8 mark before the first section", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "2",
         "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
    };
    for (const auto& row : rows) {
        files::IniDocument doc(row.before);
        EXPECT_TRUE(doc.Set(row.section, row.key, row.value)) << row.name;
        EXPECT_EQ(doc.bytes(), row.after) << row.name;
    }
}

TEST(Profile, NamesOrValuesThatWouldBreakTheFileAreRefused) {
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"line break in the value", "A", "k", "a\r\n[B]"},
        {"'=' in the key", "A", "k=x", "v"},
        {"']' in the section", "A]", "k", "v"},
        {"empty key", "A", "", "v"},
        {"empty section", "", "k", "v"},
    };
    for (const auto& row : rows) {
        files::IniDocument doc("[A]\r\n");
        EXPECT_FALSE(doc.Set(row.section, row.key, std::string(row.value))) << row.name;
        EXPECT_EQ(doc.bytes(), "[A]\r\n") << row.name;
    }
}

TEST(Profile, ReadsThroughABufferOfTheGivenLength) {
    Sandbox box;
    Sandbox::Write(box.windows / "calories.ini",
                   "[date]\r\nmessage2 = 12/8/2026 \r\n[YourString.Something]\r\nMessage5=2000\r\nq=\"quoted \"\r\n"
                   "long=" + std::string(100, 'x') + "\r\nnul=ab\r\n");
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        const char* def;
        std::size_t buffer;
        std::string expected;
    };
    const Row rows[] = {
        {"blanks around the value go", "DATE", "Message2", "", 75, "12/8/2026"},
        {"case-insensitive names", "yourstring.something", "MESSAGE5", "", 75, "2000"},
        {"quotes are taken off", "YourString.Something", "q", "", 75, "quoted "},
        {"74 of a longer value", "YourString.Something", "long", "", 75, std::string(74, 'x')},
        {"missing key gives the default", "date", "message9", "none  ", 75, "none"},
        {"missing section gives the default", "nosuch", "x", "d", 75, "d"},
        {"the default is cut too", "date", "nokey", "abcdef", 4, "abc"},
        {"a buffer of one holds only the NUL", "date", "message2", "", 1, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(files::GetPrivateProfileString(row.section, row.key, row.def, row.buffer, "CALORIES.INI"),
                  row.expected)
            << row.name;
    EXPECT_EQ(files::GetPrivateProfileString("date", "message2", "gone", 75, "nosuch.ini"), "gone");
}

TEST(Profile, BareNamesMeetOneFileWhateverTheirCase) {
    Sandbox box;
    Sandbox::Write(box.windows / "Calories.ini", "[A]\r\nx=1\r\n");
    EXPECT_EQ(files::ResolveIni("CALORIES.INI"), box.windows / "Calories.ini");
    ASSERT_TRUE(files::WritePrivateProfileString("a", "y", "2", "calories.INI"));
    EXPECT_EQ(Sandbox::Read(box.windows / "Calories.ini"), "[A]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(box.windows), fs::directory_iterator()), 1);
    // A name with a folder is taken as it stands.
    ASSERT_TRUE(files::WritePrivateProfileString("S", "k", "v", (box.cwd / "local.ini").string()));
    EXPECT_EQ(Sandbox::Read(box.cwd / "local.ini"), "[S]\r\nk=v\r\n");
}

TEST(Profile, WritingCreatesTheWindowsDirectoryButRemovingCreatesNothing) {
    Sandbox box;
    box.Set("WINDIR", (box.root / "new" / "win").string());
    EXPECT_TRUE(files::WritePrivateProfileString("WinWord", "Path", std::nullopt, "TARVOLIN.INI"));
    EXPECT_FALSE(fs::exists(box.root / "new"));
    EXPECT_TRUE(files::WritePrivateProfileString("WinWord", "Path", "p", "TARVOLIN.INI"));
    EXPECT_EQ(Sandbox::Read(box.root / "new" / "win" / "TARVOLIN.INI"), "[WinWord]\r\nPath=p\r\n");
}

TEST(Profile, AFileThatCannotBeWrittenReportsWhy) {
    Sandbox box;
    fs::create_directory(box.windows / "TARVOLIN.INI");
    EXPECT_FALSE(files::WritePrivateProfileString("WinWord", "Path", "p", "TARVOLIN.INI"));
    ASSERT_TRUE(files::ProfileError());
    EXPECT_EQ(files::ProfileError()->number, vb::errPathFileAccess);

    Sandbox::Write(box.windows / "a.ini", "[A]\r\nx=1\r\n");
    fs::create_directory(files::TempName(box.windows / "a.ini"));
    EXPECT_FALSE(files::WritePrivateProfileString("A", "x", "2", "a.ini"));
    EXPECT_EQ(Sandbox::Read(box.windows / "a.ini"), "[A]\r\nx=1\r\n");
}

TEST(Profile, ANullKeyRemovesTheWholeSection) {
    Sandbox box;
    Sandbox::Write(box.windows / "x.ini", "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n[b]\r\nb=4\r\n");
    ASSERT_TRUE(files::DeletePrivateProfileSection("b", "x.ini"));
    EXPECT_EQ(Sandbox::Read(box.windows / "x.ini"), "[A]\r\na=1\r\n\r\n[C]\r\nc=3\r\n");
    files::IniDocument doc(Sandbox::Read(box.windows / "x.ini"));
    EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(doc.Keys("c"), (std::vector<std::string>{"c"}));
}

}  // namespace
