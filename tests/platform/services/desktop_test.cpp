// Links, programs, help, the tray icon, sounds and mail.
#include <gtest/gtest.h>

#include "platform/forms/form.h"
#include "platform/services/desktop.h"
#include "platform/services/mail.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

using namespace services;

class Desktop : public ::testing::Test {
protected:
    drive::TempEnvironment env;
    drive::TestHost host;
};

TEST_F(Desktop, ShellExecuteOpensAddressesFilesAndPrograms) {
    env.WriteFile("page.htm", "<HTML> <\\HTML>");
    const struct {
        const char* name;
        const char* file;
        const char* params;
        long result;
        std::string kind;
        std::string target;
    } cases[] = {
        {"a web address", "http://example.org/", "", SE_OK, "open", "http://example.org/"},
        {"a mail address", "mailto:someone@example.org", "", SE_OK, "open", "mailto:someone@example.org"},
        {"an existing file", "page.htm", "", SE_OK, "open", "page.htm"},
        {"a missing file", "gone.htm", "", SE_ERR_FNF, "", ""},
        {"a program with parameters", "/usr/bin/browser", "http://example.org", SE_OK, "start", "/usr/bin/browser"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t before = host.DesktopCalls().size();
        EXPECT_EQ(ShellExecute("Open", c.file, c.params, "", SW_SHOWNORMAL), c.result);
        if (c.kind.empty()) {
            EXPECT_EQ(host.DesktopCalls().size(), before);
        } else {
            ASSERT_EQ(host.DesktopCalls().size(), before + 1);
            EXPECT_EQ(host.DesktopCalls().back().kind, c.kind);
            EXPECT_EQ(host.DesktopCalls().back().target, c.target);
        }
    }
    EXPECT_EQ(host.DesktopCalls().back().args, (std::vector<std::string>{"/usr/bin/browser", "http://example.org"}));
    host.FailDesktop(true);
    EXPECT_EQ(ShellExecute("Open", "http://example.org/", "", ""), SE_ERR_NOASSOC);
}

TEST_F(Desktop, FindExecutableNeedsTheFileAndAnAssociation) {
    env.WriteFile("temphtm.HTM", "<HTML> <\\HTML>");
    EXPECT_EQ(FindExecutable("missing.htm").code, SE_ERR_FNF);
    EXPECT_EQ(FindExecutable("temphtm.HTM").code, SE_ERR_NOASSOC);
    host.SetDefaultApplication(".htm", "/usr/bin/firefox");
    auto found = FindExecutable("temphtm.HTM");
    EXPECT_GT(found.code, 32);
    EXPECT_EQ(found.path, "/usr/bin/firefox");
}

TEST_F(Desktop, StartProgramSplitsTheCommandLineAndFailsWithError53) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\x.exe\" -a  b"),
              (std::vector<std::string>{"C:\\Program Files\\x.exe", "-a", "b"}));
    EXPECT_GT(StartProgram("/usr/bin/msinfo32 /all"), 0);
    EXPECT_EQ(host.DesktopCalls().back().args, (std::vector<std::string>{"/usr/bin/msinfo32", "/all"}));
    host.FailDesktop(true);
    try {
        StartProgram("/nowhere/prog");
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, 53);
    }
}

TEST_F(Desktop, HelpTopicsArePagesBesideTheHelpFile) {
    forms::App().Path("/opt/recipe");
    const struct {
        const char* name;
        HelpRequest request;
        std::string topic;
    } cases[] = {
        {"a context", {"Sorvella Help.HLP", HELP_CONTEXT, 590}, "/opt/recipe/Sorvella Help/590.html"},
        {"the contents", {"Sorvella Help.HLP", HELP_INDEX, 0}, "/opt/recipe/Sorvella Help/index.html"},
        {"the search", {"/x/Calories.hlp", HELP_PARTIALKEY, 0}, "/x/Calories/index.html"},
        {"a Windows path", {"C:\\prog\\Calories.hlp", HELP_CONTEXT, 7}, "C:/prog/Calories/7.html"},
        {"quitting has no page", {"Calories.hlp", HELP_QUIT, 0}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HelpTopic(c.request), c.topic);
    }
    std::filesystem::create_directories("help");
    env.WriteFile("help/590.html", "<p>mail</p>");  // the shipped pages, in the data folder
    EXPECT_EQ(HelpTopic({"Sorvella Help.HLP", HELP_CONTEXT, 590}), (env.CurrentDir() / "help/590.html").string());
    ShowHelp("Sorvella Help.HLP", HELP_CONTEXT, 340);
    EXPECT_EQ(host.DesktopCalls().back().kind, "help");
    EXPECT_EQ(host.DesktopCalls().back().number, HELP_CONTEXT);
    EXPECT_EQ(host.DesktopCalls().back().data, 340);
}

