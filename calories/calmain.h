#pragma once
// The main window: food groups and foods on the left, the meals of the current day on the right,
// the nutrient panel with its percent-of-goal bars below, the diet period along the top.
//   calmain.cpp           layout of the controls, the toolbar and the menus; event wiring and hints
//   calmain_startup.cpp   loading and unloading: the period from calories.INI, the files, placement
//   calmain_foods.cpp     the group choice, the food list, "  This Food" and the find box
//   calmain_meals.cpp     sending a food to a meal and the meal list
//   calmain_totals.cpp    day, meal and period totals, percent of goal, the bars, the Options menu
//   calmain_day.cpp       the day scroll bar and the day files (Open Day, Save Day)
//   calmain_period.cpp    the start and end date buttons, clearing all days, an unusable period
//   calmain_delete.cpp    deleting a food from a meal and clearing the day
//   calmain_database.cpp  the "&Database" menu: the personal food group and the food database
//   calmain_print.cpp     the printed report of the current day
//   calmain_commands.cpp  the tray, help, the maker's web pages, the About box and the mail link
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calories/meals.h"
#include "calories/totals.h"
#include "platform/forms/forms.h"
#include "platform/services/commondialog.h"
#include "platform/services/desktop.h"

namespace calories {

class Calories;

class calmain : public forms::Form {
public:
    explicit calmain(Calories& app);

    // --- diet period (top row) ---
    forms::Label Label43{*this, "Label43"};  // "Start:"
    forms::Label Label42{*this, "Label42"};  // start date
    forms::CommandButton Command17{*this, "Command17"};
    forms::Label Label45{*this, "Label45"};  // "End:"
    forms::Label Label44{*this, "Label44"};  // end date
    forms::CommandButton Command18{*this, "Command18"};
    forms::HScrollBar HScroll1{*this, "HScroll1"};  // current day
    forms::Label Label46{*this, "Label46"};  // "Menu  Day"
    forms::Label Label47{*this, "Label47"};  // current day number
    forms::Label Label49{*this, "Label49"};  // "of"
    forms::Label Label48{*this, "Label48"};  // number of days; "1" = single-day mode

    // --- toolbar, left to right ---
    forms::CommandButton Command2{*this, "Command2"};    // new day: empties a single day, offering to save it first
    forms::CommandButton Command3{*this, "Command3"};    // open a day file into a single day
    forms::CommandButton Command4{*this, "Command4"};    // save the single day to a day file
    forms::CommandButton Command5{*this, "Command5"};    // print the current day's report
    forms::CommandButton Command9{*this, "Command9"};    // delete the food selected in the meal list
    forms::CommandButton Command7{*this, "Command7"};    // the find box over the food groups
    forms::CommandButton Command16{*this, "Command16"};  // the Search Options window
    forms::CommandButton Command8{*this, "Command8"};    // add the selected food to the personal group
    forms::CommandButton Command20{*this, "Command20"};  // open another personal group file
    forms::CommandButton Command1{*this, "Command1"};    // list the personal group's foods
    forms::CommandButton Command19{*this, "Command19"};  // clear every day of the period, back to day 1
    forms::CommandButton Command6{*this, "Command6"};    // hide the program in the tray
    forms::CommandButton Command10{*this, "Command10"};  // the caloric-needs and goals window
    forms::CommandButton Command14{*this, "Command14"};  // questions and answers ("FAQ")
    forms::CommandButton Command15{*this, "Command15"};  // the metric converter
    forms::CommandButton Command13{*this, "Command13"};  // exit: unloading saves the period and the files

    // --- foods ---
    forms::ComboBox Combo1{*this, "Combo1"};  // food groups
    forms::ListBox List1{*this, "List1"};     // foods of the chosen group
    forms::TextBox Text1{*this, "Text1"};     // find box, over Combo1 while shown
    forms::CommandButton Command12{*this, "Command12"};
    forms::CommandButton Command11{*this, "Command11"};  // send to meal

    // --- meals ---
    forms::ComboBox Combo2{*this, "Combo2"};  // the six meals
    forms::ListBox List2{*this, "List2"};     // foods of the chosen meal on the current day

