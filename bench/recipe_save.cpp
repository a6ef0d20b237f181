// The recipe builder's Finish and Save of a 30-line recipe into a store of 5,000 recipes (the
// file rewritten through its safe save each time), and the servings OK rescaling 30 lines (the
// test backend stands in for the desktop).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/recipe_data.h"
#include "bench/recipe_session.h"
#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"
#include "platform/testing/user.h"
#include "recipe/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"

namespace {

constexpr int kRecipes = 5000;
constexpr int kLines = 30;

void WriteStores(const std::filesystem::path& dir) {
    const char* names[] = {"Flour", "Butter", "Milk"};
    testing::TempEnvironment::WriteFile(dir / "Ing.dat", benchdata::IngredientStore(3, [&](int i) { return names[i]; }));
    const std::string text = benchdata::RecipeRecords(
        kRecipes, [](int i) { return "Stored recipe " + std::to_string(i); }, [](int, int) { return "Flour"; }, false);
    testing::TempEnvironment::WriteFile(dir / "Recipe.Dat", text + "\r\n");
}

// A started program with a 30-line recipe on the builder.
struct Session : benchdata::RecipeSession {
    Session() : RecipeSession(WriteStores) {
        recipe::CalcFrm& c = app->CalcFrm();
        const char* names[] = {"Flour", "Butter", "Milk"};
        for (int i = 0; i < kLines; ++i) {
            testing::DropDown(c.IngLst2);
            testing::ChooseItem(c.IngLst, names[i % 3]);
            testing::ScrollTo(c.OnesVs, static_cast<vb::Integer>(1 + i % 4));
            testing::ScrollTo(c.FracVs, static_cast<vb::Integer>(i % 10));
            testing::ChooseItem(c.MeasureLst, i % 2 ? "cup" : "g");
            testing::Click(c.Addcmd);
        }
        testing::TypeText(c.DirectionsTxt, "Mix, then bake for an hour.");
    }
};

void BM_FinishAndSave(benchmark::State& state) {
    Session s;
    recipe::CalcFrm& c = s.app->CalcFrm();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        testing::TypeText(c.NameTxt, "New recipe " + std::to_string(n++));
        state.ResumeTiming();
        testing::ClickTool(c.CalcBar, "Save");
        if (!s.app->Changes_Saved) state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_FinishAndSave)->Unit(benchmark::kMillisecond);

void BM_ServingsOk(benchmark::State& state) {
    Session s;
    recipe::CalcFrm& c = s.app->CalcFrm();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        testing::ScrollTo(c.ServingsVs, static_cast<vb::Integer>(n++ % 2 ? 13 : 10));
        state.ResumeTiming();
        testing::Click(c.OkCmd);
        if (s.app->Servings_Applied != s.app->Servings_Chosen) state.SkipWithError("not applied");
    }
}
BENCHMARK(BM_ServingsOk)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
