#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/files/regapi.h"
#include "platform/files/registry.h"
#include "sandbox_env.h"

namespace {

using namespace files;
using testenv::Sandbox;
namespace fs = std::filesystem;

std::string Utf16Le(std::string_view ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

std::string Bytes(std::initializer_list<int> b) {
    std::string s;
    for (int x : b) s += static_cast<char>(x);
    return s;
}

// The same values in each file style; every style must give the same registry.
const char* const kExport5 =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WINWORD.EXE]\r\n"
    "@=\"C:\\\\Office\\\\WINWORD.EXE\"\r\n"
    "\"Path\"=\"C:\\\\Office\\\\\"\r\n"
    "\"Quote\"=\"say \\\"hi\\\"\"\r\n"
    "\"Count\"=dword:00000010\r\n"
    "\"Expand\"=hex(2):25,00,48,00,25,00,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,\\\r\n"
    "  00,00,00,00\r\n"
    "\"Bin\"=hex:01,ff\r\n"
    "\"Gone\"=\"x\"\r\n"
    "\"Gone\"=-\r\n";

const char* const kRegedit4 =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WINWORD.EXE]\r\n"
    "@=\"C:\\\\Office\\\\WINWORD.EXE\"\r\n"
    "\"Path\"=\"C:\\\\Office\\\\\"\r\n"
    "\"Quote\"=\"say \\\"hi\\\"\"\r\n"
    "\"Count\"=dword:00000010\r\n"
    "\"Expand\"=hex(2):25,48,25,00\r\n"
    "\"Multi\"=hex(7):61,00,62,00,00\r\n"
    "\"Bin\"=hex:01,ff\r\n";

const char* const kWine =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n\n"
    "#arch=win32\n\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\WINWORD.EXE] 1234567890\n"
    "#time=1d2b3c4d5e6f708\n"
    "@=\"C:\\\\Office\\\\WINWORD.EXE\"\n"
    "\"Path\"=\"C:\\\\Office\\\\\"\n"
    "\"Quote\"=\"say \\\"hi\\\"\"\n"
    "\"Count\"=dword:00000010\n"
    "\"Expand\"=str(2):\"%H%\"\n"
    "\"Multi\"=str(7):\"a\\0b\\0\"\n"
    "\"Bin\"=hex:01,ff\n";

TEST(Registry, EveryFileStyleGivesTheSameValues) {
    struct Row {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        {"export, UTF-16LE with a byte-order mark", Utf16Le(kExport5)},
        {"export, 8-bit", kExport5},
        {"REGEDIT4", kRegedit4},
        {"Wine hive", kWine},
    };
    const std::string path = "SOFTWARE\\MICROSOFT\\windows\\CurrentVersion\\App Paths\\winword.exe";
    for (const auto& row : rows) {
        Registry reg;
        reg.Load(row.bytes, HKEY_CURRENT_USER);  // the files name their root themselves
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(reg.HasKey(HKEY_LOCAL_MACHINE, "software\\microsoft"));
        EXPECT_EQ(reg.String(HKEY_LOCAL_MACHINE, path, "PATH"), "C:\\Office\\");
        EXPECT_EQ(reg.String(HKEY_LOCAL_MACHINE, path, ""), "C:\\Office\\WINWORD.EXE");
        EXPECT_EQ(reg.String(HKEY_LOCAL_MACHINE, path, "quote"), "say \"hi\"");
        const RegValue* count = reg.Find(HKEY_LOCAL_MACHINE, path, "Count");
        ASSERT_TRUE(count);
        EXPECT_EQ(count->type, REG_DWORD);
        EXPECT_EQ(count->data, Bytes({0x10, 0, 0, 0}));
        const RegValue* expand = reg.Find(HKEY_LOCAL_MACHINE, path, "Expand");
        ASSERT_TRUE(expand);
        EXPECT_EQ(expand->type, REG_EXPAND_SZ);
        EXPECT_EQ(RegTextToUtf8(expand->data), std::string("%H%\0", 4));
        const RegValue* multi = reg.Find(HKEY_LOCAL_MACHINE, path, "Multi");
        ASSERT_TRUE(multi);
        EXPECT_EQ(multi->type, REG_MULTI_SZ);
        EXPECT_EQ(RegTextToUtf8(multi->data), std::string("a\0b\0\0", 5));
        const RegValue* bin = reg.Find(HKEY_LOCAL_MACHINE, path, "Bin");
        ASSERT_TRUE(bin);
        EXPECT_EQ(bin->type, REG_BINARY);
        EXPECT_EQ(bin->data, Bytes({0x01, 0xFF}));
        EXPECT_FALSE(reg.Find(HKEY_LOCAL_MACHINE, path, "Gone"));
        EXPECT_FALSE(reg.HasKey(HKEY_CURRENT_USER, "Software\\Microsoft"));
    }
}