    // --- nutrient panel ---
    forms::Label Label1{*this, "Label1"};  // "Nutrient"
    forms::ControlArray<forms::Label> lblNutrient{*this, "lblNutrient", 6};
    forms::Frame Frame1{*this, "Frame1"};
    forms::Label Label24{Frame1, "Label24"};  // "  This Food"
    forms::ControlArray<forms::Label> Label21{Frame1, "Label21", 6};
    forms::Frame Frame2{*this, "Frame2"};
    forms::Label Label7{Frame2, "Label7"};  // "This Meal"
    forms::ControlArray<forms::Label> Label22{Frame2, "Label22", 6};
    forms::Frame Frame3{*this, "Frame3"};
    forms::Label Label8{Frame3, "Label8"};  // " ToDay"
    forms::ControlArray<forms::Label> Label23{Frame3, "Label23", 6};
    forms::Frame Frame4{*this, "Frame4"};
    forms::Label Label9{Frame4, "Label9"};  // "% of Goal for Today"
    forms::Label Label16{Frame4, "Label16"};
    forms::Label Label17{Frame4, "Label17"};
    forms::Label Label18{Frame4, "Label18"};
    forms::Label Label19{Frame4, "Label19"};
    forms::Label Label20{Frame4, "Label20"};
    forms::Label Label38{Frame4, "Label38"};
    forms::Label Label10{Frame4, "Label10"};
    forms::Label Label11{Frame4, "Label11"};
    forms::Label Label12{Frame4, "Label12"};
    forms::Label Label13{Frame4, "Label13"};
    forms::Label Label14{Frame4, "Label14"};
    forms::Label Label15{Frame4, "Label15"};
    forms::Frame Frame5{*this, "Frame5"};
    forms::Label Label41{Frame5, "Label41"};  // heading of the period column
    forms::ControlArray<forms::Label> Label51{Frame5, "Label51", 6};
    forms::ControlArray<forms::Label> Label50{Frame5, "Label50", 6};

    // The last food picked from the main database, beyond the right edge where nobody sees it.
    forms::Label Label26{*this, "Label26"};
    forms::Label Label27{*this, "Label27"};
    forms::Label Label28{*this, "Label28"};
    forms::Label Label29{*this, "Label29"};
    forms::Label Label31{*this, "Label31"};
    forms::Label Label39{*this, "Label39"};
    forms::Label Label30{*this, "Label30"};

    // The tray icon's mouse messages arrive here, beyond the right edge where nobody sees it.
    forms::PictureBox picNotifier{*this, "picNotifier"};

    forms::StatusBar sbStatusBar{*this, "sbStatusBar"};
    services::CommonDialog CommonDialog1{*this, "CommonDialog1"};

