// The Qt desktop services: message and input boxes, file dialogs, printing to PDF, metrics, help,
// the tray without a tray, modal forms, MDI and big lists.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <functional>

#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/backend.h"
#include "platform/qt/desktop.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/help.h"
#include "platform/qt/printer.h"
#include "platform/qt/qtui.h"
#include "platform/services/commondialog.h"
#include "platform/services/desktop.h"
#include "platform/services/dialogs.h"
#include "platform/services/host.h"
#include "platform/testing/temp_env.h"
#include "support/needed_libraries.h"

namespace {

namespace fs = std::filesystem;
using namespace forms;
using services::MsgBox;

class QtServices : public ::testing::Test {
protected:
    void SetUp() override { App().Title("Vantorel"); }
    void TearDown() override {
        ResetApplication();
        gui::Pump();
    }
    ::drive::TempEnvironment env;
    qtui::QtHost host;
};

QAbstractButton* ButtonOf(QMessageBox* box, QMessageBox::StandardButton b) { return box->button(b); }

TEST_F(QtServices, MessageBoxesShowStyleAndAnswer) {
    const struct {
        const char* name;
        int style;
        QMessageBox::Icon icon;
        std::vector<QMessageBox::StandardButton> buttons;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton press;
        int answer;
    } rows[] = {
        {"ok only", services::vbOKOnly, QMessageBox::NoIcon, {QMessageBox::Ok}, QMessageBox::Ok, QMessageBox::Ok, services::vbOK},
        {"question, second default", services::vbYesNoCancel | services::vbQuestion | services::vbDefaultButton2,
         QMessageBox::Question, {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, QMessageBox::No,
         QMessageBox::Cancel, services::vbCancel},
        {"critical retry", services::vbRetryCancel | services::vbCritical, QMessageBox::Critical,
         {QMessageBox::Retry, QMessageBox::Cancel}, QMessageBox::Retry, QMessageBox::Retry, services::vbRetry},
        {"exclamation, third default", services::vbAbortRetryIgnore | services::vbExclamation | services::vbDefaultButton3,
         QMessageBox::Warning, {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}, QMessageBox::Ignore,
         QMessageBox::Abort, services::vbAbort},
        {"information yes/no", services::vbYesNo | services::vbInformation, QMessageBox::Information,
         {QMessageBox::Yes, QMessageBox::No}, QMessageBox::Yes, QMessageBox::No, services::vbNo},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        bool seen = false;
        gui::WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->windowTitle(), "Vantorel");  // App.Title for an empty title
            EXPECT_EQ(box->text(), "Save the day?\nIt changed.");
            EXPECT_EQ(box->icon(), r.icon);
            EXPECT_EQ(box->buttons().size(), static_cast<qsizetype>(r.buttons.size()));
            for (auto b : r.buttons) EXPECT_NE(ButtonOf(box, b), nullptr);
            EXPECT_EQ(box->defaultButton(), ButtonOf(box, r.defaultButton));
            // A box of its own size: neither maximized nor resized.
            EXPECT_FALSE(box->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
            EXPECT_EQ(box->minimumSize(), box->maximumSize());
            QTest::mouseClick(ButtonOf(box, r.press), Qt::LeftButton);
        });
        EXPECT_EQ(MsgBox("Save the day?\r\nIt changed.", r.style), r.answer);
        EXPECT_TRUE(seen);
    }
}

TEST_F(QtServices, MessageBoxHelpShowsTheTopicAndKeepsTheQuestion) {
    fs::create_directories("help");
    ::drive::TempEnvironment::WriteFile("help/330.html", "<html><head><title>Units</title></head><body>Units</body></html>");
    int shown = 0;
    std::function<void(QWidget*)> answer = [&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        if (++shown == 1) {
            QTest::mouseClick(box->button(QMessageBox::Help), Qt::LeftButton);
            gui::WhenModal(answer);
        } else {
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        }
    };
    gui::WhenModal(answer);
    EXPECT_EQ(MsgBox("Bad unit", services::vbOKOnly, "Units", "Sorvella Help.HLP", 330), services::vbOK);
    EXPECT_EQ(shown, 2);
    ASSERT_NE(host.Desktop().Help(), nullptr);
    EXPECT_EQ(fs::path(host.Desktop().Help()->CurrentPage()).filename(), "330.html");
}

