// The record files of the shared module: the food database, the personal food group and the day
// log, read whole at start-up and written whole at shutdown and by the save commands.
#include "calories/Module1.h"

#include <functional>
#include <system_error>

#include "calories/Calories.h"
#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/foodgroups.h"
#include "calories/recordtable.h"
#include "platform/core/clock.h"
#include "platform/core/convert.h"
#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "platform/files/safesave.h"
#include "platform/forms/forms.h"
#include "platform/services/dialogs.h"

namespace calories {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kOpenError = "an error occurrred opening the file.";
constexpr std::string_view kSaveError = "An error occurred saving the file.";

fs::path Normal(const fs::path& p) {
    std::error_code ec;
    fs::path a = fs::absolute(p, ec);
    return (ec ? p : a).lexically_normal();
}

// The hourglass while a file is read or written.
struct Hourglass {
    Hourglass() { forms::Screen().MousePointer(forms::vbHourglass); }
    ~Hourglass() { forms::Screen().MousePointer(forms::vbDefault); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

FoodItem DecodeFood(std::string_view b) { return decode(b); }
MealItem DecodeMeal(std::string_view b) { return decodeMealItem(b); }
std::string EncodeFood(const FoodItem& f) { return encode(f); }
std::string EncodeMeal(const MealItem& m) { return encode(m); }

template <class Record>
bool HasLiveRecord(const std::vector<Record>& table) {
    for (const auto& r : table)
        if (r.deleted != 1 && !(r == Record{})) return true;
    return false;
}

}  // namespace

bool TableOrigin::MayWrite(const fs::path& target) const { return intact || path.empty() || !Is(target); }

bool TableOrigin::Is(const fs::path& target) const { return !path.empty() && Normal(path) == Normal(target); }

void Calories::ReportFileError(std::string_view text, const vb::Error& e) {
    services::MsgBox(text, services::vbOKOnly, ErrorTitle(e));
}

void Calories::ReportNotWritten(const std::string& path) {
    services::MsgBox(path + " could not be read in full, so it was not written over. The file is kept as it was.",
                     services::vbOKOnly | services::vbExclamation, kProgramTitle);
}

void Calories::FinishLoad(const std::string& path, TableOrigin& origin, const LoadResult& result,
                          std::size_t recordLength) {
    origin = {path, result.ok(), result.ok() && result.damaged};
    if (!result.ok()) return ReportFileError(kOpenError, *result.error);
    if (!result.damaged) return;
    const std::string records = std::to_string(result.records) + (result.records == 1 ? " record" : " records");
    services::MsgBox("The file \"" + Normal(path).string() + "\" is damaged: its " + std::to_string(result.length) +
                         " bytes are not a whole number of records of " + std::to_string(recordLength) +
                         " bytes.\r\n\r\nIt was read as " + records +
                         ". Before it is saved, the file as it is now is kept beside it under its name followed by \"" +
                         std::string(files::kDamagedSuffix) + "\".",
                     services::vbOKOnly | services::vbExclamation, kProgramTitle);
}

void Calories::SaveTable(const std::string& path, TableOrigin& origin, bool hasLiveRecord,
                         const std::function<std::string()>& bytes) {
    if (!origin.MayWrite(path)) {
        if (hasLiveRecord) ReportNotWritten(path);
        return;
    }
    // The backups cycle, so a damaged original would be gone after two saves: it is kept aside,
    // under a name no later save writes to.
    if (origin.damaged && !origin.keptAside && origin.Is(path) && !files::IsMissing(path)) {
        const files::KeptFile kept = files::KeepAside(path);
        if (kept.error) return ReportFileError(kSaveError, *kept.error);
        origin.keptAside = true;
    }
    std::optional<vb::Error> err;
    {
        Hourglass wait;
        err = SaveRecordFile(path, bytes());
    }
    if (err) return ReportFileError(kSaveError, *err);
    if (origin.Is(path)) origin = {path, true};  // the file is whole now
}

// --- food database and personal group ---

void Calories::StartReadingAhead() {
    foodAhead_.Start(std::string(kFoodDatabase), kFoodItemSize, DecodeFood);
    mealAhead_.Start(std::string(kPeriodLog), kMealItemSize, DecodeMeal);
}

void Calories::LoadFoodDatabase(const std::string& path) {
    calmain& main = mainform();
    // The chosen group cannot change while loading, so it is looked up once.
    const std::string chosen = main.Combo1.Text();
    const bool listing = IsFoodGroup(chosen);
    const std::string group = vb::FixedField(chosen, kFoodGroupWidth);
    calSplash* splashForm = LoadedSplash();

    // The running count shows in the status bar and on the splash. Only what is painted can be
    // seen, so the texts follow the count when the splash paints, about every 50 ms (the clock is
    // looked at every 256 foods), never go back, and end with the last count read.
    std::int64_t shown = 0;
    auto showCount = [&](std::int64_t i) {
        shown = i;
        const std::string count = std::to_string(i);
        main.sbStatusBar.Panels(2).Text(count + " food items");
        if (splashForm) splashForm->Label3.Caption("   " + count + " Items done!");
    };
    constexpr std::int64_t kRepaintMs = 50;
    std::int64_t painted = vb::Milliseconds();
    auto paintCount = [&](std::int64_t i) {
        if (!splashForm || i <= shown || vb::Milliseconds() - painted < kRepaintMs) return;
        showCount(i);
        forms::DoEvents();
        painted = vb::Milliseconds();
    };
    LoadResult result;
    {
        Hourglass wait;
        auto ahead = foodAhead_.Take(path, paintCount);
        result = LoadTable(
            path, kFoodItemSize, DecodeFood, fooddata,
            [&](std::int64_t i) {
                const FoodItem& f = fooddata[static_cast<std::size_t>(i - 1)];
                if (listing && f.deleted != 1 && f.group.view() == group) main.combo1data(static_cast<int>(i - 1));
                if (i % 256 == 0) paintCount(i);
            },
            std::move(ahead));
        if (result.records > 0) showCount(result.records);
        if (result.ok() && splashForm) splashForm->Label3.ForeColor(0x800000);
    }
    databaseLoaded = true;
    FinishLoad(path, foodOrigin, result, kFoodItemSize);
    if (result.ok() && result.length == 0)
        services::MsgBox("The food database was not found. It was looked for as \"" + Normal(path).string() + "\", " +
                             (result.created ? "which did not exist." : "which is empty."),
                         services::vbOKOnly | services::vbExclamation, kProgramTitle);
}

void Calories::ListFoodIfInGroup(int index) {
    calmain& main = mainform();
    const std::string chosen = main.Combo1.Text();
    if (!IsFoodGroup(chosen) || index < 0 || index >= static_cast<int>(fooddata.size())) return;
    const FoodItem& f = fooddata[static_cast<std::size_t>(index)];
    if (f.deleted != 1 && f.group.view() == vb::FixedField(chosen, kFoodGroupWidth)) main.combo1data(index);
}

void Calories::SaveFoodDatabase(const std::string& path) {
    SaveTable(path, foodOrigin, HasLiveRecord(fooddata), [&] { return LiveRecordBytes(fooddata, EncodeFood); });
}

void Calories::LoadPersonalList(const std::string& path) {
    LoadResult result;
    {
        Hourglass wait;
        result = LoadTable(path, kFoodItemSize, DecodeFood, personaldata, [](std::int64_t) {});
    }
    FinishLoad(path, personalOrigin, result, kFoodItemSize);
}

void Calories::SavePersonalList(const std::string& path) {
    SaveTable(path, personalOrigin, HasLiveRecord(personaldata),
              [&] { return LiveRecordBytes(personaldata, EncodeFood); });
}

// --- day log ---

void Calories::LoadMealFile(const std::string& path) {
    LoadResult result;
    {
        Hourglass wait;
        auto ahead = mealAhead_.Take(path, [](std::int64_t) {});
        result = LoadTable(path, kMealItemSize, DecodeMeal, mealdata, [](std::int64_t) {}, std::move(ahead));
    }
    FinishLoad(path, mealOrigin, result, kMealItemSize);
}

void Calories::SaveMealFile(const std::string& path) {
    SaveTable(path, mealOrigin, HasLiveRecord(mealdata), [&] { return LiveRecordBytes(mealdata, EncodeMeal); });
}

bool Calories::DayHasFoods(long day) const {
    for (const auto& m : mealdata)
        if (m.deleted != 1 && m.day == day) return true;
    return false;
}

bool Calories::PeriodHasFoods(long days) const {
    for (const auto& m : mealdata)
        if (m.deleted != 1 && m.day >= 1 && m.day <= days) return true;
    return false;
}

// A table holds no more elements than its file can hold records, so whatever is saved loads again.
int Calories::AppendMealItem(const MealItem& item) {
    if (mealdata.size() >= static_cast<std::size_t>(kMaxFileRecords)) {
        services::MsgBox("No more foods can be added: the diet period's log is full. It holds " +
                             std::to_string(kMaxFileRecords) +
                             " foods, deleted ones included, as many as its file can hold. Clear the day or the "
                             "period to make room.",
                         services::vbOKOnly | services::vbExclamation, kProgramTitle);
        return -1;
    }
    mealtop = static_cast<int>(mealdata.size()) - 1;
    mealdata.push_back(item);
    mealindex = static_cast<int>(mealdata.size()) - 1;
    return mealindex;
}

int Calories::AppendFoodItem(std::vector<FoodItem>& table, const FoodItem& item) {
    if (table.size() >= static_cast<std::size_t>(kMaxFileRecords)) {
        services::MsgBox("No more foods can be added: the list already holds " + std::to_string(kMaxFileRecords) +
                             " foods, as many as its file can hold.",
                         services::vbOKOnly | services::vbExclamation, kProgramTitle);
        return -1;
    }
    table.push_back(item);
    return static_cast<int>(table.size()) - 1;
}

void Calories::ClearMealLog() { mealdata.assign(1, MealItem{}); }

}  // namespace calories
