// The ingredient screens with a 10,000-ingredient "Ing.dat" (the test backend stands in for the
// desktop): a search of the builder's list for all or any of two words, and one new ingredient
// stored through the wizard's Finish (checks, the store's safe save, both sorted lists).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/recipe_data.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"
#include "platform/testing/user.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/ingredients/SearchFrm.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/store/ingrecord.h"

namespace {

constexpr int kIngredients = 10000;

// Names made of a few common words, as a real store's are.
std::string Name(int i) {
    static const char* kinds[] = {"Rice", "Wheat flour", "Lentils", "Beans", "Milk", "Cheese", "Apple", "Spinach",
                                  "Chicken", "Oats", "Barley", "Yoghurt", "Tomato", "Onion", "Potato", "Millet"};
    static const char* forms[] = {"raw", "boiled", "brown", "white", "dried", "fresh", "roasted", "whole"};
    return std::string(kinds[(i * 7) % 16]) + ", " + forms[(i / 16) % 8] + ", lot " + std::to_string(i);
}

struct Program {
    testing::TempEnvironment env;
    testing::TestHost host;
    std::unique_ptr<recipe::Recipe> app;

    Program() {
        testing::TempEnvironment::WriteFile(env.CurrentDir() / "Ing.dat", benchdata::IngredientStore(kIngredients, Name));
        app = std::make_unique<recipe::Recipe>();
        app->Interface();
    }
    ~Program() {
        forms::Unload(app->Interface());
        app.reset();
        forms::ResetApplication();
    }
};

void BM_Search(benchmark::State& state) {
    Program p;
    recipe::SearchFrm& search = p.app->SearchFrm();
    const bool any = state.range(0) != 0;
    if (any) testing::Click(search.AnyAllOpt[0]);
    testing::TypeText(search.SearchTxt, "brown rice");
    for (auto _ : state) {
        testing::Click(search.SearchCmd);
        if (search.SearchLst.ListCount() == 0) state.SkipWithError("nothing found");
    }
    state.counters["found"] = search.SearchLst.ListCount();
}
BENCHMARK(BM_Search)->ArgName("any")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AddIngredientThroughFinish(benchmark::State& state) {
    Program p;
    recipe::frmIngrediant& w = p.app->frmIngrediant();
    testing::ClickTool(p.app->Interface().TopBar, "AddIngredient");
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        testing::TypeText(w.txtName, "New ingredient " + std::to_string(n++));
        testing::Click(w.cmdNext);
        testing::Click(w.optUnits[4]);
        testing::Click(w.cmdNext);
        testing::ScrollTo(w.vsOnes, 1);
        testing::Click(w.cmdNext);
        testing::Click(w.opt2ndM[11]);
        testing::Click(w.cmdNext);
        testing::TypeText(w.txtCal, "100");
        testing::Click(w.cmdNext);
        testing::TypeText(w.txtFat, "9");
        testing::TypeText(w.txtSatFat, "0");
        testing::Click(w.cmdNext);
        testing::TypeText(w.txtChol, "0");
        testing::Click(w.cmdNext);
        testing::TypeText(w.txtSodium, "0");
        testing::Click(w.cmdNext);
        testing::TypeText(w.txtTotalCarbs, "20");
        testing::TypeText(w.txtFiber, "0");
        testing::Click(w.cmdNext);
        testing::TypeText(w.txtProtein, "3");
        testing::Click(w.cmdNext);
        const std::size_t before = p.app->Ing.Count();
        state.ResumeTiming();
        testing::Click(w.cmdFinish);
        if (p.app->Ing.Count() != before + 1) state.SkipWithError("not stored");
    }
}
BENCHMARK(BM_AddIngredientThroughFinish)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