TEST_F(QtServices, InputBoxReturnsTheTextOrNothing) {
    gui::WhenModal([](QWidget* w) {
        auto* dlg = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->labelText(), "Name of the food:");
        auto* edit = dlg->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, "Cr");
        edit->insert(QString::fromUtf8("\xC3\xAA"));  // typed with a dead key
        QTest::keyClicks(edit, "pe");
        dlg->accept();
    });
    EXPECT_EQ(services::InputBox("Name of the food:", "", "Oats"), "Cr\xEApe");
    gui::WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(services::InputBox("Name of the food:", "", "Oats"), "");
}

TEST_F(QtServices, FilterTextsBecomeQtNameFilters) {
    const struct {
        const char* filter;
        QStringList expected;
    } rows[] = {
        {"Day files (*.dat)|*.dat", {"Day files (*.dat)"}},
        {"Text|*.txt;*.text|All Files|*.*", {"Text (*.txt *.text)", "All Files (*)"}},
        {"Recipes (*.rcp)|*.rcp|All (*.*)|*.*", {"Recipes (*.rcp)", "All (*)"}},
        {"", {}},
    };
    for (const auto& r : rows) EXPECT_EQ(qtui::NameFilters(r.filter), r.expected) << r.filter;
}

TEST_F(QtServices, FileDialogReturnsThePathAndFilter) {
    class Host : public Form {
    public:
        Host() : Form("frmHost") {}
    } form;
    services::CommonDialog dlg(form, "CommonDialog1");
    dlg.Filter("Day files (*.dat)|*.dat|All files (*.*)|*.*").FilterIndex(2).DefaultExt("dat").CancelError(true);
    dlg.InitDir(env.CurrentDir().string());
    gui::WhenModal([](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(fd, nullptr);
        EXPECT_EQ(fd->selectedNameFilter(), "All files (*)");
        fd->selectFile(QStringLiteral("monday"));
        static_cast<QDialog*>(fd)->accept();  // as the Save button does
    });
    ASSERT_TRUE(dlg.ShowSave());
    EXPECT_EQ(fs::path(dlg.FileName()), env.CurrentDir() / "monday.dat");
    EXPECT_EQ(dlg.FileTitle(), "monday.dat");
    gui::WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    try {
        dlg.ShowOpen();
        ADD_FAILURE() << "Cancel with CancelError must raise";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, vb::errCancel);
    }
}

// An open dialog that may create its file asks first when the chosen file is not there; No goes
// back to the dialog.
TEST_F(QtServices, OpenDialogAsksBeforeNamingAFileThatIsNotThere) {
    class Host : public Form {
    public:
        Host() : Form("frmHost") {}
    } form;
    services::CommonDialog dlg(form, "CommonDialog1");
    dlg.Filter("PER files (*.per)|*.per").DefaultExt("PER").CancelError(true);
    dlg.Flags(services::cdlOFNCreatePrompt).InitDir(env.CurrentDir().string());
    auto choose = [](const char* name, QMessageBox::StandardButton answer, std::function<void()> next) {
        gui::WhenModal([=](QWidget* w) {
            auto* fd = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(fd, nullptr);
            fd->selectFile(QString::fromUtf8(name));
            static_cast<QDialog*>(fd)->accept();
            gui::WhenModal([=](QWidget* box) {
                auto* mb = qobject_cast<QMessageBox*>(box);
                ASSERT_NE(mb, nullptr);
                EXPECT_TRUE(mb->text().contains(QString::fromUtf8(name))) << mb->text().toStdString();
                mb->button(answer)->click();
                if (next) next();
            });
        });
    };
    choose("fresh.per", QMessageBox::No, [] { gui::WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); }); });
    EXPECT_THROW(dlg.ShowOpen(), vb::Error);
    choose("fresh.per", QMessageBox::Yes, nullptr);
    ASSERT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(fs::path(dlg.FileName()), env.CurrentDir() / "fresh.per");
    EXPECT_FALSE(fs::exists(env.CurrentDir() / "fresh.per")) << "the caller creates it";

    // A file that is there is taken without a question.
    ::drive::TempEnvironment::WriteFile(env.CurrentDir() / "old.per", "");
    gui::WhenModal([](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(fd, nullptr);
        fd->selectFile(QStringLiteral("old.per"));
        static_cast<QDialog*>(fd)->accept();
    });
    ASSERT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(fs::path(dlg.FileName()), env.CurrentDir() / "old.per");
}

