// A sorted list of 32,767 items shown in the Qt list view: filled while the window shows it, and
// filled first and then bound to a new window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"

namespace {

constexpr int kItems = 32767;

std::vector<std::string> Names() {
    static const char* words[] = {"Apple", "Beef", "Cheddar", "Date", "Egg", "Fig", "Granola", "Ham", "Icing",
                                  "Jam", "Kale", "Lentil", "Mango", "Noodle", "Oat", "Pea", "Quince", "Rice"};
    std::mt19937 rng(7);
    std::vector<std::string> out;
    out.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
        std::string s = words[rng() % 18];
        s += ", ";
        s += words[rng() % 18];
        s += " \xE9" + std::to_string(rng() % 100000);
        out.push_back(std::move(s));
    }
    return out;
}

class ListForm : public forms::Form {
public:
    ListForm() : Form("frmList") {
        ClientSize(6000, 6000);
        List1.Sorted(true).Move(120, 120, 5760, 5760);
    }
    forms::ListBox List1{*this, "List1"};
};

void Settle() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

// The window is up; the list is cleared and refilled, then the view lays out and paints.
void BM_FillShownList(benchmark::State& state) {
    auto names = Names();
    qtui::QtHost host;
    ListForm form;
    form.Show();
    Settle();
    for (auto _ : state) {
        form.List1.Clear();
        for (const std::string& s : names) form.List1.AddItem(s);
        Settle();
        qtui::WidgetOf(form.List1)->repaint();
    }
    state.counters["rows"] = form.List1.ListCount();
    forms::Unload(form);
    Settle();
}
BENCHMARK(BM_FillShownList)->Unit(benchmark::kMillisecond);

// The usual case: the list is filled while its form loads (the window exists, hidden), then the
// window shows it.
void BM_FillWhileLoading(benchmark::State& state) {
    auto names = Names();
    qtui::QtHost host;
    for (auto _ : state) {
        state.PauseTiming();
        ListForm form;
        forms::Load(form);
        state.ResumeTiming();
        for (const std::string& s : names) form.List1.AddItem(s);
        form.Show();
        Settle();
        qtui::WidgetOf(form.List1)->repaint();
        state.PauseTiming();
        forms::Unload(form);
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillWhileLoading)->Unit(benchmark::kMillisecond);

// The list is filled before the window exists; loading makes the view over it and shows it.
void BM_BindFilledList(benchmark::State& state) {
    auto names = Names();
    qtui::QtHost host;
    for (auto _ : state) {
        state.PauseTiming();
        ListForm form;
        for (const std::string& s : names) form.List1.AddItem(s);
        state.ResumeTiming();
        form.Show();
        Settle();
        qtui::WidgetOf(form.List1)->repaint();
        state.PauseTiming();
        forms::Unload(form);
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BindFilledList)->Unit(benchmark::kMillisecond);

// The model alone, for comparison: what the view adds is the difference.
void BM_FillModelOnly(benchmark::State& state) {
    auto names = Names();
    for (auto _ : state) {
        ListForm form;
        for (const std::string& s : names) form.List1.AddItem(s);
        benchmark::DoNotOptimize(form.List1.ListCount());
    }
}
BENCHMARK(BM_FillModelOnly)->Unit(benchmark::kMillisecond);

}  // namespace
