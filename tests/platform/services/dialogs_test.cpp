// Message boxes, input boxes and the common dialog.
#include <gtest/gtest.h>

#include "platform/forms/form.h"
#include "platform/services/commondialog.h"
#include "platform/services/dialogs.h"
#include "platform/testing/test_host.h"

namespace {

using namespace services;

TEST(MsgBoxStyles, ButtonsIconsAndDefaults) {
    const struct {
        const char* name;
        int style;
        std::vector<int> buttons;
        int defaultAnswer;
        MsgBoxIcon icon;
    } cases[] = {
        {"plain", 0, {vbOK}, vbOK, MsgBoxIcon::None},
        {"confirmation 276", vbYesNo + vbCritical + vbDefaultButton2, {vbYes, vbNo}, vbNo, MsgBoxIcon::Critical},
        {"question 36", vbYesNo + vbQuestion, {vbYes, vbNo}, vbYes, MsgBoxIcon::Question},
        {"exclamation", vbExclamation, {vbOK}, vbOK, MsgBoxIcon::Exclamation},
        {"information", vbInformation, {vbOK}, vbOK, MsgBoxIcon::Information},
        {"three buttons, third default", vbYesNoCancel + vbDefaultButton3, {vbYes, vbNo, vbCancel}, vbCancel,
         MsgBoxIcon::None},
        {"a default past the buttons is the first", vbOKCancel + vbDefaultButton3, {vbOK, vbCancel}, vbOK,
         MsgBoxIcon::None},
        {"abort retry ignore", vbAbortRetryIgnore, {vbAbort, vbRetry, vbIgnore}, vbAbort, MsgBoxIcon::None},
        {"retry cancel", vbRetryCancel, {vbRetry, vbCancel}, vbRetry, MsgBoxIcon::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MsgBoxButtons(c.style), c.buttons);
        EXPECT_EQ(MsgBoxDefault(c.style), c.defaultAnswer);
        EXPECT_EQ(MsgBoxIconOf(c.style), c.icon);
    }
}

TEST(MessageBoxes, ScriptedAnswersAndTheProgramTitle) {
    drive::TestHost host;
    forms::App().Title("Vantorel 5.0");
    host.AnswerMsgBox(vbYes);
    EXPECT_EQ(MsgBox("Sure?", 276, "Warning", "DEMO.HLP", 1000), vbYes);
    EXPECT_EQ(MsgBox("Saved"), vbOK);  // unscripted: the default button
    EXPECT_EQ(MsgBox("Clear?", 276, "Clearing"), vbNo);
    ASSERT_EQ(host.MsgBoxes().size(), 3u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Warning");
    EXPECT_EQ(host.MsgBoxes()[0].helpFile, "DEMO.HLP");
    EXPECT_EQ(host.MsgBoxes()[0].context, 1000);
    EXPECT_EQ(host.MsgBoxes()[1].title, "Vantorel 5.0");
    EXPECT_EQ(host.MsgBoxes()[1].prompt, "Saved");
    host.OnMsgBox([](const drive::MsgBoxRecord& r) { return r.prompt == "a" ? vbRetry : vbCancel; });
    EXPECT_EQ(MsgBox("a", vbRetryCancel), vbRetry);
    EXPECT_EQ(MsgBox("b", vbRetryCancel), vbCancel);
}

TEST(MessageBoxes, WithoutAHostTheDefaultButtonAnswers) {
    EXPECT_EQ(MsgBox("x", vbYesNo + vbDefaultButton2), vbNo);
    EXPECT_EQ(InputBox("name?"), "");
}

TEST(InputBoxes, TextOrEmptyOnCancel) {
    drive::TestHost host;
    host.AnswerInputBox("Lisa");
    host.AnswerInputBox(std::nullopt);
    EXPECT_EQ(InputBox("Name?", "Who", "Bob"), "Lisa");
    EXPECT_EQ(InputBox("Name?", "Who", "Bob"), "");
    EXPECT_EQ(InputBox("Name?", "Who", "Bob"), "Bob");  // unscripted: OK with the default
    EXPECT_EQ(host.InputBoxes().at(0).defaultText, "Bob");
}

TEST(Filters, PairsOfDescriptionAndPatterns) {
    auto f = ParseFilter("Day files (*.dat)|*.dat|Text|*.txt; *.log|All|*.*");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].description, "Day files (*.dat)");
    EXPECT_EQ(f[0].patterns, std::vector<std::string>{"*.dat"});
    EXPECT_EQ(f[1].patterns, (std::vector<std::string>{"*.txt", "*.log"}));
    EXPECT_TRUE(ParseFilter("").empty());
}

class Dialogs : public ::testing::Test {
protected:
    drive::TestHost host;
    forms::Form form{"calmain"};
    CommonDialog dlg{form, "CommonDialog1"};
};

TEST_F(Dialogs, FileNameIsKeptBetweenUsesAndDefaultExtIsAdded) {
    dlg.Filter("Day files (*.dat)|*.dat").DefaultExt("dat").DialogTitle("Open Day").Flags(cdlOFNFileMustExist);
    host.AnswerFileDialog("/home/u/monday");
    EXPECT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(dlg.FileName(), "/home/u/monday.dat");
    EXPECT_EQ(dlg.FileTitle(), "monday.dat");
    host.CancelFileDialog();
    EXPECT_FALSE(dlg.ShowSave());
    EXPECT_EQ(dlg.FileName(), "/home/u/monday.dat");  // a cancel keeps the last choice
    const auto& second = host.FileDialogs().at(1).request;
    EXPECT_EQ(second.kind, FileDialogKind::Save);
    EXPECT_EQ(second.fileName, "/home/u/monday.dat");
    EXPECT_EQ(second.title, "Open Day");
    EXPECT_EQ(second.flags, cdlOFNFileMustExist);
    host.AnswerFileDialog("/tmp/has.ext");
    dlg.ShowSave();
    EXPECT_EQ(dlg.FileName(), "/tmp/has.ext");
}

TEST_F(Dialogs, CancelErrorRaises32755) {
    dlg.CancelError(true);
    const struct {
        const char* name;
        std::function<void()> show;
    } cases[] = {
        {"open", [&] { host.CancelFileDialog(); dlg.ShowOpen(); }},
        {"save", [&] { host.CancelFileDialog(); dlg.Action(2); }},
        {"print", [&] { host.AnswerPrintDialog(false); dlg.ShowPrinter(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.show();
            ADD_FAILURE() << "no error";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number, 32755);
        }
    }
    dlg.Flags(0x14000C);
    EXPECT_TRUE(dlg.ShowPrinter());
    EXPECT_EQ(host.PrintDialogsShown(), 2);
}

}  // namespace