    // --- menus ---
    forms::Menu mnuFile{*this, "mnuFile"};
    forms::Menu mnuFileNew{mnuFile, "mnuFileNew"};
    forms::Menu mnuFileOpen{mnuFile, "mnuFileOpen"};
    forms::Menu mnuFileClose{mnuFile, "mnuFileClose"};
    forms::Menu mnuFileBar1{mnuFile, "mnuFileBar1"};
    forms::Menu mnuFileSave{mnuFile, "mnuFileSave"};
    forms::Menu mnuFileSaveAs{mnuFile, "mnuFileSaveAs"};
    forms::Menu mnudelete{mnuFile, "mnudelete"};
    forms::Menu mnuFileBar3{mnuFile, "mnuFileBar3"};
    forms::Menu mnuFilePrint{mnuFile, "mnuFilePrint"};
    forms::Menu mnuFileBar4{mnuFile, "mnuFileBar4"};
    forms::Menu mnuFileExit{mnuFile, "mnuFileExit"};
    forms::Menu mnutools{*this, "mnutools"};
    forms::Menu mnuweight{mnutools, "mnuweight"};
    forms::Menu mnucaloric{mnutools, "mnucaloric"};
    forms::Menu mnuoptions{*this, "mnuoptions"};
    forms::Menu mnuperiod{mnuoptions, "mnuperiod"};
    forms::Menu mnudate{mnuoptions, "mnudate"};
    forms::Menu mnudatabase{*this, "mnudatabase"};
    forms::Menu mnuaddpersonal{mnudatabase, "mnuaddpersonal"};
    forms::Menu mnuHelpBar8{mnudatabase, "mnuHelpBar8"};
    forms::Menu mnustartnew{mnudatabase, "mnustartnew"};
    forms::Menu mnuopenpersonal{mnudatabase, "mnuopenpersonal"};
    forms::Menu mnudeletepersonal{mnudatabase, "mnudeletepersonal"};
    forms::Menu mnuclear{mnudatabase, "mnuclear"};
    forms::Menu mnushowpersonal{mnudatabase, "mnushowpersonal"};
    forms::Menu mnudisplay{mnudatabase, "mnudisplay"};
    forms::Menu mnuHelpBar6{mnudatabase, "mnuHelpBar6"};
    forms::Menu mnufind{mnudatabase, "mnufind"};
    forms::Menu mnufindmore{mnudatabase, "mnufindmore"};
    forms::Menu mnuHelpBar7{mnudatabase, "mnuHelpBar7"};
    forms::Menu mnuaddmaindatabase{mnudatabase, "mnuaddmaindatabase"};
    forms::Menu mnudeletemaindatabase{mnudatabase, "mnudeletemaindatabase"};
    forms::Menu mnuHelp{*this, "mnuHelp"};
    forms::Menu mnuHelpContents{mnuHelp, "mnuHelpContents"};
    forms::Menu mnuHelpSearch{mnuHelp, "mnuHelpSearch"};
    forms::Menu mnuHelpBar1{mnuHelp, "mnuHelpBar1"};
    forms::Menu mnuhomepage{mnuHelp, "mnuhomepage"};
    forms::Menu mnuupdate{mnuHelp, "mnuupdate"};
    forms::Menu mnuHelpAbout{mnuHelp, "mnuHelpAbout"};
    // Pop-up only: the portions of a food sent to a meal ...
    forms::Menu mnuservings{*this, "mnuservings"};
    forms::Menu mnuonequarter{mnuservings, "mnuonequarter"};
    forms::Menu mnuonehalf{mnuservings, "mnuonehalf"};
    forms::Menu mnuthreequ{mnuservings, "mnuthreequ"};
    forms::Menu mnuone{mnuservings, "mnuone"};
    forms::Menu mnuonefive{mnuservings, "mnuonefive"};
    forms::Menu mnutwo{mnuservings, "mnutwo"};
    forms::Menu mnuthree{mnuservings, "mnuthree"};
    forms::Menu mnufour{mnuservings, "mnufour"};
    forms::Menu mnufive{mnuservings, "mnufive"};
    // ... and the tray icon's menu.
    forms::Menu mnuPopMenu{*this, "mnuPopMenu"};
    forms::Menu mnuPopMenuShow{mnuPopMenu, "mnuPopMenuShow"};
    forms::Menu mnuPopMenuBar{mnuPopMenu, "mnuPopMenuBar"};
    forms::Menu mnuPopMenuExit{mnuPopMenu, "mnuPopMenuExit"};

    // --- the totals (form-level state) ---
    Sums daytotals;
    std::array<Sums, 6> mealtotals;  // rows in kMealRows order, found by meal name
    std::array<double, 6> daypercents{};
    Sums periodtotals;
    std::array<double, 6> periodpercents{};
    vb::Integer previousday = 0;

    // The six today-percent labels and day bars, in nutrient order.
    forms::Label& DayPercent(int k);
    forms::Label& DayBar(int k);

    // --- procedures the other windows call ---
    void combo1data(int index);  // adds fooddata(index) to the food list
    void adding();    // adds mealdata(mealindex) to the day and meal totals and shows them
    void adding2();   // today's percent of goal
    void graph();     // the day bars from today's percent captions
    void labeling();  // blanks the "This Meal" column
    void tools3();    // period totals (multi-day mode)
    void tools();     // period percentages and bars (multi-day mode)
    void multiday();  // percent of goal for the entire period
    void multiday2(); // average percent of goal to the current day
    void graph2();    // the period bars from the period percent captions
    void tools2();    // clears every total, label, bar and the whole day log
    void getnumber(); // stores the current day in "calories.INI"

