// Start-up of the food diary on the desktop (Qt, offscreen) when "calories.INI" is shared with
// other programs: a 1 KB file of its own three sections against a 20 MB one in which they follow
// many foreign sections. A start runs from the splash to the main window painted with the saved
// week. The INI is read from the disk at every start (nothing kept from the start before), and it
// was last written a while ago, as at a start after the previous day's shutdown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <filesystem>
#include <string>

#include "bench/calories_data.h"
#include "bench/qt/settle.h"
#include "calories/Calories.h"
#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/fooditem.h"
#include "calories/foodgroups.h"
#include "calories/mealitem.h"
#include "calories/meals.h"
#include "platform/files/profile.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"

namespace {

namespace fs = std::filesystem;

// A week with a few foods a day.
std::string Log() {
    std::string bytes = calories::encode(calories::MealItem{});
    for (int day = 1; day <= 7; ++day)
        for (int i = 0; i < 12; ++i) {
            calories::MealItem m;
            m.name = "Food " + std::to_string(i);
            m.calories = 100 + i;
            m.group = "Beef";
            m.servings = "1";
            m.meal = std::string(calories::kMeals[static_cast<std::size_t>(i % 6)]);
            m.day = day;
            bytes += calories::encode(m);
        }
    return bytes;
}

std::string OwnSections() {
    return "[date]\r\nmessage2=Mar 09/26\r\nmessage3=Mar 15/26\r\nmessage4=3\r\nmessage5=7\r\nmessage6=False\r\n"
           "[openfile info]\r\nMessage1=\r\n"
           "[YourString.Something]\r\nMessage5=2000\r\nMessage6=65\r\nMessage7=300\r\nMessage8=30\r\n"
           "Message9=300\r\nMessage10=50\r\n";
}

std::string ForeignSections(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 256);
    for (int n = 0; text.size() < bytes; ++n) {
        text += "[Other program " + std::to_string(n) + "]\r\n";
        for (int k = 0; k < 4; ++k)
            text += "Setting" + std::to_string(k) + "=some stored value " + std::to_string(n) + "\r\n";
    }
    return text;
}

// The data folder and INI of one benchmark; the INI holds `size` bytes.
struct Folder {
    explicit Folder(std::size_t size) {
        // About the size of the shipped sample database.
        drive::TempEnvironment::WriteFile(env.CurrentDir() / "fooddata.bok", benchdata::FoodDatabase(542));
        drive::TempEnvironment::WriteFile(env.CurrentDir() / "period1.dat", Log());
        const std::string own = OwnSections();
        drive::TempEnvironment::WriteFile(ini, size > own.size() ? ForeignSections(size - own.size()) + own : own);
        fs::last_write_time(ini, fs::file_time_type::clock::now() - std::chrono::hours(12));
    }
    drive::TempEnvironment env;
    const fs::path ini = env.WindowsDir() / "calories.INI";
};

using benchqt::Settle;

void BM_DesktopStartup(benchmark::State& state) {
    Folder folder(static_cast<std::size_t>(state.range(0)));
    qtui::QtHost host;
    for (auto _ : state) {
        files::ForgetIniFiles();  // a new process knows no file yet
        auto app = std::make_unique<calories::Calories>();
        app->Main();
        Settle();
        drive::Click(app->splash().Command1);
        Settle();
        qtui::WindowOf(app->mainform())->repaint();
        state.PauseTiming();
        if (app->mainform().Label47.Caption() != "3") state.SkipWithError("the saved period was not read");
        forms::ResetApplication();  // forget the windows without writing the files back
        app.reset();
        Settle();
        state.ResumeTiming();
    }
    state.counters["ini_bytes"] = static_cast<double>(fs::file_size(folder.ini));
}
BENCHMARK(BM_DesktopStartup)->Arg(1 << 10)->Arg(20 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
