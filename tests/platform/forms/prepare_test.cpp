// Windows made ahead of their load, and work that waits until a window is drawn.
#include <gtest/gtest.h>

#include <memory>

#include "sample_form.h"

namespace formtest {
namespace {

using Holder = forms::FormHolder<Sample>;

Holder MakeHolder(const char* name) {
    return Holder([name] { return std::make_unique<Sample>(name); });
}

TEST(Prepare, APreparedFormRunsNothingAndIsNotListedUntilItsLoad) {
    drive::TestHost host;
    Holder main = MakeHolder("Main");
    main.Prepare();
    Sample& m = main.Instance();
    EXPECT_TRUE(m.IsPrepared());
    EXPECT_FALSE(m.IsLoaded());
    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_EQ(main.Existing(), nullptr) << "only a loaded form exists for the program";
    EXPECT_FALSE(main.IsLoaded());

    host.Advance(1000);
    host.TickTimers();
    forms::DoEvents();
    main.Prepare();  // again: nothing
    RunSteps(m, {
        {"time passing ticks no timer of it", [] {}, {}},
        {"the first access loads the prepared instance", [&] { EXPECT_EQ(&main(), &m); }, {"Load"}},
        {"its timer counts from the load", [&] { host.Advance(99); }, {}},
        {"and then runs", [&] { host.Advance(1); }, {"Tmr_Timer"}},
        {"the first show as for any form", [&] { m.Show(); }, {"Resize", "Activate", "Text1_GotFocus", "Paint", "Pic_Paint"}},
    });
    EXPECT_FALSE(m.IsPrepared());
    EXPECT_EQ(forms::Forms(), std::vector<forms::Form*>{&m});
    EXPECT_EQ(main.Existing(), &m);
}

TEST(Prepare, NoEffectOnALoadedFormAndAFreshInstanceAfterAnUnload) {
    drive::TestHost host;
    Holder main = MakeHolder("Main");
    Sample& m = main();
    m.Take();
    main.Prepare();
    EXPECT_FALSE(m.IsPrepared());
    EXPECT_TRUE(m.Take().empty());

    m.Caption("changed");
    forms::Unload(m);
    main.Prepare();  // a new instance, prepared
    Sample& fresh = main.Instance();
    EXPECT_EQ(fresh.Caption(), "Sample");
    EXPECT_TRUE(fresh.IsPrepared());
    EXPECT_TRUE(fresh.events.empty());
    EXPECT_EQ(main().events, Events{"Load"});
}

// A peer per form and control, and a line for each attachment and timer notice.
class CountingBackend : public forms::Backend {
public:
    struct Peer : forms::Peer {
        Peer(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
        void Changed(forms::Property p, int) override {
            if (p == forms::Property::Timer) log.push_back(name + " timer");
        }
        std::vector<std::string>& log;
        std::string name;
    };
    void Attach(forms::Form& form) override {
        log.push_back("attach " + form.Name());
        form.SetPeer(std::make_unique<Peer>(log, form.Name()));
        for (forms::Control* c : form.Controls()) AttachControl(*c);
    }
    void AttachControl(forms::Control& c) override { c.SetPeer(std::make_unique<Peer>(log, c.Name())); }
    void Prepare(forms::Form& form) override {
        log.push_back("prepare");
        Attach(form);
    }
    void RunModal(forms::Form&) override {}
    forms::Menu* PopupMenu(forms::Form&, forms::Menu&, vb::Integer, vb::Single, vb::Single, bool) override {
        return nullptr;
    }
    const forms::FontMetrics& Metrics() const override { return metrics; }