TEST(Registry, WineEscapesAndRoots) {
    Registry reg;
    reg.Load("WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
             "[Software\\\\A\\\\B] 1600000000\n"
             "\"Tab\"=\"a\\tb\"\n"
             "\"Hex\"=\"caf\\x00e9\"\n"
             "\"Octal\"=\"\\101\"\n"
             "\"Plain\"=str:\"p\"\n"
             "\"Wrapped\"=hex(3):01,02,\\\n  03\n",
             HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.String(HKEY_CURRENT_USER, "software\\a\\b", "tab"), "a\tb");
    EXPECT_EQ(reg.String(HKEY_CURRENT_USER, "software\\a\\b", "hex"), "caf\xC3\xA9");
    EXPECT_EQ(reg.String(HKEY_CURRENT_USER, "software\\a\\b", "octal"), "A");
    EXPECT_EQ(reg.String(HKEY_CURRENT_USER, "software\\a\\b", "plain"), "p");
    EXPECT_EQ(reg.Find(HKEY_CURRENT_USER, "software\\a\\b", "wrapped")->data, Bytes({1, 2, 3}));

    Registry hive;  // no header: the keys belong to the hive the file was read for
    hive.Load("WINE REGISTRY Version 2\n[Software\\\\X]\n\"v\"=\"1\"\n", HKEY_LOCAL_MACHINE);
    EXPECT_EQ(hive.String(HKEY_LOCAL_MACHINE, "Software\\X", "v"), "1");
}

TEST(Registry, DamagedLinesAreSkipped) {
    Registry reg;
    reg.Load("Windows Registry Editor Version 5.00\n"
             "[HKEY_NOWHERE\\A]\n\"v\"=\"lost\"\n"
             "[HKEY_CURRENT_USER\\A]\n"
             "\"unterminated\"=\"abc\n"
             "\"badhex\"=hex:zz\n"
             "\"baddword\"=dword:123456789\n"
             "garbage line\n"
             "\"ok\"=\"fine\"\n"
             "[-HKEY_CURRENT_USER\\B]\n",
             HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.ValueNames(HKEY_CURRENT_USER, "A"), (std::vector<std::string>{"ok"}));
    EXPECT_EQ(reg.KeyCount(), 2u);  // the root and A
}