    void Combo1_Click();
    void Combo2_Click();
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command7_Click();
    void Command11_Click();
    void HScroll1_Change();
    void mnuperiod_Click();
    void mnudate_Click();

    // The diet period and taking foods out of the meals (calmain_period.cpp, calmain_delete.cpp).
    void Command17_Click();  // start date
    void Command18_Click();  // end date
    void Command19_Click();  // clear all days
    void Command9_Click();   // delete the selected food
    void Command2_Click();   // clear the day

    // The number in Label48 (days of the period) and Label47 (current day); 0 when not a number.
    long NumberOfDays() const;
    long CurrentDay() const;
    bool MultiDay() const { return NumberOfDays() >= 2; }

    // --- the "&Database" menu: personal food group and food database (calmain_database.cpp) ---
    void Command8_Click();   // adds the selected database food to the personal group
    void Command16_Click();  // shows the Search Options window
    void mnuopenpersonal_Click();
    void mnustartnew_Click();
    void mnudeletepersonal_Click();
    void mnudeletemaindatabase_Click();
    void mnuclear_Click();
    void mnuaddmaindatabase_Click();
    // --- printing, the tray, help and the side windows (calmain_print.cpp, calmain_commands.cpp) ---
    void Command5_Click();  // prints the current day after the print dialog
    // The report of the current day on the printer, sent when whole; a failure on the way drops
    // the document and tells the user.
    void PrintDay();
    void Command6_Click();  // hides the program in the tray
    // The tray icon's callback: X is the mouse message times the screen's twips per pixel.
    void picNotifier_MouseMove(vb::Integer Button, vb::Integer Shift, vb::Single X, vb::Single Y);
    void mnuPopMenuShow_Click();
    void mnuPopMenuExit_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearch_Click();
    void mnuhomepage_Click();
    void mnuupdate_Click();
    void mnuHelpAbout_Click();
    void mnudisplay_Click();

    // Reads a personal group file into personaldata, leaving out records that cannot be foods.
    void LoadPersonalGroup(const std::string& path);
    // Writes the personal group, asking for a file when it has none (or a damaged one).
    void SavePersonalGroup();

private:
    void Layout();
    void LayoutPanel();
    void LayoutMenus();
    void Wire();
    void WireHints();
    void WirePeriod();

    void Form_Load();
    void Form_Unload(vb::Integer& Cancel);
    void Form_MouseMove();
    void Hint(std::string_view text);

    // foods
    void List1_Click();
    void List1_GotFocus();
    void List1_MouseDown(vb::Integer Button);
    void List1_MouseMove();
    void Text1_Change();
    void Text1_GotFocus();
    void Command12_Click();

    // meals
    void SendFood(const Portion& portion);
    void List2_Click();
    void List2_GotFocus();
    void ShowMealTotals(int row);

    // day view
    void ClearDayView();
    void ReplayDay(bool blankToo = false);
    void RecomputePeriod();
    void PeriodPercents(double days);
    void PlaceDayNumber(long day);
    std::string DayCaption(long day);

    // database menu
    void WireDatabase();
    void OpenPersonalGroup(std::string_view title, long flags);
    int DeleteSelectedFood(std::vector<FoodItem>& table);
    std::string damagedGroup_;               // the group file that held records that are not foods ...
    std::vector<FoodItem> damagedAsLoaded_;  // ... and what was read from it
    // commands, tray, help
    void WireCommands();
    void PrintReport();
    void ShowHelpFile(int command);
    void RemoveTrayIcon();
    services::TrayIcon nid_;          // the tray icon while the program is hidden
    vb::Long trayEvent_ = 0;          // the last mouse message decoded
    bool trayBusy_ = false;           // a message is being handled; others are dropped
    bool inTray_ = false;             // the icon is there
    // diet period
    void EditPeriodDate(vb::Integer mode, forms::Label& label, std::string caption);
    void CheckStoredPeriod();
    void ClearDayAndLog();
    bool LogIsSavedIn(const std::string& path) const;

    Calories& app;
};

}  // namespace calories