// Whatever printers the machine has, the tests see none (and so never print on them).
TEST_F(QtServices, TheMachinesPrintersAreNotSeen) {
    EXPECT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty());
    EXPECT_TRUE(QPrinterInfo::defaultPrinter().isNull());
    EXPECT_EQ(host.Printer().Device().outputFormat(), QPrinter::PdfFormat);
}

TEST_F(QtServices, PrintingWithoutPrinterWritesPdfAndSaysWhere) {
    std::vector<std::string> notices;
    host.Printer().SetPdfFolder((env.Root() / "pdf").string());
    host.Printer().SetPdfNotice([&](const std::string& path) { notices.push_back(path); });
    services::Printer& p = services::printer();
    services::PageSetup page = host.Printer().Page();
    EXPECT_NEAR(page.width - page.printableWidth, 720, 1);  // quarter-inch margins
    p.FontName("Arial");
    p.FontSize(12);
    p.FontBold(true);
    p.Print({"Day report"});
    p.FontBold(false);
    p.FontSize(10);
    for (int i = 0; i < 80; ++i) p.Print({"Food " + std::to_string(i), Tab(40), 100 + i});
    p.Box(0, 0, 1440, 720);
    p.EndDoc();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], host.Printer().LastPdf());
    EXPECT_EQ(fs::path(notices[0]).parent_path(), env.Root() / "pdf");
    QFile pdf(QString::fromStdString(notices[0]));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 2);  // 81 lines of 10-point text
}

TEST_F(QtServices, PrintDialogChoosesWhereTheNextDocumentGoes) {
    class Host : public Form {
    public:
        Host() : Form("frmHost") {}
    } form;
    services::CommonDialog dlg(form, "CommonDialog1");
    dlg.CancelError(true);
    gui::WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_THROW(dlg.ShowPrinter(), vb::Error);
    std::string chosen = (env.Root() / "chosen.pdf").string();
    host.Printer().SetPdfFolder((env.Root() / "pdf").string());
    gui::WhenModal([&](QWidget* w) {
        auto* file = w->findChild<QLineEdit*>(QStringLiteral("filename"));
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(file->text().startsWith(QString::fromStdString((env.Root() / "pdf" / "Vantorel ").string())));
        file->setText(QString::fromStdString(chosen));  // the user names the file
        qobject_cast<QDialog*>(w)->accept();
    });
    EXPECT_TRUE(dlg.ShowPrinter());
    host.Printer().SetPdfNotice(nullptr);
    services::printer().Print({"One line"});
    services::printer().EndDoc();
    EXPECT_EQ(host.Printer().LastPdf(), chosen);
    EXPECT_TRUE(fs::exists(chosen));
}

TEST_F(QtServices, RealArialMetricsAgreeWithTheHelveticaTable) {
    qtui::QtFontMetrics screen, paper(1200);
    FixedMetrics table;
    Font arial{"Arial", 10};
    for (const char* text : {"Food Name", "Total calories 1234", "Wm"}) {
        EXPECT_NEAR(paper.TextWidth(arial, text), table.TextWidth(arial, text), table.TextWidth(arial, text) * 0.02) << text;
        EXPECT_NEAR(screen.TextWidth(arial, text), table.TextWidth(arial, text), table.TextWidth(arial, text) * 0.1) << text;
    }
    EXPECT_GT(paper.LineHeight(arial), 200);
    EXPECT_LT(paper.LineHeight(arial), 260);
}

