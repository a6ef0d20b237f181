// The main window's command surface: the toolbar and its hints, the menus and what each item
// runs, the tray icon, help, the web links, the About box with its system information, and the
// mail-link window.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "calories/foods/Search.h"
#include "calories/goals/Metric.h"
#include "calories/goals/calcalintake.h"
#include "calories/goals/qform.h"
#include "calories/goals/weight.h"
#include "calories/program.h"
#include "calories/side/calAbout.h"
#include "calories/side/email.h"
#include "platform/services/desktop.h"
#include "platform/services/dialogs.h"

namespace {

using caltest::Program;
namespace fs = std::filesystem;

class Commands : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        WriteFoods({caltest::Food("Sirloin", 200)});
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    }
    std::vector<drive::DesktopCall> Calls(const std::string& kind) const {
        std::vector<drive::DesktopCall> out;
        for (const auto& c : host.DesktopCalls())
            if (c.kind == kind) out.push_back(c);
        return out;
    }
};

TEST_F(Commands, SixteenToolbarButtonsWithTheirHints) {
    Open();
    struct Row {
        forms::CommandButton* button;
        const char* hint;
    };
    const Row rows[] = {
        {&main().Command2, "Clear all meals in single meal mode"},
        {&main().Command3, "Open a saved day of Meals in single meal mode"},
        {&main().Command4, "Save current day of meals to disk,single meal mode only"},
        {&main().Command5, "Print current day of meals"},
        {&main().Command9, "Delete selected food from Meal"},
        {&main().Command7, "Find food in current food group"},
        {&main().Command16, "Click here for more search options "},
        {&main().Command8, "Add selected food from food list to Personal food group "},
        {&main().Command20, "Open Personal Food group"},
        {&main().Command1, "Show Personal Food group"},
        {&main().Command19, "Clear all meals and days in multiply day mode"},
        {&main().Command6, "Hide program in system tray"},
        {&main().Command10, " Go here to select your Caloric Needs and Nutrient Requirements"},
        {&main().Command14, " Answers to the most commonly asked questions "},
        {&main().Command15, " Metric Conversion Calculator"},
        {&main().Command13, "Exit Program"},
    };
    vb::Single left = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.button->Name());
        EXPECT_EQ(r.button->Left(), left);
        EXPECT_EQ(r.button->Top(), 300);
        EXPECT_EQ(r.button->Width(), 575);
        EXPECT_EQ(r.button->Height(), 575);
        drive::MoveMouse(*r.button);
        EXPECT_EQ(main().sbStatusBar.Panels(1).Text(), r.hint);
        left += 580;
    }
    EXPECT_EQ(main().Command14.Caption(), "FAQ");
    drive::MoveMouse(main());
    EXPECT_EQ(main().sbStatusBar.Panels(1).Text(), "");
}

TEST_F(Commands, MenusInTheirOrderWithCaptionsAndShortcuts) {
    Open();
    std::vector<std::string> bar;
    for (const forms::Menu* m : main().MenuBar())
        if (m->Visible()) bar.push_back(m->Name() + " " + m->Caption());
    EXPECT_EQ(bar, (std::vector<std::string>{"mnuFile &File", "mnutools &Tools", "mnuoptions &Options",
                                             "mnudatabase &Database", "mnuHelp &Help"}));
    struct Row {
        forms::Menu* item;
        const char* caption;
        const char* shortcut;
    };
    const Row rows[] = {
        {&main().mnuFileNew, "&New Day", "Ctrl+N"},      {&main().mnuFileOpen, "&Open Day", "Ctrl+O"},
        {&main().mnuFileClose, "&Close Day", ""},        {&main().mnuFileBar1, "-", ""},
        {&main().mnuFileSave, "&Save Day", "Ctrl+S"},    {&main().mnuFileSaveAs, "Save &As...", ""},
        {&main().mnudelete, "&Delete selected food from Meal", ""}, {&main().mnuFileBar3, "-", ""},
        {&main().mnuFilePrint, "&Print Day", "Ctrl+P"},  {&main().mnuFileBar4, "-", ""},
        {&main().mnuFileExit, "E&xit", ""},
        {&main().mnuweight, "&Desirable Weight Guide", ""},
        {&main().mnucaloric, "&Caloric Needs and Nutrient Requirements", ""},
        {&main().mnuHelpContents, "&Contents", ""},      {&main().mnuHelpSearch, "&Search For Help On...", ""},
        {&main().mnuHelpBar1, "-", ""},                  {&main().mnuhomepage, "&Go to Lumbreck homepage", ""},
        {&main().mnuupdate, "&Download Food update", ""}, {&main().mnuHelpAbout, "&About Vantorel", ""},
        {&main().mnudisplay, "Se&nd Food Personal Food Group to Lumbreck for display on Hompage", ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.item->Caption(), r.caption) << r.item->Name();
        EXPECT_EQ(r.item->Shortcut(), r.shortcut) << r.item->Name();
    }
    EXPECT_EQ(main().mnuPopMenu.Caption(), "menu");
    EXPECT_FALSE(main().mnuPopMenu.Visible());
}

