// The day report of a day of 60 foods in the six meals, printed through the test backend's
// printer: the print dialog, the layout of every line at its Tab columns, and the document handed
// over.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/calories_day.h"
#include "calories/Calories.h"
#include "calories/calmain.h"
#include "platform/forms/forms.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/test_host.h"

namespace {

void BM_PrintDayOf60Foods(benchmark::State& state) {
    drive::TempEnvironment env;
    drive::TestHost host;
    benchdata::WriteDay(env, 60);
    calories::Calories app;
    app.Main();
    calories::calmain& main = app.mainform();
    for (auto _ : state) main.Command5_Click();
    const auto& docs = host.PrintedDocuments();
    if (static_cast<benchmark::IterationCount>(docs.size()) != state.iterations() || docs.empty() || docs[0].pages.empty())
        state.SkipWithError("nothing printed");
    else
        state.counters["pages"] = static_cast<double>(docs[0].pages.size());
    forms::ResetApplication();
}
BENCHMARK(BM_PrintDayOf60Foods)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