TEST_F(QtServices, HelpPagesAreFoundBesideTheDataOrTheProgram) {
    fs::create_directories("help/Sorvella Help");
    fs::create_directories("prog/help");
    ::drive::TempEnvironment::WriteFile("help/Sorvella Help/1000.html", "x");
    ::drive::TempEnvironment::WriteFile("help/320.html", "x");
    ::drive::TempEnvironment::WriteFile("prog/help/index.html", "x");
    App().Path((env.CurrentDir() / "prog").string());
    const struct {
        int command;
        long context;
        std::string expected;
    } rows[] = {
        {services::HELP_CONTEXT, 1000, "help/Sorvella Help/1000.html"},
        {services::HELP_CONTEXT, 320, "help/320.html"},
        {services::HELP_CONTENTS, 0, "prog/help/index.html"},
        {services::HELP_CONTEXT, 999, ""},
        {services::HELP_QUIT, 0, ""},
    };
    for (const auto& r : rows) {
        std::string found = qtui::FindHelpPage({"Sorvella Help.HLP", r.command, r.context});
        std::string expected = r.expected.empty() ? "" : (env.CurrentDir() / r.expected).string();
        EXPECT_EQ(found, expected) << r.context;
    }
    services::ShowHelp("Sorvella Help.HLP", services::HELP_CONTEXT, 320);
    ASSERT_NE(host.Desktop().Help(), nullptr);
    EXPECT_TRUE(host.Desktop().Help()->isVisible());
    EXPECT_EQ(host.Desktop().Help()->CurrentPage(), (env.CurrentDir() / "help/320.html").string());
    services::ShowHelp("Sorvella Help.HLP", services::HELP_QUIT);
    EXPECT_FALSE(host.Desktop().Help()->isVisible());
    // A shipped page, for the look.
    App().Path(std::string(VT_SOURCE_DIR) + "/data/help");
    services::ShowHelp("recipe.hlp", services::HELP_CONTEXT, 320);
    gui::Pump();
    EXPECT_EQ(host.Desktop().Help()->windowTitle(), "Building and analysing a recipe");
    EXPECT_TRUE(host.Desktop().Help()->grab().save(QString::fromStdString(gui::ScreenshotPath("platform_help"))));
}

// Escape, pressed where the keyboard is in the active window, closes the help (on its page and in
// its search box) and the no-tray notice.
TEST_F(QtServices, EscapeClosesTheHelpAndTheNoTrayNotice) {
    ::drive::TempEnvironment::WriteFile("help/index.html", "<html><title>Contents</title><body>Tray icon</body></html>");
    qtui::QtDesktop& desktop = host.Desktop();
    const auto help = [&](int command) {
        services::ShowHelp("Sorvella Help.HLP", command);
        return static_cast<QWidget*>(desktop.Help());
    };
    const struct {
        const char* name;
        std::function<QWidget*()> open;  // the window, with the keyboard where it should be
    } rows[] = {
        {"help page",
         [&] {
             QWidget* w = help(services::HELP_CONTENTS);
             desktop.Help()->Browser()->setFocus();
             return w;
         }},
        {"help search box", [&] { return help(services::HELP_PARTIALKEY); }},
        {"no-tray notice",
         [&] {
             desktop.ShowNoTrayNotice();
             return desktop.NoTrayNotice();
         }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        QPointer<QWidget> window = r.open();
        ASSERT_FALSE(window.isNull());
        window->activateWindow();
        ASSERT_TRUE(gui::PumpUntil([&] { return QApplication::activeWindow() == window; }, 5000));
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        ASSERT_EQ(focus->window(), window.data());
        QTest::keyClick(focus, Qt::Key_Escape);
        gui::Pump();
        EXPECT_TRUE(window.isNull() || !window->isVisible()) << "focus in " << focus->metaObject()->className();
    }
}

class MainWindow : public Form {
public:
    MainWindow() : Form("frmMain") {
        Caption("Main");
        ClientSize(4500, 3000);
        Command1.Caption("Hide").Move(120, 120, 1200, 390);
    }
    CommandButton Command1{*this, "Command1"};
};

TEST_F(QtServices, WithoutTrayTheWindowStaysReachable) {
    int notices = 0;
    host.Desktop().SetNoTrayNotice([&] { ++notices; });
    MainWindow main;
    main.Show();
    std::vector<int> messages;
    services::TrayIcon icon;
    icon.tip = std::string("Vantorel (double click or right click to select)\0", 50);
    icon.callback = [&](int m) {
        messages.push_back(m);
        if (m == services::WM_LBUTTONDBLCLK) {
            main.Show();
            services::TrayDelete(1);
        }
    };
    EXPECT_TRUE(services::TrayAdd(icon));  // offscreen has no tray: the task bar stands in
    EXPECT_TRUE(services::TrayAdd(icon));
    EXPECT_EQ(notices, 1);
    main.Hide();
    gui::Pump();
    QWidget* w = qtui::WindowOf(main);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isMinimized());
    w->showNormal();  // the user restores it from the task bar
    gui::Pump();
    EXPECT_EQ(messages, services::TrayMessages(services::TrayActivation::DoubleClick));
    EXPECT_TRUE(main.Visible());
    EXPECT_FALSE(host.Desktop().StandInActive());
    main.Hide();
    gui::Pump();
    EXPECT_FALSE(w->isVisible());  // no icon any more: hiding hides
}