// Buttons and menu items that show a window show it modeless; those two that end the program end it.
TEST_F(Commands, WindowsShownByButtonsAndMenus) {
    Open();
    struct Row {
        const char* name;
        std::function<void()> act;
        std::function<forms::Form&()> window;
    };
    const Row rows[] = {
        {"Command10", [&] { drive::Click(main().Command10); }, [&]() -> forms::Form& { return app->calcalintake(); }},
        {"mnucaloric", [&] { drive::ChooseMenu(main().mnucaloric); }, [&]() -> forms::Form& { return app->calcalintake(); }},
        {"mnuweight", [&] { drive::ChooseMenu(main().mnuweight); }, [&]() -> forms::Form& { return app->weight(); }},
        {"Command14", [&] { drive::Click(main().Command14); }, [&]() -> forms::Form& { return app->qform(); }},
        {"Command15", [&] { drive::Click(main().Command15); }, [&]() -> forms::Form& { return app->Metric(); }},
        {"Command16", [&] { drive::Click(main().Command16); }, [&]() -> forms::Form& { return app->Search(); }},
        {"mnuHelpAbout", [&] { drive::ChooseMenu(main().mnuHelpAbout); }, [&]() -> forms::Form& { return app->calAbout(); }},
        {"mnudisplay", [&] { drive::ChooseMenu(main().mnudisplay); }, [&]() -> forms::Form& { return app->email(); }},
    };
    for (const Row& r : rows) {
        r.act();
        forms::Form& shown = r.window();
        EXPECT_TRUE(shown.Visible()) << r.name;
        EXPECT_FALSE(shown.IsModal()) << r.name;
        forms::Unload(shown);
    }
    EXPECT_TRUE(host.ModalsShown().empty());
}

TEST_F(Commands, ExitFromTheButtonAndTheMenuSavesAndEnds) {
    for (bool menu : {false, true}) {
        SetIni(calories::kDateSection, calories::kNumberOfDays, "1");
        Open();
        main().Label48.Caption("1");
        if (menu) drive::ChooseMenu(main().mnuFileExit);
        else drive::Click(main().Command13);
        EXPECT_EQ(app->LoadedMainform(), nullptr);
        EXPECT_EQ(Ini(calories::kDateSection, calories::kAverageView), "False");
        app.reset();
    }
}

// --- the tray ---

TEST_F(Commands, HiddenInTheTrayThenBackByDoubleClick) {
    Open();
    drive::Click(main().Command6);
    EXPECT_FALSE(main().Visible());
    EXPECT_TRUE(main().IsLoaded());
    ASSERT_EQ(host.TrayIcons().count(1), 1u);
    ASSERT_EQ(Calls("trayAdd").size(), 1u);
    EXPECT_EQ(Calls("trayAdd")[0].target, "Vantorel (double click or right click to select)");
    const std::string tip = host.TrayIcons().at(1).tip;
    EXPECT_EQ(tip.size(), 64u);
    EXPECT_EQ(tip.substr(48), std::string(1, '\0') + std::string(15, ' '));

    // Moves, single clicks and releases do nothing.
    for (int message : {services::WM_MOUSEMOVE, services::WM_LBUTTONDOWN, services::WM_LBUTTONUP,
                        services::WM_RBUTTONDOWN, services::WM_MBUTTONUP}) {
        host.SendTrayMessage(message);
        EXPECT_FALSE(main().Visible()) << message;
    }
    EXPECT_TRUE(host.Popups().empty());

    host.SendTrayMessage(services::WM_LBUTTONDBLCLK);  // 515
    EXPECT_TRUE(main().Visible());
    EXPECT_TRUE(host.TrayIcons().empty());
    EXPECT_EQ(Calls("trayDelete").size(), 1u);
}

