// Start-up of the recipe program with a 10,000-ingredient "Ing.dat" and a 5,000-recipe
// "Recipe.Dat": the two stores read and parsed alone, and the whole main window loading them into
// its lists (the test backend stands in for the desktop).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/recipe_data.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/store/ingstore.h"
#include "recipe/store/recipestore.h"

namespace {

constexpr int kIngredients = 10000;
constexpr int kRecipes = 5000;

void WriteStores(const std::filesystem::path& dir) {
    using benchdata::SpreadName;
    drive::TempEnvironment::WriteFile(
        dir / "Ing.dat", benchdata::IngredientStore(kIngredients, [](int i) { return SpreadName("ingredient", i); }));
    const std::string text = benchdata::RecipeRecords(
        kRecipes, [](int i) { return SpreadName("recipe", i); },
        [](int i, int k) { return SpreadName("ingredient", i * 8 + k); }, true);
    drive::TempEnvironment::WriteFile(dir / "Recipe.Dat", text + "\r\n");
}

void BM_StoresRead(benchmark::State& state) {
    drive::TempEnvironment env;
    WriteStores(env.CurrentDir());
    for (auto _ : state) {
        recipe::IngStore ing;
        (void)ing.Load();
        recipe::RecipeStore recipes;
        (void)recipes.Get_Big_Recipe();
        auto names = recipes.Load_Recipes();
        benchmark::DoNotOptimize(names.data());
        if (ing.Count() != kIngredients || names.size() != kRecipes) state.SkipWithError("stores not read whole");
    }
}
BENCHMARK(BM_StoresRead)->Unit(benchmark::kMillisecond);

void BM_MainWindowLoad(benchmark::State& state) {
    drive::TempEnvironment env;
    WriteStores(env.CurrentDir());
    drive::TestHost host;
    for (auto _ : state) {
        auto app = std::make_unique<recipe::Recipe>();
        recipe::InterfaceFrm& main = app->Interface();
        if (app->CalcFrm().IngLst.ListCount() != kIngredients) state.SkipWithError("ingredient list not filled");
        state.PauseTiming();
        forms::Unload(main);
        app.reset();
        forms::ResetApplication();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
