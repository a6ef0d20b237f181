#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/core/text.h"
#include "platform/files/locations.h"
#include "platform/files/profile.h"
#include "platform/files/safesave.h"
#include "platform/files/settings.h"
#include "sandbox_env.h"
#include "support/file_checks.h"

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

// One action's writes: read back from the image, the file untouched until the one save, and a
// save that fails leaves the file as it was.
TEST(Profile, ABatchSavesItsWritesOnce) {
    Sandbox box;
    const fs::path ini = box.windows / "a.ini";
    Sandbox::Write(ini, "[A]\r\nx=1\r\n");
    testsupport::SavesInto saves(box.windows);
    {
        files::ProfileBatch batch("a.ini");
        EXPECT_TRUE(files::WritePrivateProfileString("A", "x", "2", "A.INI"));
        {
            files::ProfileBatch inner("a.ini");
            EXPECT_TRUE(files::WritePrivateProfileString("B", "k", "v", "a.ini"));
        }
        EXPECT_TRUE(files::DeletePrivateProfileSection("C", "a.ini"));
        EXPECT_EQ(files::GetPrivateProfileString("A", "x", "", 75, "a.ini"), "2");
        EXPECT_EQ(Sandbox::Read(ini), "[A]\r\nx=1\r\n");
        EXPECT_EQ(saves.Of("a.ini"), 0);
        EXPECT_FALSE(batch.Save());
        EXPECT_EQ(Sandbox::Read(ini), "[A]\r\nx=2\r\n[B]\r\nk=v\r\n");
        EXPECT_EQ(saves.Of("a.ini"), 1);

        fs::create_directory(files::TempName(ini));
        EXPECT_TRUE(files::WritePrivateProfileString("A", "x", "3", "a.ini"));
        const auto error = batch.Save();
        ASSERT_TRUE(error);
        EXPECT_NE(error->source.find(ini.string()), std::string::npos) << error->source;
        EXPECT_EQ(files::ProfileError()->source, error->source);
        EXPECT_EQ(files::GetPrivateProfileString("A", "x", "", 75, "a.ini"), "2") << "the failed writes are gone";
        fs::remove(files::TempName(ini));
    }
    EXPECT_EQ(Sandbox::Read(ini), "[A]\r\nx=2\r\n[B]\r\nk=v\r\n");

    // A file the batch makes is found by any spelling of its name, and the settings store batches too.
    {
        files::ProfileBatch batch("new.ini");
        files::ProfileBatch settings(files::SettingsFile("app").string());
        EXPECT_TRUE(files::WritePrivateProfileString("S", "a", "1", "new.ini"));
        EXPECT_TRUE(files::WritePrivateProfileString("S", "b", "2", "NEW.INI"));
        EXPECT_EQ(files::GetPrivateProfileString("s", "A", "", 75, "New.Ini"), "1");
        files::SaveSetting("app", "Settings", "Left", "10");
        files::SaveSetting("app", "Settings", "Top", " 20");
        EXPECT_EQ(files::GetSetting("app", "Settings", "Top"), " 20");
        EXPECT_FALSE(fs::exists(files::SettingsFile("app")));
    }
    EXPECT_EQ(Sandbox::Read(box.windows / "new.ini"), "[S]\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(saves.Of("new.ini") + saves.Of("NEW.INI"), 1);
    EXPECT_EQ(Sandbox::Read(files::SettingsFile("app")), "[Settings]\r\nLeft=10\r\nTop=\" 20\"\r\n");
}

}  // namespace

namespace {

namespace fs = std::filesystem;
using testenv::Sandbox;

// A last line cut short by a lone CR ("[WinWord\r") must not swallow the line end a write adds:
// with LF lines a bare LF would make "\r\n" of it and turn the line into the section's header.
TEST(Profile, AWriteReadsBackAsWrittenAfterALoneCarriageReturn) {
    struct Row {
        const char* name;
        const char* before;
        const char* after;
    };
    const Row rows[] = {
        {"header cut by a CR, LF file", "\n[WinWord\r", "\n[WinWord\r\r\n[WinWord]\nPath=C:\\W\n"},
        {"header cut by a CR, CR LF file", "[A]\r\nx=1\r\n[WinWord\r",
         "[A]\r\nx=1\r\n[WinWord\r\r\n[WinWord]\r\nPath=C:\\W\r\n"},
        {"entry cut by a CR, LF file", "[WinWord]\nOther=1\r", "[WinWord]\nOther=1\r\r\nPath=C:\\W\n"},
    };
    for (const auto& row : rows) {
        files::IniDocument doc(row.before);
        ASSERT_TRUE(doc.Set("WinWord", "Path", std::string("C:\\W"))) << row.name;
        EXPECT_EQ(doc.Get("WinWord", "Path"), "C:\\W") << row.name;
        EXPECT_EQ(doc.bytes(), row.after) << row.name;
    }
    files::IniDocument other("[WinWord]\nOther=1\r");
    other.Set("WinWord", "Path", std::string("p"));
    EXPECT_EQ(other.Get("WinWord", "Other"), "1\r") << "the other line keeps its value";

    Sandbox box;
    Sandbox::Write(box.windows / "TARVOLIN.INI", "\n[WinWord\r");
    ASSERT_TRUE(files::WritePrivateProfileString("WinWord", "Path", std::string("C:\\W"), "TARVOLIN.INI"));
    EXPECT_EQ(files::GetPrivateProfileString("WinWord", "Path", "", 75, "TARVOLIN.INI"), "C:\\W");
}

// Every text of up to five characters from the bytes that shape an INI: a written value reads
// back, a removed one is gone, and the file read once answers as the document does.
TEST(Profile, EveryShortTextKeepsWhatIsWritten) {
    const std::string alphabet = "[W]\r\n=P\xE9";
    std::vector<std::string> texts{""};
    for (std::size_t begin = 0, len = 0; len < 5; ++len) {
        const std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i)
            for (char c : alphabet) texts.push_back(texts[i] + c);
        begin = end;
    }
    int failures = 0;
    for (const std::string& text : texts) {
        files::IniDocument written(text);
        if (written.Set("W", "P", std::string("v")) && written.Get("W", "P") != "v") ++failures;
        files::IniDocument removed(text);
        if (removed.Set("W", "P", std::nullopt) && removed.Get("W", "P")) ++failures;
        const files::IniDocument doc(text);
        const files::IniFile file(text);
        for (const char* section : {"W", "w", "P", "\xC9", "W\xE9"})
            for (const char* key : {"P", "W"})
                if (doc.Get(section, key) != file.Get(section, key)) ++failures;
        if (failures > 0) {
            ADD_FAILURE() << "first failing text: " << vb::Replace(vb::Replace(text, "\r", "\\r"), "\n", "\\n");
            break;
        }
    }
}

