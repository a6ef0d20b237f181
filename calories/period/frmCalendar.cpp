// The calendar window: its design, the month grid with its selection frame, the keys, the mouse
// and the month buttons.
#include "calories/period/frmCalendar.h"

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/period/calendar.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/format.h"

namespace calories {

namespace {

constexpr vb::Long kLightGrey = 0xC0C0C0;
constexpr vb::Long kFrameBlue = 0x800000;

// Moving the selection adds two frames to the grid's display list; past this many operations the
// month is drawn afresh instead, which looks the same and keeps the list short.
constexpr std::size_t kMaxGridOps = 400;

}  // namespace

frmCalendar::frmCalendar(Calories& app) : forms::Form("frmCalendar"), app(app) {
    Caption("       Calendar");
    BorderStyle(forms::vbFixedDialog);
    MinButton(false).MaxButton(false).ShowInTaskbar(false);
    ClientSize(2295, 2535);

    picMonth.BorderStyle(forms::vbFixedSingle).BackColor(forms::vbWhite).TabIndex(0).Move(120, 840, 2055, 1215);
    lblPrev.Caption("<<").Alignment(forms::vbCenter).FontBold(true).BackColor(kLightGrey).Move(0, 120, 375, 255);
    lblMonth.Caption("").Alignment(forms::vbCenter).FontBold(true).BackColor(forms::vbWhite).Move(360, 120, 1575, 255);
    lblNext.Caption(">>").Alignment(forms::vbCenter).FontBold(true).BackColor(kLightGrey).Move(1920, 120, 375, 255);
    Label1.Caption(" S    M    T    W    T    F    S").BackColor(forms::vbWhite).Move(120, 480, 2055, 255);
    // Enter anywhere is "&Ok" and Escape is "&Cancel", so no unapplied date stays in the labels.
    Command1.Caption("&Ok").Default(true).Move(480, 2160, 615, 255);
    Command2.Caption("&Cancel").Cancel(true).Move(1200, 2160, 615, 255);

    Load = [this] { Form_Load(); };
    QueryUnload = [this](vb::Integer& Cancel, vb::Integer UnloadMode) { Form_QueryUnload(Cancel, UnloadMode); };
    picMonth.Paint = [this] { picMonth_Paint(); };
    picMonth.KeyDown = [this](vb::Integer& KeyCode, vb::Integer Shift) { picMonth_KeyDown(KeyCode, Shift); };
    picMonth.MouseDown = [this](vb::Integer Button, vb::Integer Shift, vb::Single X, vb::Single Y) {
        picMonth_MouseDown(Button, Shift, X, Y);
    };
    // The second click of a double click arrives as the double click: it moves once more.
    lblNext.MouseDown = [this](vb::Integer Button, vb::Integer, vb::Single, vb::Single) { lblNext_MouseDown(Button); };
    lblNext.DblClick = [this] { MoveMonth(1); };
    lblPrev.MouseDown = [this](vb::Integer Button, vb::Integer, vb::Single, vb::Single) { lblPrev_MouseDown(Button); };
    lblPrev.DblClick = [this] { MoveMonth(-1); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void frmCalendar::Form_Load() {
    const auto tppX = static_cast<vb::Single>(forms::Screen().TwipsPerPixelX());
    const auto tppY = static_cast<vb::Single>(forms::Screen().TwipsPerPixelY());
    CellWidth = static_cast<vb::Integer>(vb::CInt(picMonth.ScaleWidth() - tppX) / kGridColumns);
    CellHeight = static_cast<vb::Integer>(vb::CInt(picMonth.ScaleHeight() - tppY) / kGridRows);
    DateAccepted = false;
}

// The close box puts the edited date back, as "&Cancel" does.
void frmCalendar::Form_QueryUnload(vb::Integer&, vb::Integer UnloadMode) {
    if (UnloadMode != forms::vbFormControlMenu) return;
    coloring2();
    RestoreEditedDate();
}

bool frmCalendar::GetDate(vb::Date& date, std::optional<std::string> title) {
    CurDate = date;
    NameGrid();
    if (title) Caption(std::move(*title));
    // Open below the date being edited.
    if (calmain* main = app.LoadedMainform()) {
        if (forms::Label* label = EditedLabel()) {
            const vb::Single frameTop = main->Height() - main->ScaleHeight() - (main->Width() - main->ScaleWidth()) / 2;
            Move(main->Left() + label->Left(), main->Top() + frameTop + label->Top() + label->Height() + 60);
        }
    }
    Show(forms::vbModal);
    if (DateAccepted) date = CurDate;
    return DateAccepted;
}

forms::Label* frmCalendar::EditedLabel() {
    calmain* main = app.LoadedMainform();
    if (!main) return nullptr;
    if (app.datemode == 1) return &main->Label42;
    if (app.datemode == 2) return &main->Label44;
    return nullptr;
}

void frmCalendar::ShowInLabel(vb::Date d) {
    if (forms::Label* label = EditedLabel()) label->Caption(LiveDateText(d));
}

// --- the grid ---

void frmCalendar::picMonth_Paint() {
    const vb::Date today = vb::Today();
    const bool thisMonth = vb::Month(CurDate) == vb::Month(today) && vb::Year(CurDate) == vb::Year(today);
    const int days = DaysInMonth(CurDate);
    lblMonth.Caption(vb::Format(CurDate, "mmmm yyyy"));
    picMonth.Cls();
    for (int d = 1; d <= days; ++d) {
        const GridCell cell = CellOfDay(CurDate, d);
        const auto x = static_cast<vb::Single>(cell.column * CellWidth);
        const auto y = static_cast<vb::Single>(cell.row * CellHeight);
        picMonth.FontBold(thisMonth && d == vb::Day(today));
        const std::string text = std::to_string(d);
        picMonth.CurrentX(x + (static_cast<vb::Single>(CellWidth) - picMonth.TextWidth(text)) / 2);
        picMonth.CurrentY(y + (static_cast<vb::Single>(CellHeight) - picMonth.TextHeight(text)) / 2);
        picMonth.Print({text});
    }
    DrawSelection(true);
}

void frmCalendar::DrawSelection(bool draw) {
    const vb::Long color = draw ? kFrameBlue : picMonth.BackColor();
    const GridCell cell = CellOfDay(CurDate, vb::Day(CurDate));
    const auto x = static_cast<vb::Single>(cell.column * CellWidth);
    const auto y = static_cast<vb::Single>(cell.row * CellHeight);
    const auto w = static_cast<vb::Single>(CellWidth);
    const auto h = static_cast<vb::Single>(CellHeight);
    picMonth.Line(x, y + h, x, y, color);
    picMonth.LineTo(x + w, y, color);
    picMonth.LineTo(x + w, y + h, color);
    picMonth.LineTo(x, y + h, color);
}

// Within the shown month only the frame moves; another month is drawn afresh.
void frmCalendar::SetDate(vb::Date d) {
    const bool sameMonth = vb::Month(d) == vb::Month(CurDate) && vb::Year(d) == vb::Year(CurDate);
    if (sameMonth && picMonth.DisplayList().size() < kMaxGridOps) {
        DrawSelection(false);
        CurDate = d;
        DrawSelection(true);
    } else {
        CurDate = d;
        picMonth_Paint();
    }
    NameGrid();
}

void frmCalendar::NameGrid() { picMonth.AccessibleName(vb::Format(CurDate, "dddd, mmmm d yyyy")); }

void frmCalendar::picMonth_KeyDown(vb::Integer& KeyCode, vb::Integer) {
    std::optional<vb::Date> next;
    try {
        next = MovedDate(CurDate, KeyCode);
    } catch (const vb::Error&) {
        KeyCode = 0;  // no date before year 100 or after 9999
        return;
    }
    if (next) {
        ShowInLabel(*next);
        SetDate(*next);
        KeyCode = 0;
    } else if (KeyCode == forms::vbKeyReturn) {
        KeyCode = 0;
        Command1_Click();
    } else if (KeyCode == forms::vbKeyEscape) {
        KeyCode = 0;
        Command2_Click();
    }
}

void frmCalendar::picMonth_MouseDown(vb::Integer, vb::Integer, vb::Single X, vb::Single Y) {
    const int d = DayAt(CurDate, X, Y, CellWidth, CellHeight);
    if (d != 0) SetDate(vb::DateSerial(vb::Year(CurDate), vb::Month(CurDate), d));
    ShowInLabel(CurDate);
}

// --- month buttons ---

void frmCalendar::lblNext_MouseDown(vb::Integer Button) {
    if (Button == forms::vbLeftButton) MoveMonth(1);
}

void frmCalendar::lblPrev_MouseDown(vb::Integer Button) {
    if (Button == forms::vbLeftButton) MoveMonth(-1);
}

void frmCalendar::MoveMonth(int months) {
    try {
        SetDate(vb::DateAdd("m", months, CurDate));
    } catch (const vb::Error&) {
    }
}

}  // namespace calories
