#pragma once
// The calendar: a small modal window showing one month as a grid of day numbers. The selected
// date moves with the mouse, the arrow and page keys and the two month buttons, and is written at
// once into the main window's start or end date label (whichever the period setup is editing).
// "&Ok" applies the diet period, "&Cancel" puts the edited date back.
//   frmCalendar.cpp          layout, GetDate, the month grid and its selection frame, the keys,
//                            the mouse and the month buttons; the live date in the main window
//   frmCalendar_period.cpp   "&Ok" (checking and applying the period) and "&Cancel"
//   calendar.cpp             the grid's arithmetic: cells, key moves, the live date text
//   periodsetup.cpp          the stored period in "calories.INI" and the number of its days
#include <optional>
#include <string>

#include "platform/core/date.h"
#include "platform/forms/forms.h"

namespace calories {

class Calories;

class frmCalendar : public forms::Form {
public:
    explicit frmCalendar(Calories& app);

    forms::PictureBox picMonth{*this, "picMonth"};  // first in the tab order: has the focus
    forms::Label lblPrev{*this, "lblPrev"};
    forms::Label lblMonth{*this, "lblMonth"};
    forms::Label lblNext{*this, "lblNext"};
    forms::Label Label1{*this, "Label1"};  // weekday heading
    forms::CommandButton Command1{*this, "Command1"};  // "&Ok"
    forms::CommandButton Command2{*this, "Command2"};  // "&Cancel"

    // Shows the calendar modally on `date`. True when the user confirmed a date, which is then
    // written back into `date`.
    bool GetDate(vb::Date& date, std::optional<std::string> title = std::nullopt);
    // The edited date label of the main window back to white.
    void coloring2();

    void Command1_Click();
    void Command2_Click();

    vb::Date CurDate{};         // the selected date; its month is shown
    bool DateAccepted = false;  // read by GetDate after the window closed
    vb::Integer CellWidth = 0;
    vb::Integer CellHeight = 0;

private:
    void Form_Load();
    void Form_QueryUnload(vb::Integer& Cancel, vb::Integer UnloadMode);
    void picMonth_Paint();
    void picMonth_KeyDown(vb::Integer& KeyCode, vb::Integer Shift);
    void picMonth_MouseDown(vb::Integer Button, vb::Integer Shift, vb::Single X, vb::Single Y);
    void lblNext_MouseDown(vb::Integer Button);
    void lblPrev_MouseDown(vb::Integer Button);
    void MoveMonth(int months);

    void SetDate(vb::Date d);
    void DrawSelection(bool draw);
    // The grid tells a screen reader the chosen day in words ("Tuesday, December 15 2026"), as
    // its frame, the month above and the weekday column show it.
    void NameGrid();
    // The main window's date label that the calendar is editing; nullptr when none.
    forms::Label* EditedLabel();
    // Writes the date into that label as the period labels show a date being picked.
    void ShowInLabel(vb::Date d);
    // Puts the stored start or end date back into the label being edited.
    void RestoreEditedDate();

    Calories& app;
};

}  // namespace calories