TEST_F(Commands, TheTrayMenuShowsOrEnds) {
    Open();
    drive::Click(main().Command6);
    // While the menu is open a second message is dropped.
    host.OnPopupMenu([&](forms::Form& form, forms::Menu& menu) -> forms::Menu* {
        EXPECT_EQ(&form, &main());
        EXPECT_EQ(menu.Name(), "mnuPopMenu");
        host.SendTrayMessage(services::WM_LBUTTONDBLCLK);
        host.SendTrayMessage(services::WM_RBUTTONUP);
        EXPECT_FALSE(main().Visible());
        return &main().mnuPopMenuShow;
    });
    host.SendTrayMessage(services::WM_RBUTTONUP);  // 517
    EXPECT_EQ(host.Popups().size(), 1u);
    EXPECT_TRUE(main().Visible());
    EXPECT_TRUE(host.TrayIcons().empty());

    // "E&xit" runs the shutdown: the period is written.
    drive::Click(main().Command6);
    host.OnPopupMenu([&](forms::Form&, forms::Menu&) -> forms::Menu* { return &main().mnuPopMenuExit; });
    host.SendTrayMessage(services::WM_RBUTTONUP);
    EXPECT_TRUE(host.ProgramEnded());
    EXPECT_TRUE(host.TrayIcons().empty());
    EXPECT_EQ(Ini(calories::kDateSection, calories::kNumberOfDays), "1");
    EXPECT_TRUE(fs::exists(Data("period1.dat")));
}

// The icon's message comes as X in twips: the code is X over the twips per pixel, halves to even.
TEST_F(Commands, TheCallbackCodeIsReadFromX) {
    Open();
    struct Row {
        vb::Single x;
        bool shows;
    };
    const Row rows[] = {{515 * 15, true},         {515 * 15 + 7, true},      {515 * 15 - 7, true},
                        {515 * 15 + 7.5f, false}, {515 * 15 - 7.5f, false}, {513 * 15, false}};
    for (const Row& r : rows) {
        drive::Click(main().Command6);
        drive::MoveMouse(main().picNotifier, r.x, 0);
        EXPECT_EQ(main().Visible(), r.shows) << r.x;
        if (!r.shows) host.SendTrayMessage(services::WM_LBUTTONDBLCLK);
        ASSERT_TRUE(main().Visible());
    }
}

// A desktop that takes no icon keeps the window where it is.
TEST_F(Commands, NoIconNoHiding) {
    Open();
    host.RefuseTray(true);
    drive::Click(main().Command6);
    EXPECT_TRUE(main().Visible());
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_NE(host.MsgBoxes()[0].prompt.find("system tray"), std::string::npos);
}

// --- help and the web ---

TEST_F(Commands, HelpWithoutPagesSaysSo) {
    Open();
    for (forms::Menu* item : {&main().mnuHelpContents, &main().mnuHelpSearch}) drive::ChooseMenu(*item);
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    for (const auto& box : host.MsgBoxes()) {
        EXPECT_EQ(box.prompt, "Unable to display Help Contents. There is no Help associated with this project.");
        EXPECT_EQ(box.style, services::vbInformation);
        EXPECT_EQ(box.title, main().Caption());
    }
    EXPECT_TRUE(Calls("help").empty());
}