TEST(Registry, BytesThatAreNoRegistryFileAddNothing) {
    const std::string key = "[HKEY_CURRENT_USER\\A]\r\n";
    struct Row {
        const char* name;
        std::string bytes;
        bool readable;
    };
    const Row rows[] = {
        {"empty", "", false},
        {"blank lines only", "\r\n  \r\n", false},
        {"no signature", key + "\"v\"=\"1\"\r\n", false},
        {"random bytes", Bytes({0x8B, 0x13, 0x00, 0xF7, 0x42, 0x0A, 0x5B, 0xC3}), false},
        {"NULs after a good start", std::string("REGEDIT4\r\n") + key + std::string(64, '\0'), false},
        {"cut inside a text", "REGEDIT4\r\n" + key + "\"v\"=\"C:\\\\Off", false},
        {"cut inside a key name", "REGEDIT4\r\n" + key + "[HKEY_CURRENT_USER\\B", false},
        {"cut inside a value name", "REGEDIT4\r\n" + key + "\"v", false},
        {"cut after a continued line", "REGEDIT4\r\n" + key + "\"b\"=hex:01,02,\\\r\n", false},
        {"UTF-16 cut inside a character", Utf16Le("REGEDIT4\r\n" + key) + "\"", false},
        {"cut in a Wine hive", "WINE REGISTRY Version 2\n[Software\\\\A] 1\n\"v\"=str:\"x", false},
        {"signature only", "REGEDIT4\r\n", true},
        {"last line whole without a line break", "REGEDIT4\r\n" + key + "\"v\"=\"1\"", true},
        {"damaged line inside", "REGEDIT4\r\n" + key + "\"v\"=\"1\r\n\"w\"=\"2\"\r\n", true},
        {"option lines of a hive", "WINE REGISTRY Version 2\n#arch=win64\n[A] 1\n#time=1\n\"v\"=\"1\"\n", true},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n" + key, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Registry reg;
        ASSERT_FALSE(reg.Load("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Kept]\n\"k\"=\"1\"\n", HKEY_LOCAL_MACHINE));
        const std::size_t before = reg.KeyCount();
        auto damage = reg.Load(row.bytes, HKEY_CURRENT_USER);
        EXPECT_EQ(!damage, row.readable) << damage.value_or("");
        if (!row.readable) {
            EXPECT_EQ(reg.KeyCount(), before);
        }
        EXPECT_EQ(reg.String(HKEY_LOCAL_MACHINE, "Kept", "k"), "1");
    }
}

TEST(Registry, FilesThatCannotBeReadAreErrorsAMissingOneIsEmpty) {
    Sandbox box;
    const fs::path file = box.root / "x.reg";
    struct Row {
        const char* name;
        std::function<void()> make;
        int error;  // 0: read
        const char* detail;
    };
    const Row rows[] = {
        {"missing", [] {}, 0, ""},
        {"good", [&] { Sandbox::Write(file, "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n"); }, 0, ""},
        {"a folder", [&] { fs::create_directory(file); }, 75, "Is a directory"},
        {"a FIFO", [&] { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }, 75, "not a regular file"},
        {"a link to itself", [&] { fs::create_symlink(file, file); }, 75, "Too many levels"},
        {"random bytes", [&] { Sandbox::Write(file, "\x01\x02garbage\xFF"); }, 321, "signature"},
        {"empty", [&] { Sandbox::Write(file, ""); }, 321, "empty"},
        {"cut short", [&] { Sandbox::Write(file, "REGEDIT4\n[HKEY_CURRENT_USER\\A"); }, 321, "cut short"},
        {"over the size limit", [&] {
             Sandbox::Write(file, "REGEDIT4\n");
             fs::resize_file(file, kMaxRegistryFileSize + 1);  // sparse: never read
         }, 321, "64 MB"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::error_code ec;
        fs::remove_all(file, ec);
        row.make();
        Registry reg;
        try {
            EXPECT_EQ(reg.LoadFile(file, HKEY_CURRENT_USER), std::string(row.name) != "missing");
            EXPECT_EQ(row.error, 0);
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number, row.error);
            EXPECT_NE(e.source.find(file.string()), std::string::npos) << e.source;
            EXPECT_NE(e.source.find(row.detail), std::string::npos) << e.source;
        }
    }
}

