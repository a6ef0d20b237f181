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
    drive::TempEnvironment env;
    drive::TestHost host;
    std::unique_ptr<recipe::Recipe> app;

    Program() {
        drive::TempEnvironment::WriteFile(env.CurrentDir() / "Ing.dat", benchdata::IngredientStore(kIngredients, Name));
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
    if (any) drive::Click(search.AnyAllOpt[0]);
    drive::TypeText(search.SearchTxt, "brown rice");
    for (auto _ : state) {
        drive::Click(search.SearchCmd);
        if (search.SearchLst.ListCount() == 0) state.SkipWithError("nothing found");
    }
    state.counters["found"] = search.SearchLst.ListCount();
}
BENCHMARK(BM_Search)->ArgName("any")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AddIngredientThroughFinish(benchmark::State& state) {
    Program p;
    recipe::frmIngrediant& w = p.app->frmIngrediant();
    drive::ClickTool(p.app->Interface().TopBar, "AddIngredient");
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        drive::TypeText(w.txtName, "New ingredient " + std::to_string(n++));
        drive::Click(w.cmdNext);
        drive::Click(w.optUnits[4]);
        drive::Click(w.cmdNext);
        drive::ScrollTo(w.vsOnes, 1);
        drive::Click(w.cmdNext);
        drive::Click(w.opt2ndM[11]);
        drive::Click(w.cmdNext);
        drive::TypeText(w.txtCal, "100");
        drive::Click(w.cmdNext);
        drive::TypeText(w.txtFat, "9");
        drive::TypeText(w.txtSatFat, "0");
        drive::Click(w.cmdNext);
        drive::TypeText(w.txtChol, "0");
        drive::Click(w.cmdNext);
        drive::TypeText(w.txtSodium, "0");
        drive::Click(w.cmdNext);
        drive::TypeText(w.txtTotalCarbs, "20");
        drive::TypeText(w.txtFiber, "0");
        drive::Click(w.cmdNext);
        drive::TypeText(w.txtProtein, "3");
        drive::Click(w.cmdNext);
        const std::size_t before = p.app->Ing.Count();
        state.ResumeTiming();
        drive::Click(w.cmdFinish);
        if (p.app->Ing.Count() != before + 1) state.SkipWithError("not stored");
    }
}
BENCHMARK(BM_AddIngredientThroughFinish)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
