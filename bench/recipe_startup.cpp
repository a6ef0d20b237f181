// Start-up of the recipe program with a 10,000-ingredient "Ing.dat" and a 5,000-recipe
// "Recipe.Dat": the two stores read and parsed alone, and the whole main window loading them into
// its lists (the test backend stands in for the desktop).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"
#include "recipe/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/grammar.h"
#include "recipe/ingrecord.h"
#include "recipe/ingstore.h"
#include "recipe/recipestore.h"

namespace {

constexpr int kIngredients = 10000;
constexpr int kRecipes = 5000;

std::string Name(const char* prefix, int i) {
    // Names spread over the alphabet, as a real store's are.
    std::string s(1, static_cast<char>('A' + (i * 7919) % 26));
    s += prefix;
    s += " ";
    s += std::to_string(i);
    return s;
}

void WriteStores(const std::filesystem::path& dir) {
    std::string ing;
    ing.reserve(static_cast<std::size_t>(kIngredients) * recipe::kIngRecordSize);
    for (int i = 0; i < kIngredients; ++i) {
        recipe::IngRecord r;
        r.Name = Name("ingredient", i);
        r.Qty1 = 1;
        r.Unit1 = "cup";
        r.Qty2 = 240;
        r.Unit2 = "g";
        r.Fat = 3.5f;
        r.Chol = 12;
        r.TotalCarbs = 20;
        r.MeasureKind = recipe::kVolumeAndWeight;
        ing += recipe::encode(r);
    }
    testing::TempEnvironment::WriteFile(dir / "Ing.dat", ing);

    namespace g = recipe::grammar;
    std::string text;
    for (int i = 0; i < kRecipes; ++i) {
        std::vector<std::string> lines;
        for (int k = 0; k < 8; ++k) lines.push_back(g::IngredientLine(Name("ingredient", i * 8 + k), true, "1 1/2", "cup"));
        lines.insert(lines.begin() + 4, g::HeadingLine("Topping"));
        text += g::RecipeRecord(Name("recipe", i), "4", lines,
                                "Mix everything in a large bowl.\r\nBake for 40 minutes until golden.");
    }
    testing::TempEnvironment::WriteFile(dir / "Recipe.Dat", text + "\r\n");
}

void BM_StoresRead(benchmark::State& state) {
    testing::TempEnvironment env;
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
    testing::TempEnvironment env;
    WriteStores(env.CurrentDir());
    testing::TestHost host;
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
