// The food diary's commands on the Qt desktop, offscreen: the day printed through the real print
// dialog to a PDF file that is read back with pdftotext, the tray icon and its menu, the tray's
// stand-in on a desktop without a notification area, help with its search, the About box and the
// mail-link window.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QWindow>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTextBrowser>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/mealitem.h"
#include "calories/side/calAbout.h"
#include "calories/side/email.h"
#include "calories/program.h"
#include "gui/calories_gui.h"
#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/desktop.h"
#include "platform/qt/help.h"
#include "platform/qt/printer.h"
#include "platform/qt/qtui.h"
#include "platform/testing/pdf.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"

namespace {

namespace fs = std::filesystem;
using caltest::Eaten;

class CaloriesCommandsGui : public gui::CaloriesGui {
protected:
    CaloriesCommandsGui() {
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        SetGoals();
        WriteLog({Eaten("Oats, rolled, 100 g", "BREAKFAST", 1, "1", {380, 7, 0, 10, 66, 13}),
                  Eaten("Milk, whole, Cow, 100 g", "BREAKFAST", 1, "(2)", {146, 8, 24, 0, 11, 8}),
                  Eaten("Banana, ripe, 100 g", "SNACK -Morning", 1, "1", {116, 0, 0, 3, 27, 1}),
                  Eaten("Beef, round (leg), 100 g", "DINNER", 1, "1", {314, 14, 90, 0, 0, 46})});
    }
};

// The report comes out of the real print dialog as a PDF whose lines stand in the report's order.
TEST_F(CaloriesCommandsGui, TheDayPrintedToPdf) {
    calories::calmain& main = Open();
    ASSERT_EQ(main.Label23[0].Caption(), "956");
    qtui::QtPrinter& printer = host->Printer();
    printer.SetPdfFolder((env.Root() / "pdf").string());
    printer.Device().setOutputFormat(QPrinter::PdfFormat);  // never a real printer from a test
    bool asked = false;
    gui::WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        asked = true;
        dialog->accept();
    });
    drive::Click(main.Command5);
    EXPECT_TRUE(asked);
    const fs::path pdf = printer.LastPdf();
    ASSERT_FALSE(pdf.empty());
    ASSERT_TRUE(fs::exists(pdf));

    const std::string text = drive::OneBlank(drive::PdfText(pdf));
    ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) is needed";
    std::size_t at = 0;
    for (const char* line :
         {"Vantorel by Lumbreck", "Vantorel\n", "-----------------------------------",
          "Food Name Serv Cal Fat Chole Fib Carb Pro", "- BREAKFAST", "Oats, rolled, 100 g 1 380 7 0 10 66 13",
          "Milk, whole, Cow, 100 g (2) 146 8 24 0 11 8", "--- Totals Breakfast --- 526 15 24 10 77 21",
          "- SNACK - Morning", "Banana, ripe, 100 g 1 116 0 0 3 27 1", "--- Totals snack Morining --- 116 0 0 3 27 1",
          "- DINNER", "Beef, round (leg), 100 g 1 314 14 90 0 0 46", "--- Totals Dinner --- 314 14 90 0 0 46",
          "TOTALS FOR DAY 956 c 29 g 114 mg 13 g 104 g 68 g", "% of Goal for Today 48% 45% 38% 43% 35% 136%",
          "Before starting any diet,please obtain your doctor's approval."}) {
        const std::size_t found = text.find(line, at);
        EXPECT_NE(found, std::string::npos) << "\"" << line << "\" after offset " << at << " in\n" << text;
        if (found != std::string::npos) at = found;
    }
    EXPECT_TRUE(drive::PdfPageToPng(pdf, 1, gui::ScreenshotPath("calories_printout"), 100));
}

// Qt's icon window on X11, in small: a click on it is the icon's activation, and the window is
// deleted when the icon hides. So an icon that hides while its own click is handled leaves that
// click delivered to a freed window.
class IconWindow : public QWidget {
public:
    explicit IconWindow(QSystemTrayIcon* icon) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), icon_(icon) {
        resize(22, 22);
    }
    bool removedDuringItsClick = false;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        Activate(e->button() == Qt::RightButton ? QSystemTrayIcon::Context : QSystemTrayIcon::Trigger);
    }
    void mouseDoubleClickEvent(QMouseEvent*) override { Activate(QSystemTrayIcon::DoubleClick); }

