// Time to the first window: each window program is started as a whole process on generated data,
// on the offscreen platform, and timed from its start to the first paint of its main window; a
// bare Qt program showing a list of the same size is timed the same way, run for run, and the
// ratios are printed as counters (medians of the paired runs). A preloaded helper
// (firstwindow/firstpaint.cpp) watches the event loop from inside the process; the programs
// themselves have no switch for this.
//
// calories: 32,767 foods and a 365-day log of 7,300 foods; the splash's "&Ok" is clicked as soon as
// it is enabled. Counters: window_ms (start to the end of the main window's first paint), bare_ms,
// ratio; load_ms (the splash shown, its first paint done, to "&Ok" enabled: the whole load, progress
// and replay included), read_ms (one read of the food file into
// a buffer sized from its length, in a fresh process), load_ratio; rss_MB, bare_rss_MB, rss_ratio
// (peak resident memory), anon_MB and bare_anon_MB (the processes' own memory at the first paint,
// without the mapped libraries).
// recipe: 10,000 ingredients and 5,000 or 20,000 recipes. Counters: after_timer_ms (the splash's
// timer to the end of the main window's first paint), bare_after_timer_ms (a bare window of the
// screen's size, made ahead as recipe makes its main window, native window and surface included,
// from the timer that shows it to its first paint), after_timer_ratio,
// window_ms, bare_ms (a list of 10,000), ratio, ratio_busy (the start without the splash's
// one-second wait, against the bare list), rss_MB, bare_rss_MB, rss_ratio, anon_MB and
// bare_anon_MB as for calories, screen_rss_MB and screen_rss_ratio (against the bare window of
// the screen's size, the least a maximized main window takes). BM_RecipeFirstWindowX11 runs the same on the X display
// of $DISPLAY (under a window manager), where the window's surface is a real one.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/calories_data.h"
#include "bench/recipe_data.h"
#include "calories/fooditem.h"
#include "calories/foodgroups.h"
#include "calories/mealitem.h"
#include "calories/meals.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

long long Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A folder of its own, removed at the end.
struct TempDir {
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "first-window-XXXXXX").string();
        path = mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
    }
    ~TempDir() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
    fs::path path;
};

struct Run {
    long long start = 0;
    std::map<std::string, long long> marks;  // the helper's moments
    double rssMB = 0;                        // the process's peak resident memory
    bool ok = false;
    double Ms(const std::string& from, const std::string& to) const {
        const long long a = from == "start" ? start : marks.at(from);
        return static_cast<double>(marks.at(to) - a) / 1e6;
    }
};

// Starts the program in `dir` with the helper preloaded and the given settings, and waits for it
// to end (the helper ends it at the first paint; a run that hangs is stopped after a minute).
Run Start(const std::string& exe, const std::vector<std::string>& args, const fs::path& dir,
          const std::map<std::string, std::string>& settings, bool preload = true) {
    const fs::path out = dir / ".firstpaint";
    std::error_code ec;
    fs::remove(out, ec);
    std::map<std::string, std::string> set = settings;
    if (!set.count("QT_QPA_PLATFORM")) set["QT_QPA_PLATFORM"] = "offscreen";
    set["FIRSTPAINT_OUT"] = out.string();
    if (preload) set["LD_PRELOAD"] = FIRSTPAINT_LIB;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string s = *e;
        const std::string name = s.substr(0, s.find('='));
        if (!set.count(name) && name != "LD_PRELOAD" && name.rfind("FIRSTPAINT_", 0) != 0) env.push_back(s);
    }
    for (const auto& [k, v] : set) env.push_back(k + "=" + v);
    std::vector<std::string> argv{exe};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv, cenv;
    for (auto& s : argv) cargv.push_back(s.data());
    cargv.push_back(nullptr);
    for (auto& s : env) cenv.push_back(s.data());
    cenv.push_back(nullptr);

    Run run;
    run.start = Now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        // The programs' own complaints (no tray, no sound device on this platform) go to a file.
        const int err = open(".stderr", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (err >= 0) dup2(err, 2);
        alarm(60);
        execve(exe.c_str(), cargv.data(), cenv.data());
        _exit(127);
    }
    int status = 0;
    rusage use{};
    if (pid < 0 || wait4(pid, &status, 0, &use) != pid) return run;
    run.rssMB = static_cast<double>(use.ru_maxrss) / 1024.0;
    std::ifstream in(out);
    std::string name;
    long long at = 0;
    while (in >> name >> at) run.marks[name] = at;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// ---- generated data ----

