#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "dornwick/Dornwick.h"
#include "platform/files/sandbox_env.h"

namespace {

namespace fs = std::filesystem;
using testenv::Sandbox;

const char* const kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WINWORD.EXE";

// A regedit export holding the App Paths key with the given value lines.
std::string Export(const std::string& values, const std::string& key = kKey) {
    return "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" + key + "]\r\n" + values;
}

struct Branch {
    const char* name;
    std::string registry;  // empty: no registry file at all
    bool wineHive;         // as $WINEPREFIX/system.reg instead of $REGISTRY_FILE
    std::string iniBefore;  // empty: no TARVOLIN.INI yet
    std::optional<std::string> iniAfter;  // nullopt: still no file
    bool read;
};

TEST(Dornwick, EveryRegistryStateEndsInTheIniFileAsExpected) {
    const std::string before = "[Other]\r\nx=1\r\n";
    const Branch rows[] = {
        {"text", Export("\"Path\"=\"C:\\\\Office\\\\\"\r\n"), false, before,
         before + "[WinWord]\r\nPath=C:\\Office\\\r\n", true},
        {"text in a Wine hive, names in other case",
         "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
         "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\winword.exe] 1700000000\n"
         "#time=1da0000000000\n\"path\"=\"C:\\\\Program Files\\\\Office\\\\\"\n",
         true, "", "[WinWord]\r\nPath=C:\\Program Files\\Office\\\r\n", true},
        {"empty text", Export("\"Path\"=\"\"\r\n"), false, "", "[WinWord]\r\nPath=\r\n", true},
        {"text of no bytes at all", Export("\"Path\"=hex(1):\r\n"), false, "", "[WinWord]\r\nPath=\r\n", true},
        {"key missing", Export("\"Path\"=\"x\"\r\n", "SOFTWARE\\Other"), false, "", "[WinWord]\r\nPath=\r\n", false},
        {"value missing", Export("@=\"C:\\\\Office\\\\WINWORD.EXE\"\r\n"), false, "", "[WinWord]\r\nPath=\r\n", false},
        {"no registry", "", false, "", "[WinWord]\r\nPath=\r\n", false},
        {"longer than the buffer", Export("\"Path\"=\"" + std::string(1024, 'p') + "\"\r\n"), false,
         "[WinWord]\r\nPath=old\r\n", "[WinWord]\r\nPath=\r\n", false},
        {"longest that fits", Export("\"Path\"=\"" + std::string(1023, 'p') + "\"\r\n"), false, "",
         "[WinWord]\r\nPath=" + std::string(1023, 'p') + "\r\n", true},
        {"dword sixteen keeps its zero bytes", Export("\"Path\"=dword:00000010\r\n"), false, "",
         "[WinWord]\r\nPath=16\r\n", true},
        {"dword with the top bit set is unsigned", Export("\"Path\"=dword:ffffffff\r\n"), false, "",
         "[WinWord]\r\nPath=4294967295\r\n", true},
        {"expandable text is expanded", Export("\"Path\"=hex(2):25,00,44,00,57,00,5f,00,44,00,52,00,49,00,56,00,45,00,"
                                               "25,00,5c,00,4f,00,00,00\r\n"),
         false, "", "[WinWord]\r\nPath=D:\\O\r\n", true},
        {"multi-string removes the key, the section stays", Export("\"Path\"=hex(7):61,00,00,00,00,00\r\n"), false,
         "[WinWord]\r\nPath=old\r\nOther=1\r\n", "[WinWord]\r\nOther=1\r\n", true},
        {"binary with no section writes nothing", Export("\"Path\"=hex:01,02\r\n"), false, "", std::nullopt, true},
        {"32-bit registration", Export("\"Path\"=\"C:\\\\Office32\\\\\"\r\n",
                                       "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WINWORD.EXE"),
         false, "", "[WinWord]\r\nPath=C:\\Office32\\\r\n", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Sandbox box;
        box.Set("DW_DRIVE", "D:");
        if (!row.registry.empty()) {
            fs::path file = row.wineHive ? box.wine / "system.reg" : box.root / "word.reg";
            Sandbox::Write(file, row.registry);
            if (!row.wineHive) box.Set("REGISTRY_FILE", file.string());
        }
        fs::path ini = box.windows / "TARVOLIN.INI";
        if (!row.iniBefore.empty()) Sandbox::Write(ini, row.iniBefore);

        files::HKEY root = files::HKEY_LOCAL_MACHINE;
        std::optional<std::string> path;
        EXPECT_EQ(dornwick::GetKeyValue(root, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP PATHS\\WINWORD.EXE",
                                        "PATH", path),
                  row.read);
        EXPECT_EQ(dornwick::Main(), 0);
        if (row.iniAfter) EXPECT_EQ(Sandbox::Read(ini), *row.iniAfter);
        else EXPECT_FALSE(fs::exists(ini));
    }
}

TEST(Dornwick, ARegistryThatCannotBeReadLeavesTheStoredPathAlone) {
    const std::string good = Export("\"Path\"=\"C:\\\\Office\\\\\"\r\n");
    struct Row {
        const char* name;
        std::function<void(const fs::path&)> make;
    };
    const Row rows[] = {
        {"a folder", [](const fs::path& f) { fs::create_directory(f); }},
        {"random bytes", [](const fs::path& f) { Sandbox::Write(f, std::string("\x7F\x45\x4C\x46\x02\x01\x01\x00", 8)); }},
        {"empty", [](const fs::path& f) { Sandbox::Write(f, ""); }},
        {"cut short", [&](const fs::path& f) { Sandbox::Write(f, good.substr(0, good.size() - 8)); }},
        {"256 MB", [](const fs::path& f) {
             Sandbox::Write(f, "REGEDIT4\r\n");
             fs::resize_file(f, 256u << 20);
         }},
        {"a FIFO", [](const fs::path& f) { ASSERT_EQ(mkfifo(f.c_str(), 0600), 0); }},
    };
    const std::string ini = "[WinWord]\r\nPath=C:\\Office\\\r\n";
    for (const auto& row : rows) {
        for (bool wineHive : {true, false}) {
            SCOPED_TRACE(std::string(row.name) + (wineHive ? " as system.reg" : " as $REGISTRY_FILE"));
            Sandbox box;
            fs::path file = wineHive ? box.wine / "system.reg" : box.root / "word.reg";
            row.make(file);
            if (!wineHive) box.Set("REGISTRY_FILE", file.string());
            Sandbox::Write(box.windows / "TARVOLIN.INI", ini);

            testing::internal::CaptureStderr();
            EXPECT_EQ(dornwick::Main(), 1);
            std::string err = testing::internal::GetCapturedStderr();
            EXPECT_EQ(err.rfind("Dornwick: could not read the registry in " + file.string() + ": ", 0), 0u) << err;
            EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line";
            EXPECT_EQ(Sandbox::Read(box.windows / "TARVOLIN.INI"), ini);
        }
    }
}

// Wine hive files: the machine's with the App Paths entry's expandable Path and the keys given,
// the user's with the keys given.
std::string MachineHive(const std::string& path, const std::string& keys) {
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
           "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\WINWORD.EXE] 1700000000\n"
           "\"Path\"=str(2):\"" + path + "\"\n\n" + keys;
}
std::string UserHive(const std::string& keys) {
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n" + keys;
}
const std::string kMachineEnv = "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1700000000\n";
// As Wine writes it: CurrentControlSet is a link to ControlSet001.
std::string LinkedMachineEnv() {
    std::string hex;
    for (char c : std::string("\\Registry\\Machine\\System\\ControlSet001")) {
        char b[8];
        std::snprintf(b, sizeof b, "%s%02x,00", hex.empty() ? "" : ",", static_cast<unsigned char>(c));
        hex += b;
    }
    return "[System\\\\CurrentControlSet] 1700000000\n#link\n\"SymbolicLinkValue\"=hex(6):" + hex + "\n\n"
           "[System\\\\ControlSet001\\\\Control\\\\Session Manager\\\\Environment] 1700000000\n";
}

TEST(Dornwick, AnExpandablePathTakesTheWinePrefixsOwnEnvironment) {
    const std::string programFiles = "\"ProgramFiles\"=\"C:\\\\Program Files\"\n";
    const struct {
        const char* name;
        std::string path, machine, user;
        const char* expected;
    } rows[] = {
        {"the machine's variable", "%ProgramFiles%\\\\Office\\\\", kMachineEnv + programFiles, "",
         "C:\\Program Files\\Office\\"},
        {"through the control set link", "%PROGRAMFILES%\\\\Office", LinkedMachineEnv() + programFiles, "",
         "C:\\Program Files\\Office"},
        {"the user's over the machine's", "%Office%", kMachineEnv + "\"Office\"=\"C:\\\\Machine\"\n",
         "[Environment] 1700000000\n\"Office\"=\"D:\\\\Mine\"\n", "D:\\Mine"},
        {"a variable made of another", "%OfficeDir%\\\\Winword",
         kMachineEnv + programFiles + "\"OfficeDir\"=str(2):\"%ProgramFiles%\\\\Office\"\n", "",
         "C:\\Program Files\\Office\\Winword"},
        {"defined nowhere stays as it stands", "%NoSuchPlace%\\\\Office\\\\", kMachineEnv + programFiles, "",
         "%NoSuchPlace%\\Office\\"},
        {"the process's when the prefix has none", "%DW_DRIVE%\\\\Office", kMachineEnv + programFiles, "",
         "D:\\Office"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Sandbox box;
        box.Set("DW_DRIVE", "D:");
        box.Set("ProgramFiles", std::nullopt);
        box.Set("NoSuchPlace", std::nullopt);
        Sandbox::Write(box.wine / "system.reg", MachineHive(row.path, row.machine));
        if (!row.user.empty()) Sandbox::Write(box.wine / "user.reg", UserHive(row.user));
        EXPECT_EQ(dornwick::Main(), 0);
        EXPECT_EQ(Sandbox::Read(box.windows / "TARVOLIN.INI"), std::string("[WinWord]\r\nPath=") + row.expected + "\r\n");
    }

    // Variables defined by each other end.
    Sandbox box;
    Sandbox::Write(box.wine / "system.reg", MachineHive("%Loop%", kMachineEnv + "\"Loop\"=str(2):\"%Loop%x\"\n"));
    EXPECT_EQ(dornwick::Main(), 0);
    EXPECT_EQ(Sandbox::Read(box.windows / "TARVOLIN.INI").rfind("[WinWord]\r\nPath=", 0), 0u);
}

std::string Repeat(std::string_view part, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) out += part;
    return out;
}

// A machine variable line for the hive: expandable unless `plain`.
std::string Var(const std::string& name, const std::string& value, bool plain = false) {
    return "\"" + name + "\"=" + (plain ? "\"" : "str(2):\"") + value + "\"\n";
}

TEST(Dornwick, ExpandingThePathEndsWithBoundedTextWhateverTheRegistryHolds) {
    std::string chain;  // each names the next ten times: ten levels would make 2 * 10^10 characters
    for (int i = 0; i < 10; ++i) chain += Var("DwV" + std::to_string(i), Repeat("%DwV" + std::to_string(i + 1) + "%", 10));
    chain += Var("DwV10", "ab", true);
    std::string forty;  // each names the next, forty deep: DwC8 nests 32 deep, DwC7 one more
    for (int i = 0; i < 40; ++i) forty += Var("DwC" + std::to_string(i), "%DwC" + std::to_string(i + 1) + "%");
    forty += Var("DwC40", "end", true);
    const struct {
        const char* name;
        std::string path, machine, user;
        std::string expected;
    } rows[] = {
        {"naming itself ten times keeps its own text", "%DwA%", kMachineEnv + Var("DwA", Repeat("%DwA%", 10)), "",
         Repeat("%DwA%", 10)},
        {"64 KB naming itself is longer than any expansion", "%DwA%",
         kMachineEnv + Var("DwA", Repeat("%DwA%", 13108)), "", "%DwA%"},
        {"the longest expansion is made", "y%DwA%", kMachineEnv + Var("DwA", std::string(32766, 'x'), true), "",
         "y" + std::string(32766, 'x')},
        {"one character more is not", "yy%DwA%", kMachineEnv + Var("DwA", std::string(32766, 'x'), true), "",
         "yy%DwA%"},
        // DwV5 and DwV2 would pass the bound, so they keep their own text
        {"a chain that multiplies", "%DwV0%", kMachineEnv + chain, "", Repeat("%DwV3%", 1000)},
        {"a circle of two: each gives the other's name as written", "%DwA%|%DwB%",
         kMachineEnv + Var("DwA", "%DwB%a") + Var("DwB", "%DwA%b"), "", "%DwB%a|%DwA%b"},
        {"a name nested past the bound keeps its text, met after one that is not", "%DwC8%|%DwC0%", kMachineEnv + forty,
         "", "end|%DwC1%"},
        {"a name nested past the bound keeps its text, met before one that is not", "%DwC0%|%DwC8%",
         kMachineEnv + forty, "", "%DwC1%|end"},
        {"the user's Path extends the machine's", "%PATH%", kMachineEnv + Var("Path", "C:\\\\windows", true),
         "[Environment] 1700000000\n" + Var("Path", "%Path%;D:\\\\Mine"), "C:\\windows;D:\\Mine"},
        {"the user's own name without a machine one is the process's", "%DW_DRIVE%", kMachineEnv,
         "[Environment] 1700000000\n" + Var("DW_DRIVE", "%DW_DRIVE%\\\\Mine"), "D:\\Mine"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Sandbox box;
        box.Set("DW_DRIVE", "D:");
        for (const char* name : {"DwA", "DwB", "DwV0", "DwV3"}) box.Set(name, std::nullopt);
        Sandbox::Write(box.wine / "system.reg", MachineHive(row.path, row.machine));
        if (!row.user.empty()) Sandbox::Write(box.wine / "user.reg", UserHive(row.user));
        EXPECT_EQ(dornwick::Main(), 0);
        EXPECT_EQ(Sandbox::Read(box.windows / "TARVOLIN.INI"), "[WinWord]\r\nPath=" + row.expected + "\r\n");
    }

    // A chain far deeper than any environment ends too, partly as written.
    std::string deep = kMachineEnv;
    for (int i = 0; i < 20000; ++i) deep += Var("DwD" + std::to_string(i), "%DwD" + std::to_string(i + 1) + "%.");
    Sandbox box;
    Sandbox::Write(box.wine / "system.reg", MachineHive("%DwD0%", deep));
    EXPECT_EQ(dornwick::Main(), 0);
    std::string ini = Sandbox::Read(box.windows / "TARVOLIN.INI");
    EXPECT_EQ(ini.rfind("[WinWord]\r\nPath=%DwD", 0), 0u) << ini.substr(0, 80);
    EXPECT_LT(ini.size(), 1000u);
}

TEST(Dornwick, OnlyTheMachineHiveIsRead) {
    Sandbox box;
    Sandbox::Write(box.wine / "user.reg", "damaged");
    Sandbox::Write(box.wine / "system.reg", Export("\"Path\"=\"C:\\\\Office\\\\\"\r\n"));
    EXPECT_EQ(dornwick::Main(), 0);
    EXPECT_EQ(Sandbox::Read(box.windows / "TARVOLIN.INI"), "[WinWord]\r\nPath=C:\\Office\\\r\n");

    fs::remove(box.wine / "system.reg");  // no machine hive: no entry, as without Wine
    EXPECT_EQ(dornwick::Main(), 0);
    EXPECT_EQ(Sandbox::Read(box.windows / "TARVOLIN.INI"), "[WinWord]\r\nPath=\r\n");
}

TEST(Dornwick, AnIniFileThatCannotBeWrittenIsReportedOnStandardError) {
    Sandbox box;
    fs::create_directory(box.windows / "TARVOLIN.INI");
    testing::internal::CaptureStderr();
    EXPECT_EQ(dornwick::Main(), 1);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("Dornwick: could not record the word processor's path in ", 0), 0u) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line";
}

TEST(Dornwick, WritingIsTriedNineTimes) {
    struct Row {
        const char* name;
        int succeedOnCall;  // 0: never
        bool result;
        int calls;
    };
    const Row rows[] = {{"always failing", 0, false, 9}, {"third time lucky", 3, true, 3}, {"first", 1, true, 1}};
    for (const auto& row : rows) {
        int calls = 0;
        dornwick::SetProfileWriter([&](auto, auto, const auto&, auto) { return ++calls == row.succeedOnCall; });
        EXPECT_EQ(dornwick::WriteIniValue("WinWord", "Path", std::string("p"), "TARVOLIN.INI"), row.result) << row.name;
        EXPECT_EQ(calls, row.calls) << row.name;
    }
    dornwick::SetProfileWriter(nullptr);
}

TEST(Dornwick, TheBuiltProgramRecordsThePath) {
    const char* build = std::getenv("VT_BUILD_DIR");
    if (!build) GTEST_SKIP() << "VT_BUILD_DIR not set";
    fs::path exe = fs::path(build) / "dornwick" / "Dornwick";
    if (!fs::exists(exe)) GTEST_SKIP() << "Dornwick not built";
    Sandbox box;
    Sandbox::Write(box.wine / "system.reg",
                   Export("\"Path\"=\"C:\\\\Office\\\\\"\r\n", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                                                               "App Paths\\WINWORD.EXE"));
    Sandbox::Write(box.windows / "tarvolin.ini", "; kept\r\n[WinWord]\r\nPath=old\r\n");
    ASSERT_EQ(std::system(("'" + exe.string() + "'").c_str()), 0);
    EXPECT_EQ(Sandbox::Read(box.windows / "tarvolin.ini"), "; kept\r\n[WinWord]\r\nPath=C:\\Office\\\r\n");

    fs::remove(box.wine / "system.reg");
    fs::create_directory(box.wine / "system.reg");
    int status = std::system(("'" + exe.string() + "' 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(Sandbox::Read(box.windows / "tarvolin.ini"), "; kept\r\n[WinWord]\r\nPath=C:\\Office\\\r\n");

    // Past the file-size limit the write fails and is told; the signal does not end the program.
    fs::remove(box.wine / "system.reg");
    fs::remove(box.windows / "tarvolin.ini");
    status = std::system(("ulimit -f 0; '" + exe.string() + "' 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_FALSE(fs::exists(box.windows / "tarvolin.ini"));

    FILE* p = popen(("'" + exe.string() + "' --version").c_str(), "r");
    ASSERT_TRUE(p);
    char line[64] = {};
    ASSERT_TRUE(fgets(line, sizeof line, p));
    pclose(p);
    EXPECT_STREQ(line, "Dornwick 1.00\n");
}

}  // namespace