private:
    void Activate(QSystemTrayIcon::ActivationReason reason) {
        if (!icon_) return;
        emit icon_->activated(reason);
        if (!icon_ || !icon_->isVisible()) removedDuringItsClick = true;
    }
    QPointer<QSystemTrayIcon> icon_;
};

QAction* ActionNamed(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text().remove(QChar('&')) == text) return a;
    return nullptr;
}

// The icon's menu, chosen by mouse and by keys, and the double click: each ends its own click with
// the icon still there, and the icon goes after it. "show" brings the window back; "Exit" ends the
// program as File, Exit does, with the day and the period written.
TEST_F(CaloriesCommandsGui, TheIconsMenuAndDoubleClickRemoveTheIconAfterItsClick) {
    host->Desktop().SetHasTray([] { return true; });
    const auto byMouse = [](const QString& item) {
        return [item](QWidget* popup) {
            auto* menu = qobject_cast<QMenu*>(popup);
            ASSERT_NE(menu, nullptr);
            QAction* action = ActionNamed(menu, item);
            ASSERT_NE(action, nullptr) << item.toStdString();
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        };
    };
    const auto byKeys = [](Qt::Key key) {
        return [key](QWidget*) {
            gui::Press(key);
            gui::Press(Qt::Key_Return);
        };
    };
    const struct Row {
        const char* how;
        bool exits;
        std::function<void(QWidget*)> choose;  // nothing: a double click
    } rows[] = {
        {"show by mouse", false, byMouse("show")},
        {"show by Down, Enter", false, byKeys(Qt::Key_Down)},
        {"double click", false, nullptr},
        {"Exit by mouse", true, byMouse("Exit")},
        {"Exit by Up, Enter", true, byKeys(Qt::Key_Up)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.how);
        if (!app || !app->LoadedMainform()) {
            Quit();
            Open();
        }
        calories::calmain& main = this->main();
        const std::size_t logged = ReadLog().size();
        if (r.exits) {
            SendFood("Beef, chops, 100 g");
            fs::remove(Data("period1.dat"));
            fs::remove(env.WindowsDir() / "calories.INI");
        }
        drive::Click(main.Command6);
        QPointer<QSystemTrayIcon> icon = host->Desktop().TrayIcon(1);
        ASSERT_FALSE(icon.isNull());
        EXPECT_FALSE(main.Visible());
        IconWindow window(icon);
        window.show();
        if (r.choose) {
            gui::WhenPopup(r.choose);
            QTest::mouseClick(&window, Qt::RightButton);
        } else {
            QTest::mouseDClick(&window, Qt::LeftButton);
        }
        EXPECT_FALSE(window.removedDuringItsClick);
        EXPECT_EQ(host->Desktop().TrayIcon(1), nullptr);
        gui::Pump(20);
        EXPECT_TRUE(icon.isNull()) << "the icon goes once its click is over";
        if (!r.exits) {
            EXPECT_TRUE(main.Visible());
            EXPECT_TRUE(qtui::WindowOf(main)->isVisible());
            continue;
        }
        EXPECT_FALSE(app->LoadedMainform());
        const std::vector<calories::MealItem> log = ReadLog();
        ASSERT_EQ(log.size(), logged + 1) << "the food sent today is written";
        EXPECT_EQ(vb::RTrim(log.back().name.str()), "Beef, chops, 100 g");
        EXPECT_EQ(Ini(calories::kDateSection, calories::kStartDate), "Mar 09/26");
        EXPECT_EQ(Ini(calories::kDateSection, calories::kNumberOfDays), "1");
        EXPECT_EQ(Ini(calories::kDateSection, calories::kAverageView), "False");
    }
}

