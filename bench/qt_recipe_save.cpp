// Finish and Save on the desktop (Qt, offscreen): the recipe program started whole on a store of
// 5,000 recipes, a 30-line recipe saved under a new name each run, beside the safe save of the
// same bytes (recipe_save.h). A run ends once the desktop has caught up.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <memory>

#include "bench/qt/settle.h"
#include "bench/recipe_save.h"
#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"

namespace {

using benchqt::Settle;

void BM_DesktopFinishAndSave(benchmark::State& state) {
    drive::TempEnvironment env;
    benchdata::WriteSaveStores(env.CurrentDir());
    files::SaveSetting("recipe", "Options", "Show Tips at Startup", "0");
    files::SaveSetting("recipe", "Options", "Play music at Startup", "0");
    qtui::QtHost host;
    auto app = std::make_unique<recipe::Recipe>();
    app->Main();
    // Past the splash's second and its closing.
    QElapsedTimer waited;
    waited.start();
    while ((app->LoadedSplash() || !app->LoadedCalcFrm() || !app->LoadedCalcFrm()->Visible()) && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (app->LoadedSplash()) {
        state.SkipWithError("the main window did not come up");
        return;
    }
    benchdata::EnterRecipe(app->CalcFrm(), Settle);
    benchdata::PairedFinishAndSave(state, *app, env.CurrentDir(), Settle);
    forms::Unload(app->Interface());
    app.reset();
    forms::ResetApplication();
    Settle();
}
BENCHMARK(BM_DesktopFinishAndSave)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
