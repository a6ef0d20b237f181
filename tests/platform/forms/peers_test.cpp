// What a toolkit backend sees: attachment at load, notifications, list rows, peer lifetime.
#include <gtest/gtest.h>

#include <memory>

#include "platform/forms/input.h"
#include "sample_form.h"

namespace formtest {
namespace {

struct Log {
    std::vector<std::string> lines;
    int alive = 0;
};

class RecordingPeer : public forms::Peer {
public:
    RecordingPeer(Log& log, std::string name) : log_(log), name_(std::move(name)) { ++log_.alive; }
    ~RecordingPeer() override { --log_.alive; }
    void Changed(forms::Property p, int index) override {
        log_.lines.push_back(name_ + " " + std::to_string(static_cast<int>(p)) + " " + std::to_string(index));
    }
    void ItemsInserted(int first, int count) override {
        log_.lines.push_back(name_ + " +" + std::to_string(first) + "," + std::to_string(count));
    }
    void ItemsRemoved(int first, int count) override {
        log_.lines.push_back(name_ + " -" + std::to_string(first) + "," + std::to_string(count));
    }
    void ItemsReset() override { log_.lines.push_back(name_ + " reset"); }

private:
    Log& log_;
    std::string name_;
};

class RecordingBackend : public forms::Backend {
public:
    explicit RecordingBackend(Log& log) : log_(log) {}
    void Attach(forms::Form& form) override {
        log_.lines.push_back("attach " + form.Name());
        form.SetPeer(std::make_unique<RecordingPeer>(log_, form.Name()));
        for (forms::Control* c : form.Controls()) AttachControl(*c);
    }
    void AttachControl(forms::Control& c) override { c.SetPeer(std::make_unique<RecordingPeer>(log_, c.Name())); }
    void RunModal(forms::Form&) override {}
    forms::Menu* PopupMenu(forms::Form&, forms::Menu&, vb::Integer, vb::Single, vb::Single, bool) override {
        return nullptr;
    }
    const forms::FontMetrics& Metrics() const override { return metrics_; }

private:
    Log& log_;
    forms::FixedMetrics metrics_;
};

class Peers : public ::testing::Test {
protected:
    Peers() : backend(log) {
        forms::ResetApplication();
        forms::SetBackend(&backend);
    }
    ~Peers() override {
        forms::ResetApplication();
        forms::SetBackend(nullptr);
    }
    std::string Line(forms::Property p, const std::string& name, int index = -1) {
        return name + " " + std::to_string(static_cast<int>(p)) + " " + std::to_string(index);
    }
    Log log;
    RecordingBackend backend;
};

TEST_F(Peers, TheBackendAttachesBeforeLoadAndPeersGoAtUnload) {
    Sample form;
    form.Load = [&] { log.lines.push_back("Load"); };
    forms::Load(form);
    EXPECT_EQ(log.lines.at(0), "attach Sample");
    EXPECT_EQ(log.lines.at(1), "Load");
    EXPECT_EQ(log.alive, static_cast<int>(form.Controls().size()) + 1);
    forms::Unload(form);
    EXPECT_EQ(log.alive, 0);
    EXPECT_EQ(form.Text1.peer(), nullptr);
}

TEST_F(Peers, APeerDiesWithItsControl) {
    Sample form;
    forms::Load(form);
    int before = log.alive;
    {
        forms::Label late{form, "late"};  // made after the load: attached at its first use
        late.Caption("x");
        EXPECT_NE(late.peer(), nullptr);
        EXPECT_EQ(log.alive, before + 1);
    }
    EXPECT_EQ(log.alive, before);
}

TEST_F(Peers, EachRealChangeIsNotifiedOnce) {
    Sample form;
    forms::Load(form);
    log.lines.clear();
    form.Label1.Caption("x");
    form.Label1.Caption("x");
    form.Text1.Text("t");
    form.Caption("Title");
    EXPECT_EQ(log.lines, (std::vector<std::string>{Line(forms::Property::Caption, "Label1"),
                                                   Line(forms::Property::Text, "Text1"),
                                                   Line(forms::Property::Selection, "Text1"),
                                                   Line(forms::Property::Caption, "Sample")}));
}

TEST_F(Peers, ListsReportRowsInsertedAndRemoved) {
    Sample form;
    forms::Load(form);
    log.lines.clear();
    form.List1.AddItem("b");
    form.List1.AddItem("a");
    form.List1.AddItem("c");
    form.List1.RemoveItem(1);
    form.List1.Clear();
    EXPECT_EQ(log.lines, (std::vector<std::string>{"List1 +0,1", "List1 +0,1", "List1 +2,1", "List1 -1,1",
                                                   "List1 reset", Line(forms::Property::ListIndex, "List1")}));
}

TEST_F(Peers, WidgetInputGoesThroughTheSetters) {
    Sample form;
    form.Show();
    form.Take();
    // What a Qt peer does on its widget's signals; echoes of the model's own change do nothing.
    forms::input::Edit(form.Text1, "abc", 3);
    forms::input::Edit(form.Text1, "abc", 3);
    forms::input::ChooseItem(form.Combo1, -1);
    form.HScroll1.Max(100);
    forms::input::ScrollTo(form.HScroll1, 500);  // clamped by the model
    forms::input::Resized(form, 3000, 2000);
    EXPECT_EQ(form.Take(), (Events{"Text1_Change abc", "HScroll1_Change 100", "Resize"}));
    EXPECT_EQ(form.ScaleWidth(), 3000);
    EXPECT_EQ(form.Text1.SelStart(), 3);
}

}  // namespace
}  // namespace formtest
