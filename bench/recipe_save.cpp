// The recipe builder's Finish and Save of a 30-line recipe into a store of 5,000 recipes beside
// its floor (recipe_save.h), and the servings OK rescaling 30 lines (the test backend stands in
// for the desktop).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/recipe_save.h"
#include "bench/recipe_session.h"
#include "platform/forms/forms.h"
#include "platform/testing/user.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"

namespace {

// A started program with a 30-line recipe on the builder.
struct Session : benchdata::RecipeSession {
    Session() : RecipeSession(benchdata::WriteSaveStores) { benchdata::EnterRecipe(app->CalcFrm(), [] {}); }
};

void BM_FinishAndSave(benchmark::State& state) {
    Session s;
    benchdata::PairedFinishAndSave(state, *s.app, s.env.CurrentDir(), [] {});
}
BENCHMARK(BM_FinishAndSave)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_ServingsOk(benchmark::State& state) {
    Session s;
    recipe::CalcFrm& c = s.app->CalcFrm();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        drive::ScrollTo(c.ServingsVs, static_cast<vb::Integer>(n++ % 2 ? 13 : 10));
        state.ResumeTiming();
        drive::Click(c.OkCmd);
        if (s.app->Servings_Applied != s.app->Servings_Chosen) state.SkipWithError("not applied");
    }
}
BENCHMARK(BM_ServingsOk)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