class Dialog : public Form {
public:
    Dialog() : Form("frmDialog") {
        Caption("Pick");
        BorderStyle(vbFixedDialog);
        ClientSize(3000, 1500);
        cmdOK.Caption("OK").Default(true).Move(900, 600, 1200, 390);
        cmdOK.Click = [this] {
            answer = services::MsgBox("Sure?", services::vbYesNo);
            Hide();
        };
    }
    CommandButton cmdOK{*this, "cmdOK"};
    int answer = 0;
};

TEST_F(QtServices, ShowModalRunsUntilTheFormHides) {
    MainWindow main;
    main.Show();
    Dialog dialog;
    gui::WhenModal([&](QWidget* w) {
        EXPECT_EQ(w, qtui::WindowOf(dialog));
        gui::WhenModal([](QWidget* box) {
            QTest::mouseClick(qobject_cast<QMessageBox*>(box)->button(QMessageBox::No), Qt::LeftButton);
        });
        QTest::mouseClick(qtui::WidgetOf(dialog.cmdOK), Qt::LeftButton);
    });
    dialog.ShowModal();
    EXPECT_EQ(dialog.answer, services::vbNo);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(qtui::WindowOf(dialog)->isVisible());
}

class MdiParent : public Form {
public:
    MdiParent() : Form("frmMDI") {
        MDIForm(true);
        Caption("Recipes");
        ClientSize(9000, 6000);
        mnuFile.Caption("&File");
        mnuFileExit.Caption("E&xit");
        Toolbar1.Move(0, 0, 9000, 450);
        Toolbar1.AddTool("New").Caption("New");
    }
    Menu mnuFile{*this, "mnuFile"};
    Menu mnuFileExit{mnuFile, "mnuFileExit"};
    Toolbar Toolbar1{*this, "Toolbar1"};
};

class MdiChild : public Form {
public:
    explicit MdiChild(MdiParent& parent) : Form("frmChild") {
        MDIParent(parent);
        Caption("Analysis");
        Move(300, 300, 4500, 3000);
        mnuEdit.Caption("&Edit");
        mnuEditCopy.Caption("&Copy");
        Label1.Caption("Servings").Move(120, 120, 1500, 270);
    }
    Menu mnuEdit{*this, "mnuEdit"};
    Menu mnuEditCopy{mnuEdit, "mnuEditCopy"};
    Label Label1{*this, "Label1"};
};

TEST_F(QtServices, MdiChildrenLiveInTheirParent) {
    MdiParent parent;
    MdiChild child(parent);
    child.Show();  // shows the parent first
    gui::Pump();
    ASSERT_TRUE(parent.Visible());
    auto* sub = qobject_cast<QMdiSubWindow*>(qtui::WindowOf(child));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->mdiArea(), qtui::ClientAreaOf(parent)->findChild<QMdiArea*>());
    EXPECT_EQ(sub->mdiArea()->geometry().top(), 30);  // below the toolbar
    EXPECT_EQ(qtui::ClientAreaOf(child)->size(), QSize(static_cast<int>(child.ScaleWidth()) / 15, static_cast<int>(child.ScaleHeight()) / 15));
    // The active child's menus take the parent's menu bar.
    auto* bar = static_cast<QMainWindow*>(qtui::WindowOf(parent))->menuBar();
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions().at(0)->text(), "&Edit");
    EXPECT_TRUE(qtui::Screenshot(parent, gui::ScreenshotPath("platform_mdi")));
    // The area around the child shows the MDI background, the child its own colour.
    const QImage shot = qtui::ClientAreaOf(parent)->grab().toImage();
    const QMdiArea* area = sub->mdiArea();
    EXPECT_EQ(shot.pixel(area->geometry().bottomRight() - QPoint(5, 5)), area->background().color().rgb());
    const QPoint inChild = sub->mapTo(qtui::ClientAreaOf(parent), qtui::ClientAreaOf(child)->geometry().bottomRight() - QPoint(5, 5));
    EXPECT_EQ(shot.pixel(inChild), qtui::ClientAreaOf(child)->palette().color(QPalette::Window).rgb());
    Unload(child);
    gui::Pump();
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions().at(0)->text(), "&File");
}

