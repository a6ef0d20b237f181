// The main window's design: controls, menus and the wiring of their events.
#include "calories/calmain.h"

#include "calories/Calories.h"
#include "calories/pictures.h"

namespace calories {

namespace {

constexpr vb::Long kPanelGrey = 0xE0E0E0;

// Rows of the nutrient panel, relative to the top of a column frame.
constexpr vb::Single kHeadTop = 210;
constexpr vb::Single kFirstRow = 540;
constexpr vb::Single kRowPitch = 300;
constexpr vb::Single kRowHeight = 255;
constexpr vb::Single kPanelTop = 4500;
constexpr vb::Single kPanelHeight = kFirstRow + 6 * kRowPitch + 60;

constexpr std::array<std::string_view, 6> kNutrientNames = {"Calories", "Total Fat", "Cholesterol",
                                                              "Fiber",    "Carbohydrate", "Protein"};

}  // namespace

calmain::calmain(Calories& app) : forms::Form("calmain"), app(app) {
    Layout();
    LayoutPanel();
    LayoutMenus();
    Wire();
    WireHints();
    WireDatabase();
    WirePeriod();
    WireCommands();
}

forms::Label& calmain::DayPercent(int k) {
    forms::Label* labels[6] = {&Label16, &Label17, &Label18, &Label19, &Label20, &Label38};
    return *labels[k];
}

forms::Label& calmain::DayBar(int k) {
    forms::Label* bars[6] = {&Label10, &Label11, &Label12, &Label13, &Label14, &Label15};
    return *bars[k];
}

void calmain::Layout() {
    Caption("Vantorel by Lumbreck");
    if (const auto icon = ProgramPicture("program")) Icon(*icon);
    BorderStyle(forms::vbFixedSingle);
    MaxButton(false);
    ClientSize(9570, 7560);
    Move(1200, 600);

    // The diet period: start and end date, the day scroll bar and "Menu  Day n of m".
    Label43.Caption("Start:").Alignment(forms::vbRightJustify).Move(0, 45, 540, 225);
    Label42.Caption("").BackColor(forms::vbWhite).BorderStyle(forms::vbFixedSingle).Move(600, 15, 1140, 270);
    Command17.Caption("...").ToolTipText("Set the start date").Move(1770, 15, 330, 270);
    Label45.Caption("End:").Alignment(forms::vbRightJustify).Move(2160, 45, 480, 225);
    Label44.Caption("").BackColor(forms::vbWhite).BorderStyle(forms::vbFixedSingle).Move(2700, 15, 1140, 270);
    Command18.Caption("...").ToolTipText("Set the end date").Move(3870, 15, 330, 270);
    HScroll1.Min(0).Max(1).Value(0).SmallChange(1).LargeChange(1).Move(4440, 15, 3240, 270);
    HScroll1.AccessibleName("Menu day");
    Label46.Caption("Menu  Day").Alignment(forms::vbRightJustify).Move(7740, 45, 810, 225);
    Label47.Caption("").AutoSize(true).FontBold(true).Move(8800, 45, 120, 225);
    Label49.Caption("of").Alignment(forms::vbCenter).Move(8940, 45, 240, 225);
    Label48.Caption("").FontBold(true).Move(9180, 45, 375, 225);

    // Toolbar: sixteen square buttons in one row.
    // Each shows its picture; a short caption stands in when the picture is missing.
    struct Tool {
        forms::CommandButton* button;
        const char* icon;
        const char* caption;
        const char* tip;
    };
    const Tool tools[] = {
        {&Command2, "newday", "New", "New day"},
        {&Command3, "openday", "Open", "Open day"},
        {&Command4, "saveday", "Save", "Save day"},
        {&Command5, "printday", "Print", "Print day"},
        {&Command9, "deletefood", "Delete", "Delete food from meal"},
        {&Command7, "findfood", "Find", "Find food"},
        {&Command16, "moresearch", "Search", "More search options"},
        {&Command8, "addpersonal", "Add", "Add food to personal group"},
        {&Command20, "opengroup", "Group", "Open personal food group"},
        {&Command1, "showpersonal", "Show", "Show personal food group"},
        {&Command19, "clearall", "Clear", "Clear all days"},
        {&Command6, "tray", "Tray", "Hide in system tray"},
        {&Command10, "goals", "Goals", "Caloric needs and nutrient requirements"},
        {&Command14, "", "FAQ", "Questions and answers"},
        {&Command15, "metric", "Metric", "Metric conversion"},
        {&Command13, "exit", "Exit", "Exit"},
    };
    vb::Single left = 0;
    for (const auto& t : tools) {
        t.button->ToolTipText(t.tip).Move(left, 300, 575, 575);
        const auto picture = *t.icon ? ProgramPicture(t.icon) : std::nullopt;
        if (picture)
            t.button->Caption("").Picture(*picture);
        else
            t.button->Caption(t.caption).FontSize(7.5f);
        left += 580;
    }

    // Foods: the group list (the find box covers it while shown) and the food list.
    Combo1.Style(forms::vbComboDropdownList).Sorted(true).Move(120, 960, 3855, 315);
    // The lists have no label beside them: a screen reader is told what they hold.
    Combo1.AccessibleName("Food group");
    List1.AccessibleName("Foods");
    Text1.AccessibleName("Find food by name");
    Combo2.AccessibleName("Meal");
    List2.AccessibleName("Foods in the meal");
    Text1.Visible(false).Move(120, 960, 3135, 315);
    Command12.Caption("O&K").Visible(false).Move(3255, 960, 720, 315);
    // Tab reaches the find box at the group list's place, before the food list, whose focus hides it.
    Text1.TabIndex(List1.TabIndex());
    Command12.TabIndex(List1.TabIndex());
    List1.Sorted(true).ForeColor(forms::vbBlue).BackColor(forms::vbWhite);
    List1.Move(120, 1350, 3855, 3030);

    // The send button between the two lists.
    Command11.Caption(">>").FontBold(true).AccessibleName("Send selected food to meal list").Move(4050, 2520, 420, 630);

    // Meals: the meal list of the current day, in a fixed-pitch font so the servings line up.
    Combo2.Style(forms::vbComboDropdownList).Move(4545, 960, 4905, 315);
    List2.Sorted(true).BackColor(forms::vbWhite).FontName("Courier New").FontSize(8.25f).Move(4545, 1350, 4905, 3030);

    // Hidden detail of the last food picked from the database, beyond the client area.
    vb::Single top = 960;
    for (forms::Label* l : {&Label26, &Label27, &Label28, &Label29, &Label31, &Label39, &Label30}) {
        l->Caption("").Move(9800, top, 1200, 255);
        top += 300;
    }

    picNotifier.Move(9800, 3300, 480, 480);

    // The date panel takes the width its text needs, so it always shows whole.
    sbStatusBar.AddPanel().AutoSize(1).Width(4800);
    sbStatusBar.AddPanel().Width(2200);
    sbStatusBar.AddPanel().AutoSize(2).Width(2400);
    sbStatusBar.Move(0, 7245, 9570, 315);
}

void calmain::LayoutPanel() {
    auto rowTop = [](int k) { return kFirstRow + static_cast<vb::Single>(k) * kRowPitch; };

    Label1.Caption("Nutrient").FontBold(true).Move(120, kPanelTop + kHeadTop, 1320, kRowHeight);
    for (int k = 0; k < 6; ++k)
        lblNutrient[k].Caption(std::string(kNutrientNames[static_cast<std::size_t>(k)]))
            .Move(120, kPanelTop + rowTop(k) + 15, 1320, kRowHeight);

    auto column = [&](forms::Frame& frame, forms::Label& head, std::string caption, vb::Single left,
                      vb::Single width) {
        frame.Caption("").Move(left, kPanelTop, width, kPanelHeight);
        head.Caption(std::move(caption)).FontBold(true).Alignment(forms::vbCenter).Move(60, kHeadTop, width - 120,
                                                                                         kRowHeight);
    };
    column(Frame1, Label24, "  This Food", 1440, 1320);
    column(Frame2, Label7, "This Meal", 2820, 1200);
    column(Frame3, Label8, " ToDay", 4080, 1200);
    column(Frame4, Label9, "% of Goal for Today", 5340, 2040);
    column(Frame5, Label41, "% of Goal for Period", 7440, 2010);
    Label24.BackColor(kPanelGrey).ForeColor(forms::vbBlue);

    for (int k = 0; k < 6; ++k) {
        const vb::Single y = rowTop(k);
        Label21[k].Caption("").ForeColor(forms::vbBlue).Alignment(forms::vbRightJustify).Move(120, y, 1020, kRowHeight);
        Label22[k].Caption("").Alignment(forms::vbRightJustify).Move(120, y, 900, kRowHeight);
        Label23[k].Caption("").Alignment(forms::vbRightJustify).Move(120, y, 900, kRowHeight);
        DayPercent(k).Caption("").Alignment(forms::vbRightJustify).Move(60, y, 720, kRowHeight);
        DayBar(k).Caption("").BackColor(0x80FFFF).Visible(false).Move(840, y, kBarWidth, kRowHeight);
        Label51[k].Caption("").Alignment(forms::vbRightJustify).Move(60, y, 720, kRowHeight);
        Label50[k].Caption("").BackColor(0xC0FFFF).Visible(false).Move(840, y, kBarWidth, kRowHeight);
    }
}

void calmain::LayoutMenus() {
    mnuFile.Caption("&File");
    mnuFileNew.Caption("&New Day").Shortcut("Ctrl+N");
    mnuFileOpen.Caption("&Open Day").Shortcut("Ctrl+O");
    mnuFileClose.Caption("&Close Day");
    mnuFileBar1.Caption("-");
    mnuFileSave.Caption("&Save Day").Shortcut("Ctrl+S");
    mnuFileSaveAs.Caption("Save &As...");
    mnudelete.Caption("&Delete selected food from Meal");
    mnuFileBar3.Caption("-");
    mnuFilePrint.Caption("&Print Day").Shortcut("Ctrl+P");
    mnuFileBar4.Caption("-");
    mnuFileExit.Caption("E&xit");

    mnutools.Caption("&Tools");
    mnuweight.Caption("&Desirable Weight Guide");
    mnucaloric.Caption("&Caloric Needs and Nutrient Requirements");

    mnuoptions.Caption("&Options");
    mnuperiod.Caption("&Show % of Goal for  Entire period").Checked(true);
    mnudate.Caption("&Show % Average of goal to current date").Checked(false);

    mnudatabase.Caption("&Database");
    mnuaddpersonal.Caption("Add &selected food from food list to Personal food group list");
    mnuHelpBar8.Caption("-");
    mnustartnew.Caption("C&reate new Personal Food group");
    mnuopenpersonal.Caption("&Open Personal food group");
    mnudeletepersonal.Caption("D&elete entry from personal food group list");
    mnuclear.Caption("&Clear Personal food group list");
    mnushowpersonal.Caption("S&how Personal Food group list");
    mnudisplay.Caption("Se&nd Food Personal Food Group to Lumbreck for display on Hompage");
    mnuHelpBar6.Caption("-");
    mnufind.Caption("&Find food in current food group");
    mnufindmore.Caption("&Go here for more search options");
    mnuHelpBar7.Caption("-");
    mnuaddmaindatabase.Caption("&Add entry to Personal or main database");
    mnudeletemaindatabase.Caption("&Delete entry from main database");

    mnuHelp.Caption("&Help");
    mnuHelpContents.Caption("&Contents");
    mnuHelpSearch.Caption("&Search For Help On...");
    mnuHelpBar1.Caption("-");
    mnuhomepage.Caption("&Go to Lumbreck homepage");
    mnuupdate.Caption("&Download Food update");
    mnuHelpAbout.Caption("&About Vantorel");

    mnuservings.Caption("servings").Visible(false);
    forms::Menu* portions[9] = {&mnuonequarter, &mnuonehalf, &mnuthreequ, &mnuone, &mnuonefive,
                                &mnutwo,        &mnuthree,   &mnufour,    &mnufive};
    for (std::size_t i = 0; i < 9; ++i) portions[i]->Caption(std::string(kPortions[i].caption));

    mnuPopMenu.Caption("menu").Visible(false);
    mnuPopMenuShow.Caption("&show");
    mnuPopMenuBar.Caption("-");
    mnuPopMenuExit.Caption("E&xit");
}

void calmain::Wire() {
    Load = [this] { Form_Load(); };
    Unload = [this](vb::Integer& Cancel) { Form_Unload(Cancel); };
    MouseMove = [this](vb::Integer, vb::Integer, vb::Single, vb::Single) { Form_MouseMove(); };

    Combo1.Click = [this] { Combo1_Click(); };
    List1.Click = [this] { List1_Click(); };
    List1.DblClick = [this] { Command11_Click(); };
    List1.GotFocus = [this] { List1_GotFocus(); };
    List1.MouseDown = [this](vb::Integer Button, vb::Integer, vb::Single, vb::Single) { List1_MouseDown(Button); };
    Text1.Change = [this] { Text1_Change(); };
    Text1.GotFocus = [this] { Text1_GotFocus(); };
    Command12.Click = [this] { Command12_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Command11.Click = [this] { Command11_Click(); };

    Combo2.Click = [this] { Combo2_Click(); };
    List2.Click = [this] { List2_Click(); };
    List2.GotFocus = [this] { List2_GotFocus(); };

    HScroll1.Change = [this] { HScroll1_Change(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command13.Click = [this] { forms::Unload(*this); };

    mnuFileOpen.Click = [this] { Command3_Click(); };
    mnuFileSave.Click = [this] { Command4_Click(); };
    mnuFileSaveAs.Click = [this] { Command4_Click(); };
    mnuFileExit.Click = [this] { forms::Unload(*this); };
    mnushowpersonal.Click = [this] { Command1_Click(); };
    mnufind.Click = [this] { Command7_Click(); };
    mnuperiod.Click = [this] { mnuperiod_Click(); };
    mnudate.Click = [this] { mnudate_Click(); };

    // The goal and calculator windows.
    Command10.Click = [this] { app.ShowCaloricNeeds(); };
    mnucaloric.Click = [this] { app.ShowCaloricNeeds(); };
    mnuweight.Click = [this] { app.ShowWeight(); };
    Command14.Click = [this] { app.ShowQuestions(); };
    Command15.Click = [this] { app.ShowMetric(); };

    mnuone.Click = [this] { Command11_Click(); };
    forms::Menu* portions[9] = {&mnuonequarter, &mnuonehalf, &mnuthreequ, &mnuone, &mnuonefive,
                                &mnutwo,        &mnuthree,   &mnufour,    &mnufive};
    for (std::size_t i = 0; i < 9; ++i)
        if (i != static_cast<std::size_t>(kOneServing))
            portions[i]->Click = [this, i] { SendFood(kPortions[i]); };
}

void calmain::WireHints() {
    struct HintOf {
        forms::Control* control;
        const char* text;
    };
    const HintOf hints[] = {
        {&Command2, "Clear all meals in single meal mode"},
        {&Command3, "Open a saved day of Meals in single meal mode"},
        {&Command4, "Save current day of meals to disk,single meal mode only"},
        {&Command5, "Print current day of meals"},
        {&Command9, "Delete selected food from Meal"},
        {&Command7, "Find food in current food group"},
        {&Command16, "Click here for more search options "},
        {&Command8, "Add selected food from food list to Personal food group "},
        {&Command20, "Open Personal Food group"},
        {&Command1, "Show Personal Food group"},
        {&Command19, "Clear all meals and days in multiply day mode"},
        {&Command6, "Hide program in system tray"},
        {&Command10, " Go here to select your Caloric Needs and Nutrient Requirements"},
        {&Command14, " Answers to the most commonly asked questions "},
        {&Command15, " Metric Conversion Calculator"},
        {&Command13, "Exit Program"},
        {&Command11, "Send selected food  to meal list"},
        {&List2, "Your current meal is displayed here"},
    };
    for (const auto& h : hints) {
        std::string text = h.text;
        h.control->MouseMove = [this, text](vb::Integer, vb::Integer, vb::Single, vb::Single) { Hint(text); };
    }
    List1.MouseMove = [this](vb::Integer, vb::Integer, vb::Single, vb::Single) { List1_MouseMove(); };
}

void calmain::Hint(std::string_view text) { sbStatusBar.Panels(1).Text(std::string(text)); }

void calmain::Form_MouseMove() { Hint(""); }

}  // namespace calories
