// One form with a control of every kind on the Qt backend: the user's input through the widgets
// runs the same events as code setting the values, and the widgets show what code sets.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"

namespace {

using namespace forms;

class AllKinds : public Form {
public:
    AllKinds() : Form("frmAllKinds") {
        Caption("Every control");
        ClientSize(8400, 6300);
        mnuFile.Caption("&File");
        mnuFileOpen.Caption("&Open...").Shortcut("Ctrl+O");
        mnuFileSep.Caption("-");
        mnuFileExit.Caption("E&xit");
        mnuView.Caption("&View");
        mnuViewStatus.Caption("&Status Bar").Checked(true);
        mnuPop.Caption("Pop").Visible(false);
        mnuPopA.Caption("&Alpha");
        mnuPopB.Caption("&Beta");

        Toolbar1.Move(0, 0, 8400, 450);
        Toolbar1.AddTool("Open").Caption("Open").ToolTipText("Open a file");
        Toolbar1.AddTool("Print").Caption("Print").BeginGroup(true);
        Label1.Caption("&Name:").Move(180, 660, 900, 270);
        Text1.Move(1200, 600, 2700, 330);
        Text2.MultiLine(true).ScrollBars(vbVertical).Text("First line\r\nSecond line").Move(180, 1080, 3720, 900);
        Check1.Caption("&Check me").Move(180, 2070, 1800, 300);
        Frame1.Caption("Choice").Move(180, 2430, 3720, 1050);
        Option1.Caption("&One").Move(180, 330, 1500, 300);
        Option2.Caption("&Two").Move(180, 660, 1500, 300);
        Option1.Value(true);
        List1.Sorted(true).Move(4200, 600, 1950, 1800);
        for (const char* s : {"Cherry", "apple", "Banana", "date", "Elderberry", "fig", "Grape"}) List1.AddItem(s);
        Combo1.Move(6300, 600, 1920, 330);
        Combo2.Style(vbComboDropdownList).Move(6300, 1050, 1920, 330);
        for (const char* s : {"Breakfast", "Lunch", "Dinner"}) {
            Combo1.AddItem(s);
            Combo2.AddItem(s);
        }
        Command1.Caption("OK").Default(true).Move(6300, 1560, 1920, 390);
        Command2.Caption("Cancel").Cancel(true).Move(6300, 2040, 1920, 390);
        HScroll1.Max(10).LargeChange(5).Move(4200, 2550, 3600, 255);
        VScroll1.Min(100).Max(0).SmallChange(1).Move(7920, 2550, 255, 990);
        VScroll1.Value(50);
        Picture1.BackColor(vbWhite).Move(4200, 2940, 3600, 1350);
        Image1.Move(180, 3690, 720, 720);
        Animation1.Move(1050, 3690, 900, 720);
        Line1.Coordinates(2100, 3750, 3900, 4350).BorderColor(vbBlue).BorderWidth(2);
        Shape1.ShapeStyle(vbShapeOval).FillStyle(vbFSSolid).FillColor(vbYellow).Move(2100, 4500, 1800, 600);
        StatusBar1.AddPanel("Ready").AutoSize(1);
        StatusBar1.AddPanel("Panel 2").Width(1500);
        StatusBar1.Move(0, 5940, 8400, 360);

        auto logged = [this](const char* name) { return [this, name] { log.emplace_back(name); }; };
        Command1.Click = logged("Command1_Click");
        Command2.Click = logged("Command2_Click");
        Check1.Click = logged("Check1_Click");
        Option1.Click = logged("Option1_Click");
        Option2.Click = logged("Option2_Click");
        List1.Click = logged("List1_Click");
        List1.DblClick = logged("List1_DblClick");
        Combo1.Click = logged("Combo1_Click");
        Combo1.Change = logged("Combo1_Change");
        Combo2.Click = logged("Combo2_Click");
        Text1.Change = logged("Text1_Change");
        Text2.Change = logged("Text2_Change");
        HScroll1.Change = logged("HScroll1_Change");
        VScroll1.Change = logged("VScroll1_Change");
        Label1.Click = logged("Label1_Click");
        Image1.Click = logged("Image1_Click");
        Picture1.MouseDown = [this](Integer b, Integer, Single, Single) { log.push_back("Picture1_MouseDown " + std::to_string(b)); };
        Picture1.MouseUp = [this](Integer b, Integer, Single, Single) { log.push_back("Picture1_MouseUp " + std::to_string(b)); };
        Picture1.Click = logged("Picture1_Click");
        Timer1.Tick = logged("Timer1_Tick");
        mnuFileOpen.Click = logged("mnuFileOpen_Click");
        mnuPopA.Click = logged("mnuPopA_Click");
        mnuPopB.Click = logged("mnuPopB_Click");
        Toolbar1.ToolClick = [this](const Tool& t) { log.push_back("Toolbar1 " + t.Name()); };
        Picture1.Paint = [this] {
            Picture1.Cls();
            Picture1.FontBold(true);
            Picture1.Print({"Totals", Tab(20), 1234});
            Picture1.FontBold(false);
            Picture1.Print({"Fat", Tab(20), 12.5});
            Picture1.Box(60, 700, 1500, 1100, vbRed);
            Picture1.Line(1700, 700, 3400, 1100, vbBlue);
        };
    }