TEST_F(Commands, HelpContentsAndSearch) {
    fs::create_directories(Data("help"));
    drive::TempEnvironment::WriteFile(Data("help/index.html"), "<html><title>Help</title></html>");
    Open();
    drive::ChooseMenu(main().mnuHelpContents);
    drive::ChooseMenu(main().mnuHelpSearch);
    const auto calls = Calls("help");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].target, "Calories.hlp");
    EXPECT_EQ(calls[0].number, services::HELP_INDEX);
    EXPECT_EQ(calls[1].number, 0x105);
    EXPECT_EQ(calls[1].data, 0);
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Commands, WebLinksOpenInTheBrowser) {
    Open();
    drive::ChooseMenu(main().mnuhomepage);
    drive::ChooseMenu(main().mnuupdate);
    host.FailDesktop(true);
    drive::ChooseMenu(main().mnuhomepage);  // a failure is not reported
    const auto calls = Calls("open");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].target.rfind("https://", 0), 0u);
    EXPECT_EQ(calls[1].target.substr(calls[1].target.size() - 11), "/update.zip");
    EXPECT_TRUE(host.MsgBoxes().empty());
}

// --- the About box ---

class AboutBox : public Commands {
protected:
    // A registry export holding these lines under HKEY_LOCAL_MACHINE.
    void Registry(const std::string& body) {
        const fs::path file = env.Root() / "machine.reg";
        drive::TempEnvironment::WriteFile(file, "REGEDIT4\r\n\r\n" + body);
        env.SetVariable("REGISTRY_FILE", file.string());
    }
    static std::string Escaped(std::string s) {
        std::string out;
        for (char c : s) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
        return out;
    }
    calories::calAbout& About() {
        drive::ChooseMenu(main().mnuHelpAbout);
        return app->calAbout();
    }
};

TEST_F(AboutBox, ItsTextsAndOk) {
    Open();
    calories::calAbout& about = About();
    EXPECT_EQ(about.Caption(), "Vantorel");
    EXPECT_EQ(about.lblTitle.Caption().rfind("Vantorel for Win 98/95/NT ", 0), 0u);
    EXPECT_EQ(about.lblDescription.Caption(),
              "An easy to use Nutrient Counter that tracks, Calories, Total fat, Cholesterol, Carbohydrates, Fiber "
              "and Proteins.");
    EXPECT_EQ(about.Label2.Caption(), "Lumbreck Homepage:");
    EXPECT_EQ(about.lblDisclaimer.Caption().rfind("https://", 0), 0u);
    EXPECT_TRUE(about.cmdOK.Visible());
    EXPECT_EQ(about.cmdSysInfo.Caption(), "&System Info...");
    drive::Click(about.cmdOK);
    EXPECT_FALSE(about.IsLoaded());
}

TEST_F(AboutBox, SystemInformationFromTheFirstKeyOrTheSecond) {
    const fs::path tools = env.Root() / "Shared Tools" / "MSInfo";
    fs::create_directories(tools);
    drive::TempEnvironment::WriteFile(tools / "MSINFO32.EXE", "");
    struct Row {
        const char* name;
        std::string registry;
        bool failStart;
        std::string started;  // "" = the message
    };
    const std::string first = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n";
    const std::string second = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\r\n";
    const Row rows[] = {
        {"first key", first + "\"PATH\"=\"C:\\\\Program Files\\\\msinfo32.exe\"\r\n", false,
         "C:/Program Files/msinfo32.exe"},
        {"second key", second + "\"MSINFO\"=\"" + Escaped(tools.string()) + "\"\r\n", false,
         (tools / "MSINFO32.EXE").string()},
        {"second key, no program", second + "\"MSINFO\"=\"" + Escaped((env.Root() / "none").string()) + "\"\r\n",
         false, ""},
        {"first key cannot start, second not tried",
         first + "\"PATH\"=\"/no/such/msinfo32\"\r\n" + second + "\"MSINFO\"=\"" + Escaped(tools.string()) + "\"\r\n",
         true, ""},
        {"first key not text", first + "\"PATH\"=hex:01,02\r\n", true, ""},
        {"no keys", "", false, ""},
    };
    Open();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Registry(r.registry);
        host.FailDesktop(r.failStart);
        const std::size_t boxes = host.MsgBoxes().size();
        const std::size_t starts = Calls("start").size();
        drive::Click(About().cmdSysInfo);
        if (r.started.empty()) {
            ASSERT_EQ(host.MsgBoxes().size(), boxes + 1);
            EXPECT_EQ(host.MsgBoxes().back().prompt, "System Information Is Unavailable At This Time");
            EXPECT_EQ(host.MsgBoxes().back().style, services::vbOKOnly);
            EXPECT_LE(Calls("start").size(), starts + 1);
        } else {
            EXPECT_EQ(host.MsgBoxes().size(), boxes);
            ASSERT_EQ(Calls("start").size(), starts + 1);
            EXPECT_EQ(Calls("start").back().args, std::vector<std::string>{r.started});
        }
        forms::Unload(app->calAbout());
    }
}