// The blank record, then `perDay` foods on each day.
std::string Log(int days, int perDay) {
    std::string bytes = calories::encode(calories::MealItem{});
    for (int day = 1; day <= days; ++day)
        for (int i = 0; i < perDay; ++i) {
            calories::MealItem m;
            m.name = "Food number " + std::to_string(day * perDay + i);
            m.calories = 100 + i;
            m.fat = i % 9;
            m.group = "Beef";
            m.servings = "1";
            m.meal = std::string(calories::kMeals[static_cast<std::size_t>(i % 6)]);
            m.day = day;
            bytes += calories::encode(m);
        }
    return bytes;
}

// A calories folder at `root`: data/, windows/ (the INI) and config/.
void MakeCaloriesFolder(const fs::path& root) {
    const fs::path data = root / "data";
    WriteFile(data / "fooddata.bok", benchdata::FoodDatabase(32767));
    WriteFile(data / "period1.dat", Log(365, 20));
    WriteFile(root / "windows" / "calories.INI",
              "[date]\r\nmessage2=Jan 01/25\r\nmessage3=Dec 31/25\r\nmessage4=200\r\nmessage5=365\r\n"
              "message6=False\r\n[openfile info]\r\nMessage1=\r\n"
              "[YourString.Something]\r\nMessage5=2000\r\nMessage6=65\r\nMessage7=300\r\nMessage8=30\r\n"
              "Message9=300\r\nMessage10=50\r\n");
    fs::create_directories(root / "config");
}

struct CaloriesFolder {
    CaloriesFolder() { MakeCaloriesFolder(tmp.path); }
    std::map<std::string, std::string> Settings() const {
        return {{"WINDIR", (tmp.path / "windows").string()},
                {"XDG_CONFIG_HOME", (tmp.path / "config").string()},
                {"FIRSTPAINT_WINDOW", "calmain"},
                {"FIRSTPAINT_SPLASH", "calSplash"},
                {"FIRSTPAINT_CLICK", "calSplash/Command1"}};
    }
    fs::path Data() const { return tmp.path / "data"; }
    TempDir tmp;
};

