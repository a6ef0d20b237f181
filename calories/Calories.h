#pragma once
// The food diary program: the shared module's state and routines, and the one instance of each
// window, created and loaded on first access.
#include <functional>
#include <memory>
#include <string>

#include "calories/Module1.h"
#include "calories/recordtable.h"
#include "platform/files/instance.h"
#include "platform/forms/form.h"

namespace calories {

class calmain;
class calSplash;
class calcalintake;
class weight;
class Metric;
class qform;
class addfood;
class Search;
class frmCalendar;
class calAbout;
class email;

class Calories : public Module1 {
public:
    Calories();
    ~Calories();
    Calories(const Calories&) = delete;
    Calories& operator=(const Calories&) = delete;

    // The start routine: shows the splash, loads the main window hidden, and returns; the
    // splash's "&Ok" shows the program. When another instance works on the same data folder it
    // says so and returns without opening a window or touching a file.
    void Main();
    // This start found another instance on its data folder and ended.
    bool AlreadyRunning() const { return alreadyRunning_; }

    // The windows. Each access loads the window when it is not loaded.
    calmain& mainform();
    calSplash& splash();
    // The window when it is loaded; never loads one.
    calmain* LoadedMainform() const;
    calSplash* LoadedSplash() const;

    calories::calcalintake& calcalintake();
    calories::weight& weight();
    calories::Metric& Metric();
    calories::qform& qform();
    // The calendar of the diet period setup.
    calories::frmCalendar& frmCalendar();
    // The About box and the mail-link window of the main window's menus.
    calories::calAbout& calAbout();
    calories::email& email();

    // The goal and calculator windows, shown modeless.
    void ShowCaloricNeeds();
    void ShowWeight();
    void ShowQuestions();
    void ShowMetric();
    // The food windows of the "&Database" menu, shown modeless.
    calories::addfood& addfood();
    calories::Search& Search();
    void ShowAddFood();
    void ShowSearch();
    // A first run presets the cholesterol (300 mg) and fiber (30 g) bars of the caloric-needs
    // window, which this loads hidden.
    void PresetCaloricNeeds();

    // --- the record files of the shared module ---
    // Each reports its own failure in a message box and returns; the caller learns nothing.
    void LoadFoodDatabase(const std::string& path);
    void SaveFoodDatabase(const std::string& path);
    void LoadPersonalList(const std::string& path);
    void SavePersonalList(const std::string& path);
    // Adds fooddata(index) to the food list when it belongs to the group chosen there.
    void ListFoodIfInGroup(int index);
    void LoadMealFile(const std::string& path);
    void SaveMealFile(const std::string& path);

    // --- the day log ---
    // Whether any live record belongs to the day, or to a day of the period (1 .. days).
    bool DayHasFoods(long day) const;
    bool PeriodHasFoods(long days) const;
    // Appends a record and returns its index; shows a message and returns -1 when the table is
    // full (a 16-bit index reaches 32767).
    int AppendMealItem(const MealItem& item);
    // Appends a food to fooddata or personaldata and returns its index; shows a message and
    // returns -1 when the table is full.
    int AppendFoodItem(std::vector<FoodItem>& table, const FoodItem& item);
    // Empties the log to the one blank record (day 0) of a cleared log.
    void ClearMealLog();

private:
    // Starts reading the food database and the period log while the windows are made.
    void StartReadingAhead();
    void ReportFileError(std::string_view text, const vb::Error& e);
    void ReportNotWritten(const std::string& path);
    // Records where a table came from and reports a failed load or a damaged file.
    void FinishLoad(const std::string& path, TableOrigin& origin, const LoadResult& result, std::size_t recordLength);
    // Writes a table's records over a file, unless it is a file the table could not read in full;
    // a damaged original is kept aside first.
    void SaveTable(const std::string& path, TableOrigin& origin, bool hasLiveRecord,
                   const std::function<std::string()>& bytes);

    // Declared first, so it is dropped after every window has gone.
    std::unique_ptr<files::InstanceLock> folderLock_;
    bool alreadyRunning_ = false;

    TableReadAhead<FoodItem> foodAhead_;
    TableReadAhead<MealItem> mealAhead_;

    forms::FormHolder<calmain> mainform_;
    forms::FormHolder<calSplash> splash_;
    forms::FormHolder<calories::calcalintake> calcalintake_;
    forms::FormHolder<calories::weight> weight_;
    forms::FormHolder<calories::Metric> metric_;
    forms::FormHolder<calories::qform> qform_;
    forms::FormHolder<calories::addfood> addfood_;
    forms::FormHolder<calories::Search> search_;
    forms::FormHolder<calories::frmCalendar> calendar_;
    forms::FormHolder<calories::calAbout> about_;
    forms::FormHolder<calories::email> email_;
};

}  // namespace calories