    std::vector<std::string> log;
    forms::FixedMetrics metrics;
};

class MdiParent : public forms::Form {
public:
    explicit MdiParent(Events& log) : Form("Parent") {
        Load = [&log] { log.push_back("Parent Load"); };
    }
};

class MdiChild : public forms::Form {
public:
    MdiChild(MdiParent& parent, Events& log) : Form("Child") {
        MDIParent(parent);
        Load = [&log] { log.push_back("Child Load"); };
    }
    forms::Timer Clock{*this, "Clock"};
};

class PrepareWithBackend : public ::testing::Test {
protected:
    PrepareWithBackend() {
        forms::ResetApplication();
        forms::SetBackend(&backend);
    }
    ~PrepareWithBackend() override {
        forms::ResetApplication();
        forms::SetBackend(nullptr);
    }
    CountingBackend backend;
};

TEST_F(PrepareWithBackend, TheWindowIsMadeOnceAndAnMdiChildsParentFirst) {
    Events events;
    MdiParent parent(events);
    MdiChild child(parent, events);
    forms::Prepare(child);
    forms::Prepare(child);
    EXPECT_EQ(backend.log, (Events{"prepare", "attach Parent", "prepare", "attach Child"}));
    EXPECT_TRUE(parent.IsPrepared());
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(forms::Forms().empty());

    // A control made after the window joins it at the load; the timers hear that they may run.
    auto late = std::make_unique<forms::Label>(child, "Late");
    EXPECT_EQ(late->peer(), nullptr);
    backend.log.clear();
    forms::Load(child);
    EXPECT_EQ(events, (Events{"Parent Load", "Child Load"}));
    EXPECT_EQ(backend.log, Events{"Clock timer"}) << "no second attach";
    EXPECT_NE(late->peer(), nullptr);
    EXPECT_EQ(forms::Forms(), (std::vector<forms::Form*>{&parent, &child}));

    // Unloaded, the form is made anew at its next load.
    forms::Unload(parent);
    backend.log.clear();
    forms::Load(child);
    EXPECT_EQ(backend.log, (Events{"attach Parent", "attach Child"}));
}

TEST(WhenDrawn, RunsOnceAtTheNextTurnAfterTheWindowShows) {
    drive::TestHost host;
    Holder main = MakeHolder("Main");
    Sample& m = main();
    int runs = 0;
    int depth = -1;
    m.WhenDrawn([&] {
        ++runs;
        depth = forms::EventDepth();
    });
    host.Advance(10);
    EXPECT_EQ(runs, 0) << "loaded but hidden: not drawn";
    m.Show();
    EXPECT_EQ(runs, 0) << "not inside the code that showed it";
    forms::DoEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(depth, 0) << "outside any event handler";
    host.TickTimers();
    host.Advance(500);
    EXPECT_EQ(runs, 1) << "once";

    // A task may queue the next: one a turn.
    std::vector<int> steps;
    std::function<void(int)> step = [&](int i) {
        steps.push_back(i);
        if (i < 3) m.WhenDrawn([&, i] { step(i + 1); });
    };
    m.WhenDrawn([&] { step(1); });
    forms::DoEvents();
    EXPECT_EQ(steps, std::vector<int>{1});
    forms::DoEvents();
    forms::DoEvents();
    forms::DoEvents();
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3}));
}

TEST(WhenDrawn, WaitsWhileNothingIsDrawnAndGoesWithTheForm) {
    drive::TestHost host;
    Holder main = MakeHolder("Main");
    Sample& m = main();
    m.Show();
    int runs = 0;
    host.DrawWindows(false);
    m.WhenDrawn([&] { ++runs; });
    host.Advance(100);
    EXPECT_EQ(runs, 0);
    host.DrawWindows(true);
    host.Advance(100);
    EXPECT_EQ(runs, 1);

    host.DrawWindows(false);
    m.WhenDrawn([&] { ++runs; });
    forms::Unload(m);
    host.DrawWindows(true);
    main().Show();
    host.Advance(100);
    EXPECT_EQ(runs, 1) << "dropped with the unloaded form";

    Holder other = MakeHolder("Other");
    other.Instance().WhenDrawn([&] { ++runs; });  // not loaded: no window to draw
    other().Show();
    host.Advance(100);
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace formtest