TEST(Registry, ApiReportsARootWhoseFileCannotBeRead) {
    Sandbox box;
    Sandbox::Write(box.wine / "user.reg", "WINE REGISTRY Version 2\n[Software\\\\Mine]\n\"v\"=\"1\"\n");
    fs::create_directory(box.wine / "system.reg");
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_REGISTRY_IO_FAILED);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "x", 0, KEY_READ, &key), ERROR_REGISTRY_IO_FAILED);
    EXPECT_EQ(RegQueryValueEx(HKEY_LOCAL_MACHINE, "v", nullptr, nullptr, nullptr), ERROR_REGISTRY_IO_FAILED);
    ASSERT_TRUE(RegistryFileError(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(RegistryFileError(HKEY_LOCAL_MACHINE)->number, 75);
    // The other hive file is read as before.
    EXPECT_FALSE(RegistryFileError(HKEY_CURRENT_USER));
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Mine", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);

    fs::remove(box.wine / "system.reg");
    Sandbox::Write(box.wine / "system.reg", "not a registry\n");
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_REGISTRY_CORRUPT);
    fs::remove(box.wine / "system.reg");
    EXPECT_FALSE(RegistryFileError(HKEY_LOCAL_MACHINE)) << "a missing file is an empty registry";
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, ApiReadsTheWinePrefixOrTheNamedFile) {
    Sandbox box;
    Sandbox::Write(box.wine / "system.reg",
                   "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n"
                   "[Software\\\\Wow6432Node\\\\Vendor\\\\Tool]\n\"Name\"=\"caf\\x00e9\"\n"
                   "[Software\\\\Big]\n\"Long\"=\"" + std::string(1024, 'x') + "\"\n\"Fits\"=\"" +
                       std::string(1023, 'y') + "\"\n");
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor\\Tool", 0, 0x2003F, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nobody", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    // A 32-bit program's key is found through Wow6432Node.
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor\\Tool", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "NAME", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 5u);  // Windows-1252 bytes and the NUL
    std::uint8_t buf[8] = {};
    size = 4;
    EXPECT_EQ(RegQueryValueEx(key, "Name", &type, buf, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    size = sizeof buf;
    ASSERT_EQ(RegQueryValueEx(key, "Name", &type, buf, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), size), std::string("caf\xE9\0", 5));
    EXPECT_EQ(RegQueryValueEx(key, "None", &type, buf, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(key, "Name", &type, buf, &size), ERROR_INVALID_HANDLE);

    std::vector<std::uint8_t> big(1024);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Big", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    size = 1024;
    EXPECT_EQ(RegQueryValueEx(key, "Long", &type, big.data(), &size), ERROR_MORE_DATA);
    size = 1024;
    EXPECT_EQ(RegQueryValueEx(key, "Fits", &type, big.data(), &size), ERROR_SUCCESS);
    RegCloseKey(key);

    Sandbox::Write(box.root / "one.reg", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Mine]\n\"v\"=\"1\"\n");
    box.Set("REGISTRY_FILE", (box.root / "one.reg").string());
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Mine", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Tool", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, ExpandsEnvironmentNames) {
    Sandbox box;
    box.Set("VT_OFFICE", "/opt/office");
    struct Row {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"known name", "%VT_OFFICE%\\bin", "/opt/office\\bin"},
        {"names ignore case", "%vt_office%", "/opt/office"},
        {"unknown name stays", "%VT_NOT_SET%\\x", "%VT_NOT_SET%\\x"},
        {"a stray percent opens the next name", "50% %VT_OFFICE%", "50% /opt/office"},
        {"unclosed", "a%b", "a%b"},
        {"empty name", "%%", "%%"},
    };
    for (const auto& row : rows) EXPECT_EQ(ExpandEnvironmentStrings(row.text), row.expected) << row.name;

    // Past the longest text an expansion may make, the text stays as written.
    const std::string half(kMaxExpandedLength / 2 + 1, 'b'), rest(kMaxExpandedLength - half.size(), 'r');
    box.Set("VT_BIG", half);
    EXPECT_EQ(ExpandEnvironmentStrings("%VT_BIG%" + rest), half + rest) << "at the bound";
    EXPECT_EQ(ExpandEnvironmentStrings("%VT_BIG%%VT_BIG%"), "%VT_BIG%%VT_BIG%") << "one past";
}