class BigList : public Form {
public:
    BigList() : Form("frmBig") {
        ClientSize(4500, 4500);
        List1.Move(0, 0, 4500, 4500);
    }
    ListBox List1{*this, "List1"};
};

TEST_F(QtServices, BigListsScrollAndChoose) {
    BigList f;
    f.Show();
    for (int i = 0; i < 30000; ++i) f.List1.AddItem("Item " + std::to_string(i));
    auto* view = qobject_cast<QListView*>(qtui::WidgetOf(f.List1));
    ASSERT_NE(view, nullptr);
    gui::Pump();  // a fill reaches the view in one go
    EXPECT_EQ(view->model()->rowCount(), 30000);
    f.List1.AddItem("One more", 0);  // a single change reaches it at once
    EXPECT_EQ(view->model()->rowCount(), 30001);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "One more");
    f.List1.RemoveItem(0);
    f.List1.ListIndex(29990);  // scrolls it into view
    gui::Pump();
    EXPECT_GT(f.List1.TopIndex(), 29900);
    EXPECT_EQ(view->verticalScrollBar()->value(), f.List1.TopIndex());
    QModelIndex last = view->model()->index(29999, 0);
    view->scrollTo(last);
    gui::Pump();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(last).center());
    EXPECT_EQ(f.List1.ListIndex(), 29999);
    EXPECT_EQ(f.List1.Text(), "Item 29999");
    view->verticalScrollBar()->setValue(100);  // the user drags the thumb
    EXPECT_EQ(f.List1.TopIndex(), 100);
}

TEST_F(QtServices, ProgramsStartDetached) {
    EXPECT_GT(services::StartProgram("true --ignored \"two words\""), 0);
    try {
        services::StartProgram("no-such-program-here");
        ADD_FAILURE() << "a missing program must raise";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, vb::errFileNotFound);
    }
}

// The sound library is opened on the first sound, not at start-up; without it there is no sound.
TEST(QtSoundLibrary, OpenedOnFirstUseAndMissingOneNamed) {
    std::string why;
    const qtui::CanberraApi* ca = qtui::LoadCanberra(qtui::kCanberraLibrary, &why);
    ASSERT_NE(ca, nullptr) << why;
    EXPECT_EQ(qtui::LoadCanberra(qtui::kCanberraLibrary, nullptr), ca);  // loaded once
    EXPECT_NE(ca->context_play_full, nullptr);

    EXPECT_EQ(qtui::LoadCanberra("libcanberra-not-installed.so.0", &why), nullptr);
    EXPECT_NE(why.find("libcanberra-not-installed.so.0 could not be loaded"), std::string::npos) << why;

    // Neither the programs nor this test program have the sound or the mail library linked in.
    for (const std::string exe : {"/proc/self/exe", VT_BUILD_DIR "/calories/calories", VT_BUILD_DIR "/recipe/recipe"}) {
        SCOPED_TRACE(exe);
        if (exe != "/proc/self/exe" && !fs::exists(exe)) continue;
        EXPECT_TRUE(testsupport::Needs(exe, "libQt6Widgets"));
        EXPECT_FALSE(testsupport::Needs(exe, "libcanberra"));
        EXPECT_FALSE(testsupport::Needs(exe, "libcurl"));
    }
}

TEST_F(QtServices, SoundFailsQuietly) {
    EXPECT_FALSE(services::PlaySound("no such.wav", true));
    services::PlaySound(std::string(VT_SOURCE_DIR) + "/data/recipe/LV6.wav", false);  // with or without a device
}

}  // namespace
