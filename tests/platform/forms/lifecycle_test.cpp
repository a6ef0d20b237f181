// Forms: load on first access, show, hide, unload with Cancel, activation, modal, MDI.
#include <gtest/gtest.h>

#include "sample_form.h"

namespace formtest {
namespace {

// The program object: one instance of each window, made on first access.
struct Program {
    forms::FormHolder<Sample> main{[] { return std::make_unique<Sample>("Main"); }};
    forms::FormHolder<Sample> dialog{[] { return std::make_unique<Sample>("Dialog"); }};
};

class Lifecycle : public ::testing::Test {
protected:
    ::drive::TestHost host;
    Program app;
};

TEST_F(Lifecycle, FirstAccessLoadsAndShowRunsResizeActivatePaint) {
    Sample& m = app.main();
    EXPECT_TRUE(m.IsLoaded());
    EXPECT_FALSE(m.Visible());
    RunSteps(m, {
        {"loaded by the first access", [] {}, {"Load"}},
        {"another access does nothing", [&] { app.main(); }, {}},
        {"the first show", [&] { m.Show(); }, {"Resize", "Activate", "Text1_GotFocus", "Paint", "Pic_Paint"}},
        {"showing a shown form", [&] { m.Show(); }, {}},
        {"hide", [&] { m.Hide(); }, {"Deactivate"}},
        {"a later show", [&] { m.Visible(true); }, {"Activate", "Paint", "Pic_Paint"}},
        {"Refresh repaints", [&] { m.Refresh(); }, {"Paint", "Pic_Paint"}},
        {"a new size", [&] { m.Width(7000); }, {"Resize"}},
        {"the same size", [&] { m.Move(0, 0, 7000, 4500); }, {}},
        {"minimised", [&] { m.WindowState(forms::vbMinimized); }, {"Resize"}},
    });
}

TEST_F(Lifecycle, UnloadAsksAndCanBeCancelled) {
    Sample& m = app.main();
    m.Show();
    m.Take();
    m.cancelQuery = 1;
    EXPECT_FALSE(forms::Unload(m));
    EXPECT_EQ(m.Take(), Events{"QueryUnload 1"});
    m.cancelQuery = 0;
    m.cancelUnload = 1;
    EXPECT_FALSE(drive::CloseForm(m));
    EXPECT_EQ(m.Take(), (Events{"QueryUnload 0", "Unload"}));
    EXPECT_TRUE(m.IsLoaded());
    m.cancelUnload = 0;
    EXPECT_TRUE(forms::Unload(m));
    EXPECT_EQ(m.Take(), (Events{"QueryUnload 1", "Unload"}));
    EXPECT_FALSE(m.IsLoaded());
    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_TRUE(host.ProgramEnded());
}

TEST_F(Lifecycle, TheNextAccessAfterUnloadMakesAFreshForm) {
    app.main().Caption("changed");
    forms::Unload(app.main());
    EXPECT_EQ(app.main.Existing(), nullptr);
    EXPECT_EQ(app.main().Caption(), "Sample");
    EXPECT_EQ(app.main().events, Events{"Load"});
}

TEST_F(Lifecycle, AFormMayUnloadItselfAndBeReloadedInsideItsOwnHandler) {
    Sample& m = app.main();
    m.cmdOK.Click = [&] {
        forms::Unload(m);
        Sample& fresh = app.main();  // the old instance stays alive while its handler runs
        m.Log("still here " + std::to_string(&fresh != &m));
        m.Caption("after");
    };
    m.Show();
    drive::Click(m.cmdOK);
    EXPECT_EQ(m.events.back(), "still here 1");
    EXPECT_TRUE(app.main().IsLoaded());
}

TEST_F(Lifecycle, FormsKeepLoadOrderAndActivationReturnsToThePreviousForm) {
    Sample& m = app.main();
    Sample& d = app.dialog();
    ASSERT_EQ(forms::Forms().size(), 2u);
    EXPECT_EQ(forms::Forms()[0], &m);
    EXPECT_EQ(forms::Forms()[1], &d);
    m.Show();
    d.Show();
    m.Take();
    d.Take();
    EXPECT_EQ(forms::Screen().ActiveForm(), &d);
    forms::Unload(d);
    EXPECT_EQ(m.Take(), Events{"Activate"});
    EXPECT_EQ(forms::Screen().ActiveForm(), &m);
    EXPECT_EQ(forms::Forms().size(), 1u);
}

TEST_F(Lifecycle, ModalShowRunsTheScriptAndReturnsWhenHiddenOrUnloaded) {
    Sample& m = app.main();
    m.Show();
    host.OnModal("Dialog", [&](forms::Form& f) {
        auto& d = static_cast<Sample&>(f);
        EXPECT_TRUE(d.IsModal());
        EXPECT_EQ(forms::Screen().ActiveForm(), &d);
        drive::TypeText(d.Text1, "typed");
        d.Hide();
    });
    app.dialog().ShowModal();
    EXPECT_EQ(app.dialog().Text1.Text(), "typed");
    EXPECT_FALSE(app.dialog().Visible());
    EXPECT_TRUE(app.dialog().IsLoaded());

    host.OnModal("Dialog", [&](forms::Form& f) { forms::Unload(f); });
    app.dialog().ShowModal();
    EXPECT_FALSE(app.dialog.IsLoaded());

    host.OnModal("Dialog", [](forms::Form&) {});  // the script leaves it shown: hidden afterwards
    app.dialog().ShowModal();
    EXPECT_FALSE(app.dialog().Visible());
    EXPECT_EQ(host.ModalsShown(), (std::vector<std::string>{"Dialog", "Dialog", "Dialog"}));
}

TEST_F(Lifecycle, AnUnscriptedModalFormIsClosedWithItsCloseBox) {
    app.dialog().ShowModal();
    EXPECT_EQ(app.dialog.Existing(), nullptr);
    EXPECT_EQ(host.ModalsShown(), std::vector<std::string>{"Dialog"});
}

TEST_F(Lifecycle, ModalOnAShownFormIsError400) {
    app.dialog().Show();
    try {
        app.dialog().ShowModal();
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, 400);
    }
}

class Parent : public forms::Form {
public:
    Parent() : Form("Parent") {
        QueryUnload = [this](Integer&, Integer mode) { log.push_back("Parent QueryUnload " + std::to_string(mode)); };
        Unload = [this](Integer&) { log.push_back("Parent Unload"); };
    }
    std::vector<std::string> log;
};

class Child : public forms::Form {
public:
    Child(Parent& p, std::string name, std::vector<std::string>& log) : Form(std::move(name)) {
        MDIParent(p);
        QueryUnload = [this, &log](Integer& cancel, Integer mode) {
            log.push_back(Name() + " QueryUnload " + std::to_string(mode));
            cancel = refuse;
        };
        Unload = [this, &log](Integer&) { log.push_back(Name() + " Unload"); };
    }
    Integer refuse = 0;
};

TEST(Mdi, ShowingAChildShowsItsParentAndClosingTheParentClosesTheChildren) {
    drive::TestHost host;
    Parent parent;
    Child a(parent, "A", parent.log), b(parent, "B", parent.log);
    a.Show();
    b.Show();
    EXPECT_TRUE(parent.Visible());
    EXPECT_TRUE(parent.IsMDIForm());
    EXPECT_EQ(parent.ActiveMDIChild(), &b);
    EXPECT_EQ(forms::Screen().ActiveForm(), &b);

    a.refuse = 1;
    EXPECT_FALSE(forms::Unload(parent));
    EXPECT_EQ(parent.log, (std::vector<std::string>{"Parent QueryUnload 1", "A QueryUnload 4"}));
    parent.log.clear();
    a.refuse = 0;
    EXPECT_TRUE(forms::Unload(parent));
    EXPECT_EQ(parent.log, (std::vector<std::string>{"Parent QueryUnload 1", "A QueryUnload 4", "B QueryUnload 4",
                                                    "A Unload", "B Unload", "Parent Unload"}));
    EXPECT_FALSE(a.IsLoaded());
    EXPECT_FALSE(b.IsLoaded());
    EXPECT_TRUE(host.ProgramEnded());
}

TEST(FormGeometry, ClientAreaIsTheOuterSizeLessTheFrame) {
    drive::TestHost host;
    Sample form;  // sizable, with a menu bar
    form.ClientSize(9570, 6000);
    EXPECT_EQ(form.ScaleWidth(), 9570);
    EXPECT_EQ(form.ScaleHeight(), 6000);
    EXPECT_EQ(form.Width(), 9570 + 8 * 15);
    EXPECT_EQ(form.Height(), 6000 + (8 + 20 + 20) * 15);
    form.mnuFile.Visible(false);
    EXPECT_EQ(form.ScaleHeight(), 6000 + 20 * 15);
}

}  // namespace
}  // namespace formtest