TEST_F(Desktop, TrayIconsReportTheOldMouseMessages) {
    std::vector<int> got;
    TrayIcon icon;
    icon.tip = std::string("Vantorel (double click or right click to select)") + '\0' + std::string(14, ' ');
    icon.callback = [&](int message) { got.push_back(message); };
    EXPECT_TRUE(TrayAdd(icon));
    EXPECT_EQ(host.DesktopCalls().back().target, "Vantorel (double click or right click to select)");
    for (int m : TrayMessages(TrayActivation::DoubleClick)) host.SendTrayMessage(m);
    for (int m : TrayMessages(TrayActivation::Context)) host.SendTrayMessage(m);
    EXPECT_EQ(got, (std::vector<int>{0x203, 0x202, 0x204, 0x205}));
    EXPECT_TRUE(TrayDelete(1));
    EXPECT_FALSE(TrayDelete(1));
    EXPECT_TRUE(host.TrayIcons().empty());
    EXPECT_EQ(TrayTipText(std::string(80, 'x')).size(), 63u);
}

TEST_F(Desktop, SoundsPlayWhenTheFileExists) {
    env.WriteFile("LV6.wav", "RIFF");
    EXPECT_TRUE(PlaySound("LV6.wav", true));
    EXPECT_FALSE(PlaySound("none.wav", false));
    EXPECT_EQ(host.DesktopCalls().at(0).number, 1);
}

TEST_F(Desktop, MailIsMadeByItsClassIdAndCanFail) {
    auto mail = CreateObject("{8796394b-0731-11d3-b877-00a0c93c99fd}");
    mail->SendHtmlMail("smtp.example.org", "to@example.org", "Soup", "<b>Soup</b>", "me@example.org");
    ASSERT_EQ(host.SentMails().size(), 1u);
    EXPECT_EQ(host.SentMails()[0].body, "<b>Soup</b>");
    host.FailMail(vb::Error(-2147467259, "Connection refused", "MailSender"));
    try {
        mail->SendHtmlMail("s", "t", "u", "v", "w");
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.description, "Connection refused");
        EXPECT_EQ(e.source, "MailSender");
    }
    try {
        CreateObject("{00000000-0000-0000-0000-000000000000}");
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, 429);
    }
}

TEST(TempEnvironment, PrivateFoldersAndVariablesRestored) {
    std::string before = std::filesystem::current_path().string();
    const char* windir = std::getenv("WINDIR");
    std::string oldWindir = windir ? windir : "<unset>";
    {
        drive::TempEnvironment env;
        EXPECT_EQ(std::filesystem::current_path(), env.CurrentDir());
        EXPECT_EQ(std::string(std::getenv("WINDIR")), env.WindowsDir().string());
        EXPECT_EQ(std::string(std::getenv("XDG_CONFIG_HOME")), env.ConfigDir().string());
        EXPECT_EQ(std::getenv("REGISTRY_FILE"), nullptr);
    }
    EXPECT_EQ(std::filesystem::current_path().string(), before);
    const char* after = std::getenv("WINDIR");
    EXPECT_EQ(after ? std::string(after) : "<unset>", oldWindir);
}

}  // namespace

namespace {

// A mail link carries its subject and body escaped, so a path with blanks, '&' or '#' arrives
// whole, and letters beyond ASCII as UTF-8.
TEST(MailtoUrl, EscapesWhatALinkCannotCarry) {
    const struct {
        const char* name;
        std::string address, subject, body;
        std::string url;
    } cases[] = {
        {"address only", "ann@example.org", "", "", "mailto:ann@example.org"},
        {"subject only", "ann@example.org", "Hi there", "", "mailto:ann@example.org?subject=Hi%20there"},
        {"body only", "ann@example.org", "", "a&b", "mailto:ann@example.org?body=a%26b"},
        {"a path in the body", "ann@example.org", "Group",
         "File: /home/ann/My foods & more #1.per\r\nThanks?",
         "mailto:ann@example.org?subject=Group&body=File%3A%20%2Fhome%2Fann%2FMy%20foods%20%26%20more%20%231.per"
         "%0D%0AThanks%3F"},
        {"percent and plus", "ann@example.org", "", "100% + more", "mailto:ann@example.org?body=100%25%20%2B%20more"},
        {"Windows-1252 letters", "ann@example.org", "", "M\xFCsli \x80", "mailto:ann@example.org?body=M%C3%BCsli%20%E2%82%AC"},
        {"an address that would start a query", "a?b@example.org", "", "", "mailto:a%3Fb@example.org"},
    };
    for (const auto& c : cases) EXPECT_EQ(services::MailtoUrl(c.address, c.subject, c.body), c.url) << c.name;
}

}  // namespace
