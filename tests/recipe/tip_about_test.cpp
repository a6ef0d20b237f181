// The tip of the day at start-up and the About box.
#include <algorithm>

#include "platform/forms/input.h"
#include "platform/services/desktop.h"
#include "recipe/side/frmAbout.h"
#include "recipe/side/frmTip.h"
#include "recipe_program.h"

namespace {

using recipetest::Program;
namespace fs = std::filesystem;

const std::vector<std::string> kTips = {"Soak beans overnight.", "Salt the water.", "Rest the dough."};

class Tip : public Program {
protected:
    void WriteTips(const std::string& bytes) { drive::TempEnvironment::WriteFile(Data("TIPOFDAY.TXT"), bytes); }
    recipe::frmTip* tip() { return app->LoadedTip(); }
};

TEST_F(Tip, ARandomTipOpensAtStartAndNextGoesRound) {
    WriteTips("Soak beans overnight.\r\nSalt the water.\r\nRest the dough.\r\n");
    Open();
    ASSERT_NE(tip(), nullptr);
    recipe::frmTip& t = *tip();
    EXPECT_TRUE(t.Visible());
    EXPECT_FALSE(t.IsModal());
    EXPECT_EQ(t.Caption(), "Tip of the Day");
    EXPECT_EQ(t.Label1.Caption(), "Did you know...");
    EXPECT_EQ(t.chkLoadTipsAtStartup.Caption(), "&Show Tips at Startup");
    EXPECT_EQ(t.chkLoadTipsAtStartup.Value(), forms::vbChecked);
    EXPECT_EQ(t.cmdNextTip.Caption(), "&Next Tip");
    EXPECT_EQ(t.Tip_List, kTips);
    ASSERT_GE(t.Tip_Index, 1);
    ASSERT_LE(t.Tip_Index, 3);
    EXPECT_EQ(t.lblTipText.Caption(), kTips[static_cast<std::size_t>(t.Tip_Index - 1)]);
    // The window sits in the upper part of the screen.
    EXPECT_EQ(t.Top(), (forms::Screen().Height() - t.Height()) / 4);

    t.Tip_Index = 1;
    std::vector<std::string> shown;
    for (int i = 0; i < 3; ++i) {
        drive::Click(t.cmdNextTip);
        shown.push_back(t.lblTipText.Caption());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{kTips[1], kTips[2], kTips[0]}));

    drive::Click(t.cmdOK);
    EXPECT_EQ(tip(), nullptr);
    EXPECT_TRUE(app->Tips_Shown);
}

TEST_F(Tip, EveryTipCanComeFirst) {
    WriteTips("one\r\ntwo\r\nthree\r\n");
    std::vector<int> seen(4, 0);
    for (int run = 0; run < 40; ++run) {
        // Each start at another moment seeds the random numbers anew.
        host.SetNow(vb::Date{vb::DateSerial(2026, 12, 8).serial + run * 7 / 86400.0});
        Open();
        ASSERT_NE(tip(), nullptr);
        ++seen[static_cast<std::size_t>(tip()->Tip_Index)];
        TearDown();
    }
    EXPECT_EQ(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[2], 0);
    EXPECT_GT(seen[3], 0);
}

TEST_F(Tip, TheCloseBoxAlsoCountsAsShown) {
    WriteTips("one\r\n");
    Open();
    ASSERT_NE(tip(), nullptr);
    drive::CloseForm(*tip());
    EXPECT_TRUE(app->Tips_Shown);
    // Activating the main window again opens no second tip.
    forms::input::Activate(app->CalcFrm());
    forms::input::Activate(main());
    EXPECT_EQ(tip(), nullptr);
}

TEST_F(Tip, UntickingStoresTheChoiceForTheNextStart) {
    WriteTips("one\r\n");
    Open();
    drive::Click(tip()->chkLoadTipsAtStartup);
    EXPECT_EQ(Option("Show Tips at Startup"), "0");
    drive::Click(tip()->chkLoadTipsAtStartup);
    EXPECT_EQ(Option("Show Tips at Startup"), "1");
    drive::Click(tip()->chkLoadTipsAtStartup);
    drive::Click(tip()->cmdOK);
    TearDown();
    Open();
    EXPECT_EQ(tip(), nullptr);
    EXPECT_FALSE(main().TopBar.Tools("mnuTips").Checked());
}

