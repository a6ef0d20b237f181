#pragma once
// Driving the calendar of the diet period from a test: the date buttons open it modally, and a
// script moves its date with the keys and closes it the way a user would.
#include <functional>
#include <string>

#include "calories/period/calendar.h"
#include "calories/period/frmCalendar.h"
#include "calories/period/periodsetup.h"
#include "program.h"

namespace caltest {

enum class Closing { Ok, Cancel, Enter, Escape, CloseBox, Stay };

class CalendarProgram : public Program {
protected:
    // Moves the selection to `target` with Page Up / Page Down and the arrow keys.
    static void KeyTo(calories::frmCalendar& cal, vb::Date target) {
        auto months = [](vb::Date d) { return vb::Year(d) * 12 + vb::Month(d); };
        while (months(cal.CurDate) != months(target))
            drive::PressKey(cal.picMonth, months(cal.CurDate) < months(target) ? forms::vbKeyPageDown
                                                                               : forms::vbKeyPageUp);
        while (cal.CurDate.serial + 7 <= target.serial) drive::PressKey(cal.picMonth, forms::vbKeyDown);
        while (cal.CurDate.serial - 7 >= target.serial) drive::PressKey(cal.picMonth, forms::vbKeyUp);
        while (cal.CurDate < target) drive::PressKey(cal.picMonth, forms::vbKeyRight);
        while (target < cal.CurDate) drive::PressKey(cal.picMonth, forms::vbKeyLeft);
    }
    static void Finish(calories::frmCalendar& cal, Closing how) {
        switch (how) {
        case Closing::Ok: drive::Click(cal.Command1); break;
        case Closing::Cancel: drive::Click(cal.Command2); break;
        case Closing::Enter: drive::PressKey(cal.picMonth, forms::vbKeyReturn); break;
        case Closing::Escape: drive::PressKey(cal.picMonth, forms::vbKeyEscape); break;
        case Closing::CloseBox: drive::CloseForm(cal); break;
        case Closing::Stay: break;
        }
    }
    // Opens the calendar with a date button, runs the script in it, and closes it.
    void WithCalendar(forms::CommandButton& button, std::function<void(calories::frmCalendar&)> script,
                      Closing how = Closing::Ok) {
        host.OnModal("frmCalendar", [this, script, how](forms::Form& f) {
            auto& cal = static_cast<calories::frmCalendar&>(f);
            script(cal);
            Finish(cal, how);
            calendarStayedOpen = cal.IsLoaded() && cal.Visible();
        });
        drive::Click(button);
    }
    // Picks the date with the keys and closes the calendar.
    void PickStart(vb::Date d, Closing how = Closing::Ok) {
        WithCalendar(main().Command17, [d](calories::frmCalendar& cal) { KeyTo(cal, d); }, how);
    }
    void PickEnd(vb::Date d, Closing how = Closing::Ok) {
        WithCalendar(main().Command18, [d](calories::frmCalendar& cal) { KeyTo(cal, d); }, how);
    }
    void Pick(bool start, vb::Date d, Closing how = Closing::Ok) { start ? PickStart(d, how) : PickEnd(d, how); }
    static vb::Date D(int y, int m, int d) { return vb::DateSerial(y, m, d); }
    std::vector<std::string> Prompts() const {
        std::vector<std::string> out;
        for (const auto& m : host.MsgBoxes()) out.push_back(m.prompt);
        return out;
    }

    // Whether the calendar was still showing when the script of its last opening ended.
    bool calendarStayedOpen = false;
};

}  // namespace caltest
