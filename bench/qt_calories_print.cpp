// The day report of a day of 60 foods printed on the Qt backend to a PDF file (no printer here):
// the layout with the printer's real font metrics and the pages painted into the file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/calories_day.h"
#include "calories/Calories.h"
#include "calories/calmain.h"
#include "platform/forms/forms.h"
#include "platform/qt/printer.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"

namespace {

// After the print dialog: the report laid out and painted into a fresh PDF file.
void BM_PrintDayOf60FoodsToPdf(benchmark::State& state) {
    drive::TempEnvironment env;
    benchdata::WriteDay(env, 60);
    qtui::QtHost host;
    qtui::QtPrinter& printer = host.Printer();
    printer.Device().setOutputFormat(QPrinter::PdfFormat);
    printer.SetPdfFolder((env.Root() / "pdf").string());
    printer.SetPdfNotice([](const std::string&) {});
    {
        calories::Calories app;
        app.Main();
        calories::calmain& main = app.mainform();
        for (auto _ : state) main.PrintDay();
        forms::Unload(main);
    }
    std::error_code ec;
    if (printer.LastPdf().empty() || std::filesystem::file_size(printer.LastPdf(), ec) == 0)
        state.SkipWithError("no PDF written");
    forms::ResetApplication();
}
BENCHMARK(BM_PrintDayOf60FoodsToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