    std::string Snapshot() const {
        return Text1.Text() + "|" + std::to_string(Check1.Value()) + "|" + std::to_string(Option1.Value()) +
               std::to_string(Option2.Value()) + "|" + std::to_string(List1.ListIndex()) + "|" + Combo1.Text() + "|" +
               std::to_string(Combo2.ListIndex()) + "|" + std::to_string(HScroll1.Value()) + "|" +
               std::to_string(VScroll1.Value());
    }

    Menu mnuFile{*this, "mnuFile"};
    Menu mnuFileOpen{mnuFile, "mnuFileOpen"};
    Menu mnuFileSep{mnuFile, "mnuFileSep"};
    Menu mnuFileExit{mnuFile, "mnuFileExit"};
    Menu mnuView{*this, "mnuView"};
    Menu mnuViewStatus{mnuView, "mnuViewStatus"};
    Menu mnuPop{*this, "mnuPop"};
    Menu mnuPopA{mnuPop, "mnuPopA"};
    Menu mnuPopB{mnuPop, "mnuPopB"};
    Toolbar Toolbar1{*this, "Toolbar1"};
    Label Label1{*this, "Label1"};
    TextBox Text1{*this, "Text1"};
    TextBox Text2{*this, "Text2"};
    CheckBox Check1{*this, "Check1"};
    Frame Frame1{*this, "Frame1"};
    OptionButton Option1{Frame1, "Option1"};
    OptionButton Option2{Frame1, "Option2"};
    ListBox List1{*this, "List1"};
    ComboBox Combo1{*this, "Combo1"};
    ComboBox Combo2{*this, "Combo2"};
    CommandButton Command1{*this, "Command1"};
    CommandButton Command2{*this, "Command2"};
    HScrollBar HScroll1{*this, "HScroll1"};
    VScrollBar VScroll1{*this, "VScroll1"};
    PictureBox Picture1{*this, "Picture1"};
    Image Image1{*this, "Image1"};
    Animation Animation1{*this, "Animation1"};
    Timer Timer1{*this, "Timer1"};
    Line Line1{*this, "Line1"};
    Shape Shape1{*this, "Shape1"};
    StatusBar StatusBar1{*this, "StatusBar1"};
    std::vector<std::string> log;
};

template <class W>
W* Qt(const Control& c) {
    W* w = dynamic_cast<W*>(qtui::WidgetOf(c));
    EXPECT_NE(w, nullptr) << c.Name();
    return w;
}

class QtControls : public ::testing::Test {
protected:
    void SetUp() override {
        App().Title("GUI test");
        qtui::SetErrorReporter([this](const std::string&, const std::string& text) { errors.push_back(text); });
    }
    void TearDown() override {
        qtui::SetErrorReporter(nullptr);
        ResetApplication();
        gui::Pump();
    }
    std::unique_ptr<AllKinds> Open() {
        auto f = std::make_unique<AllKinds>();
        std::string image = (env.Root() / "image.png").string();
        QImage img(48, 48, QImage::Format_RGB32);
        img.fill(QColor(40, 140, 90));
        img.save(QString::fromStdString(image));
        f->Image1.Picture(image);
        f->Animation1.FileName(std::string(VT_SOURCE_DIR) + "/data/recipe/gif1.gif");
        f->Show();
        gui::Pump();
        f->log.clear();
        return f;
    }