// A file is read once while its identity, size and time stay the same, and read again when any
// of them changes; a file changed within the last moments is always read again.
TEST(Profile, AnUnchangedFileIsReadOnce) {
    Sandbox box;
    files::ForgetIniFiles();
    const fs::path ini = box.windows / "calories.INI";
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    Sandbox::Write(ini, "[date]\r\nmessage4=1\r\n");
    EXPECT_EQ(files::GetPrivateProfileString("date", "message4", "", 75, "calories.INI"), "1")
        << "a file written just now is read";
    Sandbox::Write(ini, "[date]\r\nmessage4=2\r\n");  // same size, same clock tick
    EXPECT_EQ(files::GetPrivateProfileString("date", "message4", "", 75, "calories.INI"), "2");

    fs::last_write_time(ini, past);
    EXPECT_EQ(files::GetPrivateProfileString("date", "message4", "", 75, "calories.INI"), "2");
    Sandbox::Write(ini, "[date]\r\nmessage4=3\r\n");
    fs::last_write_time(ini, past);  // only the content differs: the file counts as unchanged
    EXPECT_EQ(files::GetPrivateProfileString("date", "message4", "", 75, "calories.INI"), "2");
    files::ForgetIniFiles();
    EXPECT_EQ(files::GetPrivateProfileString("date", "message4", "", 75, "calories.INI"), "3");

    Sandbox::Write(ini, "[date]\r\nmessage4=44\r\n");
    fs::last_write_time(ini, past);  // a new size
    EXPECT_EQ(files::GetPrivateProfileString("date", "message4", "", 75, "calories.INI"), "44");
    ASSERT_TRUE(files::WritePrivateProfileString("date", "message4", std::string("5"), "calories.INI"));
    EXPECT_EQ(files::GetPrivateProfileString("date", "message4", "", 75, "calories.INI"), "5");
    fs::remove(ini);
    EXPECT_EQ(files::GetPrivateProfileString("date", "message4", "gone", 75, "calories.INI"), "gone");
}

}  // namespace

namespace {

// A file is read a piece at a time to find its sections; headers and lines that straddle the
// pieces, blanks, letter case and later copies of a section read as the whole text reads.
TEST(Profile, ALargeFileReadsAsItsWholeText) {
    Sandbox box;
    std::mt19937 random(5);
    std::string text = "\xEF\xBB\xBF";
    std::vector<std::string> names;
    for (int n = 0; text.size() < (5u << 19); ++n) {
        const std::string name = "Section " + std::to_string(n) + std::string(random() % 40, 'x');
        names.push_back(name);
        text += std::string(random() % 3, ' ') + "[" + (n % 7 == 0 ? vb::UCase(name) : name) + "]\r\n";
        for (int k = 0; k < static_cast<int>(random() % 6); ++k)
            text += "key" + std::to_string(k) + " = " + std::string(random() % 300, 'v') + std::to_string(n) + "\r\n";
        if (n % 11 == 0) text += "[" + names[random() % names.size()] + "]\r\nkey0=later copy\r\n";
    }
    Sandbox::Write(box.windows / "big.ini", text);
    fs::last_write_time(box.windows / "big.ini", fs::file_time_type::clock::now() - std::chrono::hours(1));
    files::ForgetIniFiles();
    // The text in memory answers as the document does (the short texts above show it).
    const files::IniFile whole(text);
    const files::IniDocument doc(text);
    for (int probe = 0; probe < 200; ++probe) {
        const std::string& name = names[random() % names.size()];
        for (const char* key : {"key0", "KEY1", "key5"}) {
            const std::string expected = whole.Get(name, key).value_or("none");
            if (probe == 0) {
                EXPECT_EQ(expected, doc.Get(name, key).value_or("none"));
            }
            EXPECT_EQ(files::GetPrivateProfileString(name, key, "none", 1000, "big.ini"), expected) << name << key;
        }
    }
    EXPECT_EQ(files::GetPrivateProfileString("no such section", "key0", "none", 1000, "big.ini"), "none");
}

}  // namespace
