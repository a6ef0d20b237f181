// Choosing a food group on the desktop (Qt, offscreen): the whole database of 32,767 foods in one
// group, listed sorted and painted, run for run beside its floor, the least the same list needs: a
// bare Qt list view over a string list model handed the same names, already in order and already
// Qt strings, and painted. Counters: choice_ms, floor_ms and ratio (medians of the paired runs),
// rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QStringList>
#include <QStringListModel>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/calories_data.h"
#include "bench/paired.h"
#include "bench/qt/settle.h"
#include "calories/Calories.h"
#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"

namespace {

constexpr int kFoods = 32767;

using benchdata::PairedRuns;
using benchdata::TimedMs;
using benchqt::Settle;

void BM_DesktopGroupChoice(benchmark::State& state) {
    drive::TempEnvironment env;
    const std::string bytes = benchdata::FoodDatabase(
        kFoods, [](int i) { return "Food number " + std::to_string((i * 7919) % kFoods) + ", 100 g"; }, "Beef");
    drive::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", bytes);
    drive::TempEnvironment::WriteFile(
        env.WindowsDir() / "calories.INI",
        "[date]\r\nmessage2=Mar 09/26\r\nmessage3=Mar 15/26\r\nmessage4=3\r\nmessage5=7\r\nmessage6=False\r\n"
        "[openfile info]\r\nMessage1=\r\n[YourString.Something]\r\nMessage5=2000\r\nMessage6=65\r\n"
        "Message7=300\r\nMessage8=30\r\nMessage9=300\r\nMessage10=50\r\n");
    qtui::QtHost host;
    auto app = std::make_unique<calories::Calories>();
    app->Main();
    QElapsedTimer waited;
    waited.start();
    while (!app->splash().Command1.Enabled() && waited.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    drive::Click(app->splash().Command1);
    Settle();
    calories::calmain& main = app->mainform();
    QWidget* list = qtui::WidgetOf(main.List1);

    // The floor: the same names in order in a bare view of the same size, on screen beside the
    // program. The model shares the list it is handed, so filling it copies no text.
    QStringList sorted;
    sorted.reserve(kFoods);
    for (int i = 0; i < kFoods; ++i) sorted.append(QString::fromStdString(main.List1.List(i)));
    QStringListModel model;
    QListView bare;
    bare.setUniformItemSizes(true);
    bare.setModel(&model);
    bare.resize(list->size());
    bare.show();
    Settle();

    PairedRuns runs("choice");
    for (auto _ : state) {
        main.Combo1.Text("Soups");  // no foods
        model.setStringList({});
        Settle();
        const double choiceMs = TimedMs([&] {
            main.Combo1.Text("Beef");
            Settle();
            list->repaint();
        });
        const double floorMs = TimedMs([&] {
            model.setStringList(sorted);
            Settle();
            bare.repaint();
        });
        runs.Add(state, choiceMs, floorMs);
    }
    if (main.List1.ListCount() != kFoods) state.SkipWithError("not every food listed");
    runs.Report(state);
    state.counters["rows"] = main.List1.ListCount();
    forms::ResetApplication();  // the windows go without writing the files back
    app.reset();
    Settle();
}
BENCHMARK(BM_DesktopGroupChoice)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

}  // namespace