// Offscreen there is no notification area: the window goes to the task bar, minimized, and a notice
// says so. The notice stays in sight, a window of its own that nothing owns (a window manager
// minimizes a window's dialogs with it), and its button brings the window back.
TEST_F(CaloriesCommandsGui, TrayStandInWithoutANotificationArea) {
    calories::calmain& main = Open();
    QWidget* window = qtui::WindowOf(main);
    for (const bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "back by the notice's button" : "back from the task bar");
        drive::Click(main.Command6);
        gui::Pump(20);
        EXPECT_TRUE(window->isMinimized());
        QWidget* notice = host->Desktop().NoTrayNotice();
        ASSERT_NE(notice, nullptr);
        EXPECT_TRUE(notice->isVisible());
        EXPECT_FALSE(notice->isMinimized());
        EXPECT_EQ(notice->parentWidget(), nullptr);
        EXPECT_EQ(notice->windowType(), Qt::Window);
        ASSERT_NE(notice->windowHandle(), nullptr);
        EXPECT_EQ(notice->windowHandle()->transientParent(), nullptr);
        if (byButton) {
            EXPECT_TRUE(notice->grab().save(QString::fromStdString(gui::ScreenshotPath("calories_no_tray_notice"))));
            QTest::mouseClick(gui::FindChild<QPushButton>(notice, "Show the window"), Qt::LeftButton);
        } else {
            window->showNormal();
        }
        gui::Pump(20);
        EXPECT_TRUE(main.Visible());
        EXPECT_FALSE(window->isMinimized());
        EXPECT_FALSE(host->Desktop().StandInActive());
        EXPECT_EQ(host->Desktop().NoTrayNotice(), nullptr) << "the notice goes with the stand-in";
    }
}

TEST_F(CaloriesCommandsGui, StatusBarDatePanelShowsWhole) {
    calories::calmain& main = Open();
    auto* bar = qobject_cast<QStatusBar*>(qtui::WidgetOf(main.sbStatusBar));
    ASSERT_NE(bar, nullptr);
    const QList<QLabel*> panels = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panels.size(), 3);
    QLabel* date = panels[2];
    EXPECT_TRUE(date->text().startsWith(QStringLiteral("Todays Date: ")));
    EXPECT_GE(date->width(), date->sizeHint().width());
    EXPECT_LT(date->geometry().right(), bar->width() - 1) << "its frame stands inside the window";
    Shoot(main, "main_statusbar");
}

TEST_F(CaloriesCommandsGui, HelpContentsAndSearch) {
    calories::calmain& main = Open();
    ASSERT_FALSE(forms::App().HelpFile().empty()) << "the help pages come with the data";
    drive::ChooseMenu(main.mnuHelpSearch);
    gui::Pump(20);
    qtui::HelpWindow* help = host->Desktop().Help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(fs::path(help->CurrentPage()).filename(), "index.html");
    EXPECT_TRUE(help->findChild<QDockWidget*>()->isVisible());
    QTest::keyClicks(help->SearchBox(), "tray icon");
    QTest::keyClick(help->SearchBox(), Qt::Key_Return);
    ASSERT_GE(help->Results()->count(), 1);
    EXPECT_EQ(help->Results()->item(0)->text(), "Vantorel help contents");
    EXPECT_TRUE(help->Browser()->textCursor().hasSelection());
    EXPECT_TRUE(help->grab().save(QString::fromStdString(gui::ScreenshotPath("calories_help_search"))));
    EXPECT_TRUE(help->Search(QStringLiteral("zebra crossing")).empty());
}

TEST_F(CaloriesCommandsGui, AboutBoxAndMailLinkWindow) {
    calories::calmain& main = Open();
    drive::ChooseMenu(main.mnuHelpAbout);
    gui::Pump(20);
    calories::calAbout& about = app->calAbout();
    for (const forms::Control* c : about.Controls()) EXPECT_NE(qtui::WidgetOf(*c), nullptr) << c->Name();
    Shoot(about, "about");
    drive::Click(about.cmdOK);

    app->personalfile = (env.CurrentDir() / "breakfasts.per").string();
    drive::ChooseMenu(main.mnudisplay);
    gui::Pump(20);
    calories::email& mail = app->email();
    for (const forms::Control* c : mail.Controls()) EXPECT_NE(qtui::WidgetOf(*c), nullptr) << c->Name();
    drive::Click(mail.Command3);
    gui::Pump(20);
    Shoot(mail, "email");
    drive::Click(mail.Command2);
}

}  // namespace
