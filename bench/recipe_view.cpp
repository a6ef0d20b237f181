// The stored-recipes screen with a store of 5,000 recipes and 10,000 ingredients: showing a recipe
// of 30 lines (parsed, every ingredient looked up, the nutrition summed), building its mail body,
// and printing it to the test backend's printer.
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
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/viewer/frmEmail.h"
#include "recipe/store/grammar.h"
#include "recipe/viewer/mailbody.h"

namespace {

constexpr int kRecipes = 5000;
constexpr int kIngredients = 10000;
constexpr int kLines = 30;

std::string IngName(int i) { return "Ingredient number " + std::to_string(i); }

void WriteStores(const std::filesystem::path& dir) {
    drive::TempEnvironment::WriteFile(dir / "Ing.dat", benchdata::IngredientStore(kIngredients, IngName));
    namespace g = recipe::grammar;
    std::string text = benchdata::RecipeRecords(
        kRecipes, [](int i) { return "Stored recipe " + std::to_string(i); }, [](int, int k) { return IngName(k * 7); },
        false);
    // The one shown: thirty lines whose ingredients lie all over the table.
    std::vector<std::string> lines{g::HeadingLine("Dough")};
    for (int k = 1; k < kLines; ++k)
        lines.push_back(g::IngredientLine(IngName((k * 337) % kIngredients), k % 2 == 0, k % 2 ? "2.5" : "1 1/2",
                                          k % 3 ? "cup" : "g"));
    std::string directions;
    for (int k = 0; k < 12; ++k) directions += "Knead the dough for another few minutes, then let it rest and rise. ";
    text += g::RecipeRecord("Big loaf", "6", lines, directions);
    drive::TempEnvironment::WriteFile(dir / "Recipe.Dat", text + "\r\n");
}

struct Session : benchdata::RecipeSession {
    Session() : RecipeSession(WriteStores) { drive::ClickTool(app->Interface().TopBar, "Recipes"); }
    recipe::ViewFrm& view() { return app->ViewFrm(); }
};

void BM_ShowRecipe(benchmark::State& state) {
    Session s;
    recipe::ViewFrm& v = s.view();
    const int big = v.RecipeLst.FindStringExact("Big loaf");
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        v.RecipeLst.ListIndex(n++ % 2 ? 0 : 1);  // another recipe, so the choice is a change
        state.ResumeTiming();
        drive::ChooseItem(v.RecipeLst, big);
        if (!v.RecipeShown() || v.R_IngLst.ListCount() != kLines) state.SkipWithError("not shown");
    }
}
BENCHMARK(BM_ShowRecipe)->Unit(benchmark::kMillisecond);

void BM_MailBody(benchmark::State& state) {
    Session s;
    drive::ChooseItem(s.view().RecipeLst, "Big loaf");
    const recipe::MailRecipe shown = s.app->frmEmail().ShownRecipe();
    for (auto _ : state) {
        std::string body = recipe::RecipeMailBody("<p>For you.</p>", shown);
        benchmark::DoNotOptimize(body);
    }
}
BENCHMARK(BM_MailBody)->Unit(benchmark::kMicrosecond);

void BM_PrintRecipe(benchmark::State& state) {
    Session s;
    drive::ChooseItem(s.view().RecipeLst, "Big loaf");
    for (auto _ : state) drive::ClickTool(s.view().ViewBar, "Print");
    if (s.host.PrintedDocuments().empty()) state.SkipWithError("nothing printed");
}
BENCHMARK(BM_PrintRecipe)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