// A recipe folder at `root` with that many recipes: data/ and config/.
void MakeRecipeFolder(const fs::path& root, int recipes) {
    const fs::path data = root / "data";
    // The program's own files (animations, tips, sound, pictures) as a user's folder has them.
    std::error_code ec;
    fs::create_directories(data);
    fs::copy(RECIPE_DATA_DIR, data, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    using benchdata::SpreadName;
    WriteFile(data / "Ing.dat", benchdata::IngredientStore(10000, [](int i) { return SpreadName("ingredient", i); }));
    const std::string text = benchdata::RecipeRecords(
        recipes, [](int i) { return SpreadName("recipe", i); },
        [](int i, int k) { return SpreadName("ingredient", (i * 8 + k) % 10000); }, true);
    WriteFile(data / "Recipe.Dat", text + "\r\n");
    // No start-up music: the program would wait for it to end.
    WriteFile(root / "config" / "recipe" / "settings.ini", "[Options]\r\nPlay music at Startup=0\r\n");
}

struct RecipeFolder {
    explicit RecipeFolder(int recipes) { MakeRecipeFolder(tmp.path, recipes); }
    std::map<std::string, std::string> Settings() const {
        return {{"WINDIR", (tmp.path / "windows").string()},
                {"XDG_CONFIG_HOME", (tmp.path / "config").string()},
                {"FIRSTPAINT_WINDOW", "InterfaceFrm"},
                {"FIRSTPAINT_SPLASH", "SplashFrm"},
                {"FIRSTPAINT_TIMER", "SplashTmr"}};
    }
    TempDir tmp;
};

Run Bare(int items, const fs::path& dir, const std::string& platform = "offscreen") {
    return Start(BARE_LIST_EXE, {std::to_string(items)}, dir, {{"FIRSTPAINT_WINDOW", "BareList"}, {"QT_QPA_PLATFORM", platform}});
}

// A window of the screen's size, made ahead and shown by a timer's tick, on that platform.
Run BareScreen(int items, const fs::path& dir, const std::string& platform) {
    return Start(BARE_LIST_EXE, {std::to_string(items), "--screen"}, dir,
                 {{"FIRSTPAINT_WINDOW", "BareList"}, {"FIRSTPAINT_TIMER", "BareTmr"}, {"QT_QPA_PLATFORM", platform}});
}

// One read of the file into a buffer sized from its length, timed inside a fresh process.
double ReadOnceMs(const fs::path& file, const fs::path& dir) {
    const Run r = Start("/proc/self/exe", {"--read-once", file.string(), (dir / ".readonce").string()}, dir, {}, false);
    std::ifstream in(dir / ".readonce");
    double ms = -1;
    in >> ms;
    return r.ok ? ms : -1;
}

int ReadOnce(const char* file, const char* out) {
    const long long t0 = Now();
    const int fd = open(file, O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0) return 1;
    const auto size = static_cast<std::size_t>(st.st_size);
    auto buffer = std::make_unique_for_overwrite<char[]>(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd, buffer.get() + done, size - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    close(fd);
    const long long t1 = Now();
    benchmark::DoNotOptimize(buffer.get());
    std::ofstream(out) << static_cast<double>(t1 - t0) / 1e6 << "\n";
    return done == size ? 0 : 1;
}

void BM_CaloriesFirstWindow(benchmark::State& state) {
    CaloriesFolder folder;
    TempDir bareDir;
    std::vector<double> window, bare, ratio, load, read, loadRatio, rss, bareRss, rssRatio, anon, bareAnon;
    for (auto _ : state) {
        Run c = Start(CALORIES_EXE, {}, folder.Data(), folder.Settings());
        Run b = Bare(32767, bareDir.path);
        const double r = ReadOnceMs(folder.Data() / "fooddata.bok", bareDir.path);
        if (!c.ok || !b.ok || r < 0 || !c.marks.count("painted") || !c.marks.count("enabled") || !b.marks.count("painted")) {
            state.SkipWithError("a run did not reach its window");
            return;
        }
        state.SetIterationTime(c.Ms("start", "painted") / 1e3);
        window.push_back(c.Ms("start", "painted"));
        bare.push_back(b.Ms("start", "painted"));
        ratio.push_back(window.back() / bare.back());
        load.push_back(c.Ms("splash", "enabled"));
        read.push_back(r);
        loadRatio.push_back(load.back() / r);
        rss.push_back(c.rssMB);
        bareRss.push_back(b.rssMB);
        rssRatio.push_back(c.rssMB / b.rssMB);
        anon.push_back(static_cast<double>(c.marks["RssAnon"]) / 1024);
        bareAnon.push_back(static_cast<double>(b.marks["RssAnon"]) / 1024);
    }
    state.counters["window_ms"] = Median(window);
    state.counters["bare_ms"] = Median(bare);
    state.counters["ratio"] = Median(ratio);
    state.counters["load_ms"] = Median(load);
    state.counters["read_ms"] = Median(read);
    state.counters["load_ratio"] = Median(loadRatio);
    state.counters["rss_MB"] = Median(rss);
    state.counters["bare_rss_MB"] = Median(bareRss);
    state.counters["rss_ratio"] = Median(rssRatio);
    state.counters["anon_MB"] = Median(anon);
    state.counters["bare_anon_MB"] = Median(bareAnon);
}
BENCHMARK(BM_CaloriesFirstWindow)->Iterations(11)->UseManualTime()->Unit(benchmark::kMillisecond);

// On `platform`: "offscreen", or "xcb" on the X display of $DISPLAY.
void BM_RecipeFirstWindow(benchmark::State& state, const std::string& platform) {
    RecipeFolder folder(static_cast<int>(state.range(0)));
    TempDir bareDir;
    std::vector<double> window, afterTimer, bare, ratio, busy, rss, bareRss, rssRatio, anon, bareAnon, bareTimer, timerRatio,
        screenRss, screenRatio;
    auto settings = folder.Settings();
    settings["QT_QPA_PLATFORM"] = platform;
    for (auto _ : state) {
        const Run r = Start(RECIPE_EXE, {}, folder.tmp.path / "data", settings);
        const Run b = Bare(10000, bareDir.path, platform);
        const Run s = BareScreen(10000, bareDir.path, platform);
        if (!r.ok || !b.ok || !s.ok || !r.marks.count("painted") || !r.marks.count("timer") || !b.marks.count("painted") ||
            !s.marks.count("timer") || !s.marks.count("painted")) {
            state.SkipWithError("a run did not reach its window");
            return;
        }
        state.SetIterationTime(r.Ms("start", "painted") / 1e3);
        window.push_back(r.Ms("start", "painted"));
        afterTimer.push_back(r.Ms("timer", "painted"));
        bare.push_back(b.Ms("start", "painted"));
        ratio.push_back(window.back() / bare.back());
        busy.push_back((window.back() - r.Ms("splash", "timer")) / bare.back());
        rss.push_back(r.rssMB);
        bareRss.push_back(b.rssMB);
        rssRatio.push_back(r.rssMB / b.rssMB);
        anon.push_back(static_cast<double>(r.marks.at("RssAnon")) / 1024);
        bareAnon.push_back(static_cast<double>(b.marks.at("RssAnon")) / 1024);
        bareTimer.push_back(s.Ms("timer", "painted"));
        timerRatio.push_back(afterTimer.back() / bareTimer.back());
        screenRss.push_back(s.rssMB);
        screenRatio.push_back(r.rssMB / s.rssMB);
    }
    state.counters["after_timer_ms"] = Median(afterTimer);
    state.counters["bare_after_timer_ms"] = Median(bareTimer);
    state.counters["after_timer_ratio"] = Median(timerRatio);
    state.counters["window_ms"] = Median(window);
    state.counters["bare_ms"] = Median(bare);
    state.counters["ratio"] = Median(ratio);
    state.counters["ratio_busy"] = Median(busy);
    state.counters["rss_MB"] = Median(rss);
    state.counters["bare_rss_MB"] = Median(bareRss);
    state.counters["rss_ratio"] = Median(rssRatio);
    state.counters["anon_MB"] = Median(anon);
    state.counters["bare_anon_MB"] = Median(bareAnon);
    state.counters["screen_rss_MB"] = Median(screenRss);
    state.counters["screen_rss_ratio"] = Median(screenRatio);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--read-once") return ReadOnce(argv[2], argv[3]);
    // The data of a run, kept for a closer look: --make-data calories DIR | --make-data recipe N DIR
    if (argc == 4 && std::string(argv[1]) == "--make-data") return MakeCaloriesFolder(argv[3]), 0;
    if (argc == 5 && std::string(argv[1]) == "--make-data") return MakeRecipeFolder(argv[4], std::atoi(argv[3])), 0;
    for (int recipes : {5000, 20000})
        benchmark::RegisterBenchmark("BM_RecipeFirstWindow", BM_RecipeFirstWindow, std::string("offscreen"))
            ->Arg(recipes)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);
    // On a real X display too, when there is one: its window surfaces cost what offscreen hides.
    if (const char* display = std::getenv("DISPLAY"); display && *display)
        benchmark::RegisterBenchmark("BM_RecipeFirstWindowX11", BM_RecipeFirstWindow, std::string("xcb"))
            ->Arg(5000)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