TEST_F(Tip, AMissingEmptyOrUnreadableFile) {
    const std::string notFound =
        "That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT using NotePad "
        "with 1 tip per line. Then place it in the same directory as the application. ";
    const struct {
        const char* name;
        std::function<void()> make;
        std::string text;  // "" : begins with the unreadable-file text
    } rows[] = {
        {"missing", [] {}, notFound},
        {"empty", [this] { WriteTips(""); }, ""},
        {"a folder", [this] { fs::create_directory(Data("TIPOFDAY.TXT")); }, "The tips file"},
        {"huge", [this] { WriteTips(std::string(2 << 20, 'x')); }, "The tips file"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        fs::remove_all(Data("TIPOFDAY.TXT"));
        r.make();
        Open();
        ASSERT_NE(tip(), nullptr);
        const std::string shown = tip()->lblTipText.Caption();
        EXPECT_EQ(shown.substr(0, r.text.size()), r.text);
        if (r.text == "The tips file") {
            EXPECT_NE(shown.find("TIPOFDAY.TXT"), std::string::npos) << shown;
        }
        // Next changes nothing.
        drive::Click(tip()->cmdNextTip);
        EXPECT_EQ(tip()->lblTipText.Caption(), shown);
        EXPECT_TRUE(host.MsgBoxes().empty());
        TearDown();
    }
}

TEST_F(Tip, TipsOffOpensNone) {
    WriteTips("one\r\n");
    SetOption("Show Tips at Startup", "0");
    Open();
    EXPECT_EQ(tip(), nullptr);
    EXPECT_FALSE(app->Tips_Shown);
}

class About : public Program {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        Open();
    }
    void ClickLink() {
        host.OnModal("frmAbout", [](forms::Form& f) { drive::Click(static_cast<recipe::frmAbout&>(f).Label7); });
        drive::ClickTool(main().TopBar, "AboutTool");
    }
    std::vector<std::string> FolderBefore() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(env.CurrentDir())) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(About, TheBox) {
    host.OnModal("frmAbout", [](forms::Form& f) {
        auto& a = static_cast<recipe::frmAbout&>(f);
        EXPECT_EQ(a.Caption(), "About");
        EXPECT_EQ(a.Label1.Caption(), "Sorvella");
        EXPECT_EQ(a.Label2.Caption(), "by");
        EXPECT_EQ(a.Label8.Caption(), "Website");
        EXPECT_EQ(a.Label7.Caption(), std::string(recipe::kHomePage));
        EXPECT_EQ(a.Left(), (forms::Screen().Width() - a.Width()) / 2);
        drive::Click(a.cmdOK);
    });
    drive::ClickTool(main().TopBar, "AboutTool");
    EXPECT_EQ(host.ModalsShown(), std::vector<std::string>{"frmAbout"});
    EXPECT_TRUE(host.DesktopCalls().empty() || host.DesktopCalls().back().kind != "open");
}

TEST_F(About, TheLinkOpensTheHomePageDirectly) {
    const std::vector<std::string> before = FolderBefore();
    ClickLink();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Connect");
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Make sure you are connected to the internet");
    EXPECT_EQ(host.MsgBoxes()[0].style, services::vbExclamation);
    ASSERT_FALSE(host.DesktopCalls().empty());
    EXPECT_EQ(host.DesktopCalls().back().kind, "open");
    EXPECT_EQ(host.DesktopCalls().back().target, std::string(recipe::kHomePage));
    // No file is written for it, and the box has closed.
    EXPECT_EQ(FolderBefore(), before);
    for (const forms::Form* f : forms::Forms()) EXPECT_NE(f->Name(), "frmAbout");
}

TEST_F(About, ALinkThatDoesNotOpenIsReported) {
    host.FailDesktop(true);
    ClickLink();
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[1].title, "URL Failed");
    EXPECT_EQ(host.MsgBoxes()[1].prompt, "Web Page not Opened");
    for (const forms::Form* f : forms::Forms()) EXPECT_NE(f->Name(), "frmAbout");
}

}  // namespace