TEST(Registry, ExpandsAgainstTheUsersEnvironmentOverTheMachines) {
    Sandbox box;
    box.Set("VT_HOME", "/home/vt");
    box.Set("VT_UNSET", std::nullopt);
    Registry reg;
    ASSERT_FALSE(reg.Load("REGEDIT4\r\n"
                          "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\\Environment]\r\n"
                          "\"Path\"=\"C:\\\\bin\"\r\n"
                          "\"Tools\"=\"C:\\\\tools\"\r\n"
                          "\"VT_HOME\"=hex(2):25,56,54,5f,48,4f,4d,45,25,5c,6d,00\r\n"  // %VT_HOME%\m
                          "[HKEY_CURRENT_USER\\Environment]\r\n"
                          "\"Path\"=hex(2):25,50,41,54,48,25,3b,25,54,6f,6f,6c,73,25,00\r\n"  // %PATH%;%Tools%
                          "\"Tools\"=\"D:\\\\mine\"\r\n"
                          "\"VT_HOME\"=hex(2):25,76,74,5f,68,6f,6d,65,25,5c,77,00\r\n",  // %vt_home%\w
                          HKEY_LOCAL_MACHINE));
    struct Row {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"the user's own name reaches the machine's", "%Path%", "C:\\bin;D:\\mine"},
        {"the user's over the machine's", "%TOOLS%", "D:\\mine"},
        {"each layer's own name reaches the one below", "%VT_HOME%", "/home/vt\\m\\w"},
        {"defined nowhere", "%VT_UNSET%", "%VT_UNSET%"},
    };
    for (const auto& row : rows) EXPECT_EQ(ExpandRegistryString(row.text, &reg, &reg), row.expected) << row.name;
    EXPECT_EQ(ExpandRegistryString("%Path%", &reg, nullptr), "C:\\bin") << "without a user";
}

TEST(Registry, ExpansionMemoryStaysInProportionToTheRegistry) {
    // Values that would each be 17,000 characters, named by pairs that pass the bound, named a
    // thousand at a time by texts that fit, named by threes that pass again: copying every value
    // where it is named would take a gigabyte, though the one text asked for is short.
    std::string hive = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
                       "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1700000000\n"
                       "\"VtB\"=\"" + std::string(17000, 'b') + "\"\n";
    auto var = [&hive](const std::string& name, const std::string& value) {
        hive += "\"" + name + "\"=str(2):\"" + value + "\"\n";
    };
    auto ref = [](const char* kind, int i) { return std::string("%Vt") + kind + std::to_string(i) + "%"; };
    constexpr int kTops = 10, kPerMiddle = 1000;
    int x = 0, p = 0;
    std::string text, expected;
    for (int h = 0; h < kTops; ++h) {
        std::string three;
        for (int g = 3 * h; g < 3 * h + 3; ++g) {
            std::string middle;
            for (int k = 0; k < kPerMiddle; ++k, ++p) {
                var("VtX" + std::to_string(x), "%VtB%");
                var("VtX" + std::to_string(x + 1), "%VtB%");
                var("VtP" + std::to_string(p), ref("X", x) + ref("X", x + 1));
                x += 2;
                middle += ref("P", p);
            }
            var("VtG" + std::to_string(g), middle);
            three += ref("G", g);
        }
        var("VtH" + std::to_string(h), three);
        text += ref("H", h);
        expected += three;  // too long expanded, so as stored
    }
    Registry reg;
    ASSERT_FALSE(reg.Load(hive, HKEY_LOCAL_MACHINE));

    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(ExpandRegistryString(text, &reg, nullptr), expected);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024) << "peak grew by " << (after.ru_maxrss - before.ru_maxrss) << " kB";

    // A chain of names each only another name, named many times, still puts each character out once.
    std::string chain = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
                        "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1700000000\n";
    for (int i = 0; i < 30; ++i) chain += "\"VtC" + std::to_string(i) + "\"=str(2):\"%VtC" + std::to_string(i + 1) + "%\"\n";
    chain += "\"VtC30\"=\"c\"\n";
    Registry linked;
    ASSERT_FALSE(linked.Load(chain, HKEY_LOCAL_MACHINE));
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "%VtC" + std::to_string(i % 30) + "%";
    EXPECT_EQ(ExpandRegistryString(many, &linked, nullptr), std::string(10000, 'c'));
}

}  // namespace