// Texts as they stand; a double word as "&h" and its bytes from the last, each as two digits,
// a zero top byte dropped; another type leaves the text alone.
TEST_F(AboutBox, RegistryValuesAsText) {
    Registry(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantorel]\r\n"
        "\"Text\"=\"C:\\\\Tools\\\\info.exe\"\r\n"
        "\"Empty\"=\"\"\r\n"
        "\"Full\"=dword:12345678\r\n"
        "\"TopZero\"=dword:00a1b2c3\r\n"
        "\"Small\"=dword:0000000f\r\n"
        "\"Zero\"=dword:00000000\r\n"
        "\"Bytes\"=hex:41,42\r\n");
    struct Row {
        const char* value;
        std::string before;
        bool found;
        std::string after;
    };
    const Row rows[] = {
        {"Text", "", true, "C:\\Tools\\info.exe"}, {"Empty", "", true, ""},
        {"Full", "", true, "&h12345678"},          {"TopZero", "", true, "&hA1B2C3"},
        {"Small", "", true, "&h00000F"},           {"Zero", "", true, "&h000000"},
        {"Bytes", "as passed", true, "as passed"}, {"Missing", "as passed", false, ""},
    };
    for (const Row& r : rows) {
        std::string text = r.before;
        EXPECT_EQ(calories::calAbout::GetKeyValue(files::HKEY_LOCAL_MACHINE, "SOFTWARE\\Vantorel", r.value, text),
                  r.found)
            << r.value;
        EXPECT_EQ(text, r.after) << r.value;
    }
    std::string text = "kept";
    EXPECT_FALSE(calories::calAbout::GetKeyValue(files::HKEY_LOCAL_MACHINE, "SOFTWARE\\Nothing", "Text", text));
    EXPECT_EQ(text, "");
}

// --- the mail-link window ---

TEST_F(Commands, MailLinkWindow) {
    const std::string group = (env.CurrentDir() / "My foods & more #1.per").string();
    SetIni(calories::kOpenFileSection, calories::kPersonalFile, group);
    WriteFoods({caltest::Food("Toast", 80)}, "My foods & more #1.per");
    Open();
    drive::ChooseMenu(main().mnudisplay);
    calories::email& mail = app->email();
    EXPECT_EQ(mail.Caption(), "Sending your Personal Food groups for display");
    EXPECT_NE(mail.Label1.Caption().find("Press the button marked \"File Path\" to get to location"), std::string::npos);
    EXPECT_EQ(mail.Command3.Caption(), "File Path");
    EXPECT_EQ(mail.Command1.Caption(), "&Email us");
    EXPECT_EQ(mail.Command2.Caption(), "O&k");
    EXPECT_EQ(mail.Label2.Caption(), "");
    drive::Click(mail.Command3);
    drive::Click(mail.Command3);
    EXPECT_EQ(mail.Label2.Caption(), " " + group);

    drive::Click(mail.Command1);
    const auto calls = Calls("open");
    ASSERT_EQ(calls.size(), 1u);
    const std::string& url = calls[0].target;
    EXPECT_EQ(url.rfind("mailto:foodgroups@", 0), 0u) << url;
    EXPECT_NE(url.find("My%20foods%20%26%20more%20%231.per"), std::string::npos) << url;
    EXPECT_EQ(url.find(' '), std::string::npos) << url;
    EXPECT_EQ(std::count(url.begin(), url.end(), '#'), 0) << url;

    drive::Click(mail.Command2);
    EXPECT_FALSE(mail.IsLoaded());
    drive::ChooseMenu(main().mnudisplay);
    EXPECT_EQ(app->email().Label2.Caption(), "");
}

}  // namespace