    ::drive::TempEnvironment env;
    qtui::QtHost host;
    std::vector<std::string> errors;
};

QPoint RowCenter(QListView* view, int row) { return view->visualRect(view->model()->index(row, 0)).center(); }

QToolButton* ToolButton(AllKinds& f, const char* text) {
    auto* bar = qtui::WidgetOf(f.Toolbar1)->findChild<QToolBar*>();
    for (QAction* a : bar->actions())
        if (a->text() == text) return qobject_cast<QToolButton*>(bar->widgetForAction(a));
    return nullptr;
}

// The arrow at the right or bottom end.
void ClickArrow(QScrollBar* bar) {
    QPoint end = bar->orientation() == Qt::Horizontal ? QPoint(bar->width() - 4, bar->height() / 2)
                                                      : QPoint(bar->width() / 2, bar->height() - 4);
    QTest::mouseClick(bar, Qt::LeftButton, {}, end);
}

struct Route {
    const char* name;
    std::function<void(AllKinds&)> user;  // through the widgets
    std::function<void(AllKinds&)> code;  // through the model's setters (nullptr: code has no way)
    std::vector<std::string> events;
};

TEST_F(QtControls, UserInputRunsTheEventsCodeRuns) {
    const Route routes[] = {
        {"command button", [](AllKinds& f) { QTest::mouseClick(Qt<QPushButton>(f.Command1), Qt::LeftButton); },
         [](AllKinds& f) { f.Command1.Value(true); }, {"Command1_Click"}},
        {"check box", [](AllKinds& f) { QTest::mouseClick(Qt<QCheckBox>(f.Check1), Qt::LeftButton); },
         [](AllKinds& f) { f.Check1.Value(vbChecked); }, {"Check1_Click"}},
        {"option button", [](AllKinds& f) { QTest::mouseClick(Qt<QRadioButton>(f.Option2), Qt::LeftButton, {}, QPoint(8, 10)); },
         [](AllKinds& f) { f.Option2.Value(true); }, {"Option2_Click"}},
        {"list box", [](AllKinds& f) {
             auto* v = Qt<QListView>(f.List1);
             QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, RowCenter(v, 2));
         },
         [](AllKinds& f) { f.List1.ListIndex(2); }, {"List1_Click"}},
        {"drop-down list", [](AllKinds& f) { QTest::keyClick(Qt<QComboBox>(f.Combo2), Qt::Key_Down); },
         [](AllKinds& f) { f.Combo2.ListIndex(0); }, {"Combo2_Click"}},
        {"combo box edit", [](AllKinds& f) { QTest::keyClick(Qt<QComboBox>(f.Combo1), Qt::Key_L); },
         [](AllKinds& f) { f.Combo1.Text("l"); }, {"Combo1_Change"}},
        {"text box", [](AllKinds& f) { QTest::keyClicks(Qt<QLineEdit>(f.Text1), "x"); },
         [](AllKinds& f) { f.Text1.Text("x"); }, {"Text1_Change"}},
        {"horizontal scroll bar", [](AllKinds& f) { ClickArrow(Qt<QScrollBar>(f.HScroll1)); },
         [](AllKinds& f) { f.HScroll1.Value(1); }, {"HScroll1_Change"}},
        {"vertical scroll bar, Min above Max", [](AllKinds& f) { ClickArrow(Qt<QScrollBar>(f.VScroll1)); },
         [](AllKinds& f) { f.VScroll1.Value(49); }, {"VScroll1_Change"}},
        {"label", [](AllKinds& f) { QTest::mouseClick(Qt<QLabel>(f.Label1), Qt::LeftButton); }, nullptr, {"Label1_Click"}},
        {"image", [](AllKinds& f) { QTest::mouseClick(Qt<QLabel>(f.Image1), Qt::LeftButton); }, nullptr, {"Image1_Click"}},
        {"picture box", [](AllKinds& f) { QTest::mouseClick(qtui::WidgetOf(f.Picture1), Qt::LeftButton); }, nullptr,
         {"Picture1_MouseDown 1", "Picture1_MouseUp 1", "Picture1_Click"}},
        {"tool", [](AllKinds& f) { QTest::mouseClick(ToolButton(f, "Open"), Qt::LeftButton); }, nullptr, {"Toolbar1 Open"}},
        {"menu shortcut", [](AllKinds& f) {
             QWidget* w = qtui::WindowOf(f);
             w->activateWindow();
             QApplication::setActiveWindow(w);
             QTest::keyClick(w, Qt::Key_O, Qt::ControlModifier);
         },
         nullptr, {"mnuFileOpen_Click"}},
    };
    for (const Route& r : routes) {
        SCOPED_TRACE(r.name);
        auto byUser = Open();
        r.user(*byUser);
        gui::Pump();
        EXPECT_EQ(byUser->log, r.events);
        if (!r.code) continue;
        auto byCode = Open();
        r.code(*byCode);
        gui::Pump();
        EXPECT_EQ(byCode->log, r.events);
        EXPECT_EQ(byUser->Snapshot(), byCode->Snapshot());
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(QtControls, WidgetsShowWhatCodeSets) {
    auto f = Open();
    const struct {
        const char* name;
        std::function<void()> set;
        std::function<bool()> shown;
    } rows[] = {
        {"caption without access key", [&] { f->Label1.Caption("&Food && drink"); },
         [&] { return Qt<QLabel>(f->Label1)->text() == "Food & drink"; }},
        {"Windows-1252 text", [&] { f->Text1.Text("Cr\xE8me \x80"); },
         [&] { return Qt<QLineEdit>(f->Text1)->text() == QString::fromUtf8("Cr\xC3\xA8me \xE2\x82\xAC"); }},
        {"multi-line text", [&] { f->Text2.Text("a\r\nb"); }, [&] { return Qt<QPlainTextEdit>(f->Text2)->toPlainText() == "a\nb"; }},
        {"grayed check box", [&] { f->Check1.Value(vbGrayed); },
         [&] { return Qt<QCheckBox>(f->Check1)->checkState() == Qt::PartiallyChecked; }},
        {"option clears its sibling", [&] { f->Option2.Value(true); },
         [&] { return !Qt<QRadioButton>(f->Option1)->isChecked() && Qt<QRadioButton>(f->Option2)->isChecked(); }},
        {"sorted item", [&] { f->List1.AddItem("Avocado"); },
         [&] { return Qt<QListView>(f->List1)->model()->index(1, 0).data().toString() == "Avocado"; }},
        {"list selection", [&] { f->List1.ListIndex(3); },
         [&] { return Qt<QListView>(f->List1)->currentIndex().row() == 3; }},
        {"removing the selected item", [&] { f->List1.RemoveItem(3); },
         [&] { return f->List1.ListIndex() == -1 && !Qt<QListView>(f->List1)->selectionModel()->hasSelection(); }},
        {"combo choice", [&] { f->Combo2.Text("Dinner"); }, [&] { return Qt<QComboBox>(f->Combo2)->currentText() == "Dinner"; }},
        {"combo edit text", [&] { f->Combo1.Text("lunch"); }, [&] { return Qt<QComboBox>(f->Combo1)->currentText() == "lunch"; }},
        {"scroll bar with Min above Max", [&] { f->VScroll1.Value(30); }, [&] { return Qt<QScrollBar>(f->VScroll1)->value() == 70; }},
        {"status panel", [&] { f->StatusBar1.Panels(2).Text("42 foods"); },
         [&] { return gui::FindChild<QLabel>(qtui::WidgetOf(f->StatusBar1), "42 foods") != nullptr; }},
        {"tool disabled", [&] { f->Toolbar1.Tools("Print").Enabled(false); }, [&] { return !ToolButton(*f, "Print")->isEnabled(); }},
        {"menu checked", [&] { f->mnuViewStatus.Checked(false); }, [&] { return !qtui::ActionOf(f->mnuViewStatus)->isChecked(); }},
        {"menu caption", [&] { f->mnuFileExit.Caption("&Quit"); }, [&] { return qtui::ActionOf(f->mnuFileExit)->text() == "&Quit"; }},
        {"form caption", [&] { f->Caption("Renamed"); }, [&] { return qtui::WindowOf(*f)->windowTitle() == "Renamed"; }},
        {"hidden control", [&] { f->Check1.Visible(false); }, [&] { return !qtui::WidgetOf(f->Check1)->isVisible(); }},
        {"disabled control", [&] { f->Command2.Enabled(false); }, [&] { return !qtui::WidgetOf(f->Command2)->isEnabled(); }},
        {"twips to pixels", [&] { f->Command2.Move(6300, 2040, 1500, 450); },
         [&] { return qtui::WidgetOf(f->Command2)->geometry() == QRect(420, 136, 100, 30); }},
        {"colour &HBBGGRR", [&] { f->Label1.ForeColor(0x0000FF); },
         [&] { return qtui::WidgetOf(f->Label1)->palette().color(QPalette::WindowText) == QColor(255, 0, 0); }},
        {"fractional font size", [&] { f->Label1.FontSize(9.75f).FontBold(true); },
         [&] { QFont font = qtui::WidgetOf(f->Label1)->font(); return font.pointSizeF() == 9.75 && font.bold(); }},
        {"client size", [&] { f->ClientSize(9000, 6300); }, [&] { return qtui::ClientAreaOf(*f)->size() == QSize(600, 420); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        r.set();
        gui::Pump();
        EXPECT_TRUE(r.shown());
    }
}

TEST_F(QtControls, KeysGoThroughKeyEventsAndDefaultButtons) {
    auto f = Open();
    // KeyPress may change the character or eat it.
    f->Text1.KeyPress = [&](Integer& k) {
        if (k >= '0' && k <= '9') k = 0;
        else if (k >= 'a' && k <= 'z') k = static_cast<Integer>(k - 32);
    };
    QTest::keyClicks(Qt<QLineEdit>(f->Text1), "a1b");
    EXPECT_EQ(f->Text1.Text(), "AB");
    EXPECT_EQ(Qt<QLineEdit>(f->Text1)->text(), "AB");
    f->log.clear();
    QTest::keyClick(Qt<QLineEdit>(f->Text1), Qt::Key_Return);
    QTest::keyClick(Qt<QLineEdit>(f->Text1), Qt::Key_Escape);
    EXPECT_EQ(f->log, (std::vector<std::string>{"Command1_Click", "Command2_Click"}));
    // Typing into a multi-line box keeps CR LF in the model.
    auto* memo = Qt<QPlainTextEdit>(f->Text2);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "z");
    EXPECT_EQ(f->Text2.Text(), "First line\r\nSecond line\r\nz");
    EXPECT_EQ(f->Text2.SelStart(), static_cast<long>(f->Text2.Text().size()));
}

TEST_F(QtControls, TimersTickWhileEnabled) {
    auto f = Open();
    f->Timer1.Interval(20).Enabled(true);
    gui::Pump(150);
    f->Timer1.Enabled(false);
    auto ticks = std::count(f->log.begin(), f->log.end(), "Timer1_Tick");
    EXPECT_GE(ticks, 2);
    gui::Pump(100);
    EXPECT_EQ(std::count(f->log.begin(), f->log.end(), "Timer1_Tick"), ticks);
}

TEST_F(QtControls, KeysReachTheMenusAndTheTools) {
    auto f = Open();
    QWidget* w = qtui::WindowOf(*f);
    w->activateWindow();
    QApplication::setActiveWindow(w);
    QMenuBar* bar = static_cast<QMainWindow*>(w)->menuBar();
    QWidget* text = Qt<QLineEdit>(f->Text1);
    text->setFocus();
    gui::Pump();
    using gui::AltAlone;
    using gui::Press;
    auto highlighted = [&] { return gui::Highlighted(bar); };
    auto open = [] { return gui::OpenMenu(); };
    auto focused = [&](const char* tool) { return ToolButton(*f, tool)->hasFocus(); };
    // The menu the keys are on shows in the highlight colour.
    auto lit = [&](const QString& caption) {
        const QImage shot = bar->grab().toImage();
        const QColor mark = bar->palette().color(QPalette::Highlight);
        for (QAction* a : bar->actions()) {
            if (a->text() != caption) continue;
            const QRect r = bar->actionGeometry(a);
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (shot.pixelColor(x, y) == mark) return true;
        }
        return false;
    };
    const struct {
        const char* name;
        std::function<void()> keys;
        std::function<bool()> then;
    } steps[] = {
        {"F10 takes the focus to the first menu", [] { Press(Qt::Key_F10); },
         [&] { return highlighted() == "&File" && open().isEmpty() && lit("&File"); }},
        {"Right moves along the menus", [] { Press(Qt::Key_Right); }, [&] { return highlighted() == "&View"; }},
        {"Down opens the menu", [] { Press(Qt::Key_Down); }, [&] { return open() == "&View"; }},
        {"Escape closes it and stays on the bar", [] { Press(Qt::Key_Escape); },
         [&] { return open().isEmpty() && highlighted() == "&View"; }},
        {"Right from the last menu goes on to the tools", [] { Press(Qt::Key_Right); }, [&] { return focused("Open"); }},
        {"Right moves along the tools", [] { Press(Qt::Key_Right); }, [&] { return focused("Print"); }},
        {"Right from the last tool comes back to the menus", [] { Press(Qt::Key_Right); },
         [&] { return highlighted() == "&File"; }},
        {"Left from the first menu goes to the last tool", [] { Press(Qt::Key_Left); }, [&] { return focused("Print"); }},
        {"Enter uses the tool and the focus goes back", [] { Press(Qt::Key_Return); },
         [&] { return f->log == std::vector<std::string>{"Toolbar1 Print"} && text->hasFocus(); }},
        {"a lone Alt takes the focus to the menus", [] { AltAlone(); }, [&] { return highlighted() == "&File"; }},
        {"Escape on the bar goes back", [] { Press(Qt::Key_Escape); }, [&] { return text->hasFocus(); }},
        {"Alt and a menu's letter open that menu", [] { Press(Qt::Key_V, Qt::AltModifier); },
         [&] { return open() == "&View"; }},
        {"Enter in the menu runs its item", [] {
             Press(Qt::Key_Escape);
             Press(Qt::Key_Left);
             Press(Qt::Key_Down);
             Press(Qt::Key_Return);
         },
         [&] { return f->log.back() == "mnuFileOpen_Click"; }},
        {"F10 twice goes there and back", [] {
             Press(Qt::Key_F10);
             Press(Qt::Key_F10);
         },
         [&] { return text->hasFocus(); }},
        {"Escape from the tools goes back", [] {
             Press(Qt::Key_F10);
             Press(Qt::Key_Left);
             Press(Qt::Key_Escape);
         },
         [&] { return text->hasFocus(); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.keys();
        gui::Pump();
        EXPECT_TRUE(s.then()) << "focus: " << (QApplication::focusWidget() ? qPrintable(QApplication::focusWidget()->metaObject()->className()) : "none")
                              << " open: " << qPrintable(open()) << " highlighted: " << qPrintable(highlighted());
    }
    while (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
}

// Between two groups of tools an etched groove, a dark line beside a light one, across the bar.
TEST_F(QtControls, ToolGroupsArePartedByAGroove) {
    auto f = Open();
    auto* bar = qtui::WidgetOf(f->Toolbar1)->findChild<QToolBar*>();
    QToolButton* open = ToolButton(*f, "Open");
    QToolButton* print = ToolButton(*f, "Print");
    ASSERT_TRUE(bar && open && print);
    const QImage shot = bar->grab().toImage();
    const QColor ground = shot.pixelColor(open->geometry().right() + 1, 1);
    int darkRows = 0, lightRows = 0;
    for (int y = open->geometry().top(); y <= open->geometry().bottom(); ++y) {
        bool dark = false, light = false;
        for (int x = open->geometry().right() + 1; x < print->geometry().left(); ++x) {
            const int v = shot.pixelColor(x, y).value();
            dark = dark || v < ground.value() - 40;
            light = light || v > ground.value() + 5 || v == 255;
        }
        darkRows += dark;
        lightRows += light;
    }
    const int height = open->geometry().height();
    EXPECT_GE(darkRows, height * 3 / 4);
    EXPECT_GE(lightRows, height * 3 / 4);
    f->Toolbar1.Tools("Print").BeginGroup(false);
    gui::Pump();
    EXPECT_LE(print->geometry().left() - open->geometry().right(), 2) << "no groove, no gap";
}

TEST_F(QtControls, PopupMenuRunsTheChosenItemOnce) {
    auto f = Open();
    gui::WhenPopup([](QWidget* menu) {
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    f->PopupMenu(f->mnuPop, 0, 600, 600);
    EXPECT_EQ(f->log, (std::vector<std::string>{"mnuPopB_Click"}));
}

TEST_F(QtControls, CloseBoxAsksQueryUnload) {
    auto f = Open();
    Integer mode = -1;
    f->QueryUnload = [&](Integer& cancel, Integer unloadMode) {
        mode = unloadMode;
        cancel = 1;
    };
    qtui::WindowOf(*f)->close();
    gui::Pump();
    EXPECT_EQ(mode, vbFormControlMenu);
    EXPECT_TRUE(f->IsLoaded());
    EXPECT_TRUE(qtui::WindowOf(*f)->isVisible());
    f->QueryUnload = nullptr;
    qtui::WindowOf(*f)->close();
    gui::Pump();
    EXPECT_FALSE(f->IsLoaded());
}

TEST_F(QtControls, ErrorsInHandlersAreShownAndTheFormLivesOn) {
    auto f = Open();
    f->Command1.Click = [] { throw vb::Error(vb::errOverflow); };
    QTest::mouseClick(Qt<QPushButton>(f->Command1), Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Run-time error '6':\r\n\r\nOverflow");
}

TEST_F(QtControls, HandlersMayUnloadTheirOwnForm) {
    const struct {
        const char* name;
        std::function<void(AllKinds&)> wire;
        std::function<void(AllKinds&)> act;
    } rows[] = {
        {"button", [](AllKinds& f) { f.Command1.Click = [&f] { Unload(f); }; },
         [](AllKinds& f) { QTest::mouseClick(Qt<QPushButton>(f.Command1), Qt::LeftButton); }},
        {"list", [](AllKinds& f) { f.List1.Click = [&f] { Unload(f); }; },
         [](AllKinds& f) {
             auto* v = Qt<QListView>(f.List1);
             QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, RowCenter(v, 1));
         }},
        {"key", [](AllKinds& f) { f.Text1.KeyDown = [&f](Integer&, Integer) { Unload(f); }; },
         [](AllKinds& f) { QTest::keyClick(Qt<QLineEdit>(f.Text1), Qt::Key_A); }},
        {"timer", [](AllKinds& f) { f.Timer1.Interval(10).Enabled(true).Tick = [&f] { Unload(f); }; },
         [](AllKinds&) { gui::Pump(60); }},
        {"tool", [](AllKinds& f) { f.Toolbar1.ToolClick = [&f](const Tool&) { Unload(f); }; },
         [](AllKinds& f) { QTest::mouseClick(ToolButton(f, "Open"), Qt::LeftButton); }},
        {"menu", [](AllKinds& f) { f.mnuFileExit.Click = [&f] { Unload(f); }; },
         [](AllKinds& f) { qtui::ActionOf(f.mnuFileExit)->trigger(); }},
        {"scroll bar", [](AllKinds& f) { f.HScroll1.Change = [&f] { Unload(f); }; },
         [](AllKinds& f) { ClickArrow(Qt<QScrollBar>(f.HScroll1)); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        auto f = Open();
        r.wire(*f);
        r.act(*f);
        gui::Pump();
        EXPECT_FALSE(f->IsLoaded());
        EXPECT_EQ(qtui::WindowOf(*f), nullptr);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(QtControls, SimpleComboShowsItsListAndEditBox) {
    class Simple : public Form {
    public:
        Simple() : Form("frmSimple") {
            Combo.Style(vbComboSimple).Move(120, 120, 3000, 2400);
            for (const char* s : {"Cup", "Ounce", "Tablespoon"}) Combo.AddItem(s);
            Combo.Click = [this] { log.emplace_back("Click"); };
            Combo.Change = [this] { log.emplace_back("Change"); };
        }
        ComboBox Combo{*this, "Combo"};
        std::vector<std::string> log;
    } f;
    f.Show();
    auto* list = qtui::WidgetOf(f.Combo)->findChild<QListView*>();
    auto* edit = qtui::WidgetOf(f.Combo)->findChild<QLineEdit*>();
    ASSERT_TRUE(list && edit);
    EXPECT_TRUE(list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCenter(list, 1));
    EXPECT_EQ(f.Combo.Text(), "Ounce");
    EXPECT_EQ(edit->text(), "Ounce");
    QTest::keyClick(edit, Qt::Key_S);
    EXPECT_EQ(f.Combo.Text(), "Ounces");
    EXPECT_EQ(f.Combo.ListIndex(), -1);
    EXPECT_FALSE(list->selectionModel()->hasSelection());
    EXPECT_EQ(f.log, (std::vector<std::string>{"Click", "Change"}));
}

// Typing in a drop-down goes to the first item that begins with what was typed; in an open one
// Enter takes it. A program's own list that its DropDown shows in the box's place is such an open
// drop-down too.
TEST_F(QtControls, TypingInDropDownsFindsTheItem) {
    class Picker : public Form {
    public:
        Picker() : Form("frmPicker") {
            ClientSize(4500, 3000);
            Pick.Style(vbComboDropdown).Move(120, 120, 3000, 330);
            Pick.Text("Select");
            Foods.Sorted(true).Visible(false).Move(120, 120, 3000, 2000);
            for (const char* s : {"Rye", "Rice, raw", "Apple", "Rice flakes", "Banana"}) Foods.AddItem(s);
            Meal.Style(vbComboDropdownList).Move(120, 2400, 3000, 330);
            for (const char* s : {"Breakfast", "Lunch", "Dinner"}) Meal.AddItem(s);
            Pick.DropDown = [this] {
                Pick.Visible(false);
                Foods.Visible(true);
            };
            Foods.Click = [this] {
                log.push_back("Foods_Click " + Foods.Text());
                Pick.Text(Foods.Text());
                Foods.Visible(false);
                Pick.Visible(true);
            };
            Foods.KeyPress = [this](Integer& k) {
                if (k == 13) log.emplace_back("Foods_KeyPress 13");
            };
            Meal.Click = [this] { log.push_back("Meal_Click " + Meal.Text()); };
        }
        ComboBox Pick{*this, "Pick"};
        ListBox Foods{*this, "Foods"};
        ComboBox Meal{*this, "Meal"};
        std::vector<std::string> log;
    } f;
    f.Show();
    QApplication::setActiveWindow(qtui::WindowOf(f));
    gui::Pump();
    auto* pick = Qt<QComboBox>(f.Pick);
    auto* foods = Qt<QListView>(f.Foods);
    auto* meal = Qt<QComboBox>(f.Meal);
    auto row = [](QAbstractItemView* v) { return v->currentIndex().data().toString(); };

    pick->showPopup();  // what a click on its arrow does
    gui::Pump();
    EXPECT_TRUE(foods->isVisible() && foods->hasFocus());
    EXPECT_FALSE(pick->view()->isVisible()) << "no popup of its own over the list";
    QTest::keyClicks(foods, "Rice,");
    EXPECT_EQ(row(foods), "Rice, raw");
    EXPECT_TRUE(f.log.empty()) << "moving is not choosing";
    QTest::keyClick(foods, Qt::Key_Return);
    gui::Pump();
    EXPECT_EQ(f.log, (std::vector<std::string>{"Foods_Click Rice, raw", "Foods_KeyPress 13"}));
    EXPECT_EQ(f.Pick.Text(), "Rice, raw");
    EXPECT_TRUE(pick->hasFocus()) << "back to the drop-down";

    f.log.clear();
    meal->setFocus();
    QTest::keyClicks(meal, "d");  // closed: the item is chosen at once
    EXPECT_EQ(f.log, (std::vector<std::string>{"Meal_Click Dinner"}));
    gui::Pump(QApplication::keyboardInputInterval() + 50);  // a new word, not "dl"
    meal->showPopup();
    gui::Pump();
    QTest::keyClicks(meal->view(), "l");
    EXPECT_EQ(row(meal->view()), "Lunch");
    EXPECT_EQ(f.log.size(), 1u) << "moving is not choosing";
    QTest::keyClick(meal->view(), Qt::Key_Return);
    gui::Pump();
    EXPECT_EQ(f.log, (std::vector<std::string>{"Meal_Click Dinner", "Meal_Click Lunch"}));
}

TEST_F(QtControls, TabFollowsTabIndexAndMovesTheModelsFocus) {
    class Three : public Form {
    public:
        Three() : Form("frmThree") {
            A.Move(120, 120, 1500, 330);
            B.Move(120, 600, 1500, 330);
            C.Move(120, 1080, 1500, 330);
            D.Move(120, 1560, 1500, 330).TabStop(false);
            C.TabIndex(1);  // A, C, B
            B.GotFocus = [this] { log.emplace_back("B_GotFocus"); };
            C.GotFocus = [this] { log.emplace_back("C_GotFocus"); };
            A.LostFocus = [this] { log.emplace_back("A_LostFocus"); };
        }
        TextBox A{*this, "A"}, B{*this, "B"}, C{*this, "C"}, D{*this, "D"};
        std::vector<std::string> log;
    } f;
    f.Show();
    QWidget* w = qtui::WindowOf(f);
    QApplication::setActiveWindow(w);
    gui::Pump();
    EXPECT_EQ(f.ActiveControl(), &f.A);
    f.log.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f.ActiveControl(), &f.C);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f.ActiveControl(), &f.B);
    EXPECT_EQ(f.log, (std::vector<std::string>{"A_LostFocus", "C_GotFocus", "B_GotFocus"}));
    EXPECT_EQ(qtui::WidgetOf(f.D)->focusPolicy(), Qt::ClickFocus);
}

// The frame follows the border style: a window of fixed size has no maximize button and keeps its
// size; no caption and no control box leave no title bar, and the window draws its own frame; a
// window without a caption is not named after the program.
TEST_F(QtControls, FramesFollowTheBorderStyle) {
    class Framed : public Form {
    public:
        Framed(Integer border, bool box, const char* caption) : Form("frmFramed") {
            BorderStyle(border).ControlBox(box).MinButton(true).MaxButton(true).Caption(caption);
            ClientSize(3000, 1500);
        }
    };
    App().Title("Program name");
    const QString name = QApplication::applicationName();
    QApplication::setApplicationName("Program name");
    const struct {
        const char* name;
        Integer border;
        bool controlBox;
        const char* caption;
        bool titleBar, maximize, minimize, fixed;
    } rows[] = {
        {"sizable", vbSizable, true, "Sizable", true, true, true, false},
        {"fixed single, even with MaxButton", vbFixedSingle, true, "Fixed", true, false, true, true},
        {"fixed dialog", vbFixedDialog, true, "Dialog", true, false, false, true},
        {"no caption, no control box", vbFixedDialog, false, "", false, false, false, true},
        {"no caption, a control box", vbFixedSingle, true, "", true, false, true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Framed f(r.border, r.controlBox, r.caption);
        f.Show();
        gui::Pump();
        QWidget* w = qtui::WindowOf(f);
        const Qt::WindowFlags flags = w->windowFlags();
        EXPECT_EQ(bool(flags & Qt::WindowTitleHint), r.titleBar);
        EXPECT_EQ(bool(flags & Qt::WindowMaximizeButtonHint), r.maximize);
        EXPECT_EQ(bool(flags & Qt::WindowMinimizeButtonHint), r.minimize);
        EXPECT_EQ(w->minimumSize() == w->maximumSize(), r.fixed);
        EXPECT_EQ(w->contentsMargins().isNull(), r.titleBar) << "a frame of its own";
        EXPECT_EQ(qtui::ClientAreaOf(f)->size(), QSize(200, 100));
        ASSERT_NE(w->windowHandle(), nullptr);
        EXPECT_EQ(w->windowHandle()->title().trimmed(), QString(r.caption));
        EXPECT_EQ(w->windowTitle(), QString(r.caption));
    }
    QApplication::setApplicationName(name);
}

TEST_F(QtControls, ResizingTheWindowResizesTheForm) {
    auto f = Open();
    int resizes = 0;
    f->Resize = [&] { ++resizes; };
    qtui::WindowOf(*f)->resize(700, 500 + qtui::WindowOf(*f)->height() - qtui::ClientAreaOf(*f)->height());
    gui::Pump();
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(f->ScaleWidth(), 700 * 15);
    EXPECT_EQ(f->ScaleHeight(), 500 * 15);
    f->WindowState(vbMaximized);
    gui::Pump();
    EXPECT_TRUE(qtui::WindowOf(*f)->isMaximized());
}

TEST_F(QtControls, Screenshot) {
    auto f = Open();
    f->Text1.Text("Rolled oats");
    f->List1.ListIndex(1);
    f->Combo2.ListIndex(1);
    f->Check1.Value(vbChecked);
    f->HScroll1.Value(4);
    f->Picture1.Refresh();
    gui::Pump(50);
    std::string path = gui::ScreenshotPath("platform_all_controls");
    ASSERT_TRUE(qtui::Screenshot(*f, path));
    QImage shot(QString::fromStdString(path));
    EXPECT_EQ(shot.width(), 560);
}

}  // namespace
