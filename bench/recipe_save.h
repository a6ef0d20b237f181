// Finish and Save of a 30-line recipe into a store of 5,000 recipes (1.6 MB), run for run beside
// its floor: the safe save (backup, write, sync, rename) of the same bytes into a file of its own
// in the same folder. Counters: save_ms, floor_ms and ratio (medians of the paired runs), MB.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/paired.h"
#include "bench/recipe_data.h"
#include "platform/files/safesave.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"

namespace benchdata {

inline constexpr int kSaveRecipes = 5000;
inline constexpr int kSaveLines = 30;
inline const char* const kSaveIngredients[] = {"Flour", "Butter", "Milk"};

inline void WriteSaveStores(const std::filesystem::path& dir) {
    drive::TempEnvironment::WriteFile(dir / "Ing.dat",
                                        IngredientStore(3, [](int i) { return kSaveIngredients[i]; }));
    const std::string text = RecipeRecords(
        kSaveRecipes, [](int i) { return SpreadName("recipe", i); },
        [](int i, int k) { return SpreadName("ingredient", (i * 8 + k) % 10000); }, true);
    drive::TempEnvironment::WriteFile(dir / "Recipe.Dat", text + "\r\n");
}

// Thirty lines and the directions on the builder, entered as a user does.
inline void EnterRecipe(recipe::CalcFrm& c, const std::function<void()>& settle) {
    for (int i = 0; i < kSaveLines; ++i) {
        drive::DropDown(c.IngLst2);
        drive::ChooseItem(c.IngLst, kSaveIngredients[i % 3]);
        drive::ScrollTo(c.OnesVs, static_cast<vb::Integer>(1 + i % 4));
        drive::ScrollTo(c.FracVs, static_cast<vb::Integer>(i % 10));
        drive::ChooseItem(c.MeasureLst, i % 2 ? "cup" : "g");
        drive::Click(c.Addcmd);
        settle();
    }
    drive::TypeText(c.DirectionsTxt, "Mix, then bake for an hour.");
}

// Each run saves under a new name; `settle` lets the desktop catch up (its repaint counts).
inline void PairedFinishAndSave(benchmark::State& state, recipe::Recipe& app, const std::filesystem::path& dir,
                                const std::function<void()>& settle) {
    recipe::CalcFrm& c = app.CalcFrm();
    const auto floorFile = dir / "Floor.Dat";
    PairedRuns runs("save");
    int n = 0;
    for (auto _ : state) {
        drive::TypeText(c.NameTxt, "New recipe " + std::to_string(n++));
        settle();
        const double saveMs = TimedMs([&] {
            drive::ClickTool(c.CalcBar, "Save");
            settle();
        });
        if (!app.Changes_Saved) state.SkipWithError("not saved");
        const std::string bytes = app.Recipes.Recipe_Text() + "\r\n";
        const double floorMs = TimedMs([&] {
            if (files::SafeSave(floorFile, bytes, true)) state.SkipWithError("the floor's save failed");
        });
        runs.Add(state, saveMs, floorMs);
    }
    runs.Report(state);
    state.counters["MB"] = static_cast<double>(app.Recipes.Recipe_Text().size()) / (1 << 20);
}

}  // namespace benchdata
