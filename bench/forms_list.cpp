// Filling a sorted list box: the food list of a large group must fill in well under quadratic time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/core/text.h"
#include "platform/forms/forms.h"

namespace {

class ListForm : public forms::Form {
public:
    ListForm() : Form("ListForm") { List1.Sorted(true); }
    forms::ListBox List1{*this, "List1"};
};

std::vector<std::string> Names(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        std::string s = "Food ";
        for (int k = 0; k < 12; ++k) s += static_cast<char>((rng() % 2 ? 'a' : 'A') + rng() % 26);
        s.resize(40, ' ');  // names are 40 characters, blank padded
        names.push_back(std::move(s));
    }
    return names;
}

// Random order: every insert lands somewhere inside the list.
void BM_SortedFillRandom(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto names = Names(n, 1);
    for (auto _ : state) {
        ListForm form;
        for (int i = 0; i < n; ++i) {
            form.List1.AddItem(names[static_cast<std::size_t>(i)]);
            form.List1.ItemData(form.List1.NewIndex(), i);
        }
        benchmark::DoNotOptimize(form.List1.ListCount());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_SortedFillRandom)->RangeMultiplier(2)->Range(4096, 32767)->Complexity();

// The same items given at once, with their item data: sorted once and merged.
void BM_SortedFillAtOnce(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto names = Names(n, 1);
    for (auto _ : state) {
        ListForm form;
        std::vector<forms::ListItem> items;
        items.reserve(names.size());
        for (int i = 0; i < n; ++i) items.push_back({names[static_cast<std::size_t>(i)], i});
        form.List1.AddItems(std::move(items));
        benchmark::DoNotOptimize(form.List1.ListCount());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_SortedFillAtOnce)->RangeMultiplier(2)->Range(4096, 32767)->Complexity();

// Already in order (a database stored sorted): every insert appends.
void BM_SortedFillAscending(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto names = Names(n, 2);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return vb::TextLess(a, b); });
    for (auto _ : state) {
        ListForm form;
        for (const auto& s : names) form.List1.AddItem(s);
        benchmark::DoNotOptimize(form.List1.ListCount());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_SortedFillAscending)->Arg(32767);

// The quick find over a full list.
void BM_FindString(benchmark::State& state) {
    ListForm form;
    for (const auto& s : Names(32767, 3)) form.List1.AddItem(s);
    for (auto _ : state) benchmark::DoNotOptimize(form.List1.FindString("food zz", 0));
}
BENCHMARK(BM_FindString);

}  // namespace

BENCHMARK_MAIN();
