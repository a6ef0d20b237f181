// The stored-recipes screen on the Qt desktop, offscreen: a recipe shown with its panel, the mail
// window (with a send cancelled under its "Sending..." indicator), and the printout, which goes to
// a PDF file (no printer here) that is read back with pdftotext and whose first page is rendered
// with pdftoppm. Screenshots land under the build folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "gui/recipe_gui.h"
#include "platform/core/text.h"
#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/qt/printer.h"
#include "platform/qt/qtui.h"
#include "platform/services/smtp.h"
#include "platform/testing/pdf.h"
#include "platform/testing/smtp_server.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/viewer/frmEmail.h"
#include "recipe/store/grammar.h"
#include "recipe/store/ingrecord.h"

namespace {

namespace fs = std::filesystem;
namespace g = recipe::grammar;
using gui::Pump;
using gui::PumpUntil;

recipe::IngRecord Ingredient(const std::string& name, const std::string& unit1, float qty1, const std::string& unit2,
                             float qty2, float fat, float carbs, float protein, int chol = 0, float sodium = 0) {
    return recipetest::With(recipetest::Ing(name, unit1, qty1, unit2, qty2),
                            {.Fat = fat, .SatFat = fat / 3, .Chol = chol, .Sodium = sodium, .TotalCarbs = carbs,
                             .Fiber = carbs / 30, .Protein = protein});
}

class RecipeViewerGui : public gui::RecipeGuiTest {
protected:
    RecipeViewerGui() {
        recipe::IngRecord egg = Ingredient("Egg", "egg", 1, "g", 50, 5, 0.6f, 6.3f, 186, 70);
        egg.UniqueMeasure = vb::True;
        egg.MeasureKind = recipe::kWeightOnly;
        WriteIngredients({Ingredient("Flour", "cup", 1, "g", 120, 1, 92, 13, 0, 3), egg,
                          Ingredient("Milk", "cup", 1, "g", 245, 8, 12, 8, 24, 105),
                          Ingredient("Butter", "tbs", 1, "g", 14, 11.5f, 0, 0.1f, 31, 90),
                          Ingredient("Sugar", "tbs", 1, "g", 12.5f, 0, 12.5f, 0),
                          Ingredient("Baking powder", "tsp", 1, "g", 4.6f, 0, 1.3f, 0, 0, 488)});
        const std::string pancakes = g::RecipeRecord(
            "Pancakes", "4",
            {g::HeadingLine("Batter"), g::IngredientLine("Flour", true, "1 1/2", "cup"),
             g::IngredientLine("Baking powder", true, "2", "tsp"), g::IngredientLine("Sugar", true, "1", "tbs"),
             g::IngredientLine("Milk", true, "1 1/4", "cup"), g::IngredientLine("Egg", true, "1", "egg"),
             g::IngredientLine("Butter", false, "3", "tbs"), g::HeadingLine(" "), g::HeadingLine("To serve"),
             g::IngredientLine("Butter", true, "1", "tbs")},
            "Whisk the flour, baking powder and sugar together in a large bowl. Beat the milk, egg and melted "
            "butter in a jug, pour it into the dry ingredients and stir until just combined; a few lumps are "
            "fine.\r\n\r\nHeat a pan over medium heat, pour in a quarter cup of batter for each pancake and cook "
            "until bubbles form, then turn it over.\r\nServe warm with butter.");
        const std::string bread = g::RecipeRecord("Bread", "1/2", {g::IngredientLine("Flour", true, "3", "cup")}, "Bake.");
        WriteRecipes(bread + pancakes + "\r\n");
    }
};

TEST_F(RecipeViewerGui, ShowMailAndPrintARecipe) {
    ASSERT_TRUE(Open());
    recipe::InterfaceFrm& main = app->Interface();
    recipe::ViewFrm& view = app->ViewFrm();
    drive::ClickTool(main.TopBar, "Recipes");
    drive::ChooseItem(view.RecipeLst, "Pancakes");
    Pump(100);
    ASSERT_TRUE(view.RecipeShown());
    EXPECT_EQ(view.lbl1M.Caption(), "makes 4 servings");
    for (const forms::Control* c : view.Controls())
        EXPECT_NE(qtui::WidgetOf(*c), nullptr) << c->Name();
    auto* combo = qobject_cast<QComboBox*>(qtui::WidgetOf(view.RecipeLst));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), "Pancakes");
    auto* bar = qtui::WidgetOf(view.ViewBar)->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->orientation(), Qt::Vertical);
    Shoot(main, "viewer");

    // The mail window, filled in, then closed.
    bool mailShown = false;
    gui::WhenModal([&](QWidget*) {
        recipe::frmEmail& mail = app->frmEmail();
        mailShown = true;
        for (const forms::Control* c : mail.Controls())
            EXPECT_NE(qtui::WidgetOf(*c), nullptr) << c->Name();
        drive::TypeText(mail.txtServer, "smtp.example.org");
        drive::TypeText(mail.txtTo, "ann@example.org");
        drive::TypeText(mail.txtFrom, "bob@example.org");
        drive::TypeText(mail.txtBody, "<p>Our Sunday pancakes.</p>");
        Pump(50);
        Shoot(mail, "mail");

        // Sent to a server that never greets: the indicator over the window, then Cancel.
        drive::SmtpTestServer silent({.replies = {{"greeting", ""}}});
        host->SetMailFactory(services::SmtpMailFactory());
        drive::TypeText(mail.txtServer, silent.Address());
        gui::WhenModal([](QWidget* w) { return w->findChild<QProgressBar*>() != nullptr; },
                       [&](QWidget* busy) {
                           QTimer::singleShot(300, busy, [&, busy] {
                               EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(
                                   QString::fromStdString(gui::ScreenshotPath("recipe_mail_sending"))));
                               gui::FindChild<QPushButton>(busy, QStringLiteral("Cancel"))->click();
                           });
                       });
        QString said, saidTitle;
        gui::WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                       [&](QWidget* box) {
                           said = static_cast<QMessageBox*>(box)->text();
                           saidTitle = box->windowTitle();
                           static_cast<QMessageBox*>(box)->accept();
                       });
        drive::Click(mail.cmdSendMail);
        EXPECT_EQ(said, QStringLiteral("Sending was cancelled: your recipe has not been sent"));
        EXPECT_EQ(saidTitle, QStringLiteral("Cancelled"));
        EXPECT_TRUE(silent.Mails().empty());
        drive::Click(mail.cmdClose);
    });
    drive::ClickTool(view.ViewBar, "Email");
    EXPECT_TRUE(mailShown);

    // No printer here: the printout becomes a PDF file.
    std::vector<std::string> notices;
    host->Printer().SetPdfFolder((env.Root() / "pdf").string());
    host->Printer().SetPdfNotice([&](const std::string& path) { notices.push_back(path); });
    drive::ClickTool(view.ViewBar, "Print");
    ASSERT_EQ(notices.size(), 1u);
    const fs::path pdf = notices[0];
    ASSERT_TRUE(fs::exists(pdf));
    const std::string text = drive::OneBlank(drive::PdfText(pdf));
    ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) is needed";
    for (const char* expected :
         {"Pancakes", "List of Ingredients:", "Batter", "1 1/2 cup   Flour", "2 tsp   Baking powder", "1  egg",
          "3 tbs   Butter", "To serve", "Instructions for preparation", "Whisk the flour, baking powder",
          "Serve warm with butter.", "Nutrition Facts", "Per Serving", "makes 4 servings", "Calories from Fat",
          "Total Fat", "Cholesterol", "Sodium", "Carbohydrate", "Dietary Fiber", "Protein", "Additional Information:",
          "% of calories from Fat"}) {
        EXPECT_NE(text.find(drive::OneBlank(expected)), std::string::npos) << expected << "\n" << text;
    }
    for (const forms::Label* value : {&view.lblCals, &view.lblFg, &view.lblCg, &view.lblSg, &view.lblTCg, &view.lblPg})
        EXPECT_NE(text.find(vb::ToUtf8(value->Caption())), std::string::npos) << value->Name() << "\n" << text;

    // The first page as a picture, to look at.
    EXPECT_TRUE(drive::PdfPageToPng(pdf, 1, gui::ScreenshotPath("recipe_printout")));

    // Taken back into the builder.
    drive::ClickTool(view.ViewBar, "Edit");
    Pump(50);
    EXPECT_EQ(app->CalcFrm().NameTxt.Text(), "Pancakes");
    EXPECT_EQ(app->CalcFrm().StatusLbl.Caption(), "Changes Saved");
    Shoot(main, "edited");
}

// The panel stands whole at its place: a border on all four sides, every label inside it, and the
// percents in one font.
TEST_F(RecipeViewerGui, ThePanelIsWhole) {
    ASSERT_TRUE(Open());
    recipe::ViewFrm& view = app->ViewFrm();
    drive::ClickTool(app->Interface().TopBar, "Recipes");
    drive::ChooseItem(view.RecipeLst, "Pancakes");
    Pump(50);
    auto* panel = qobject_cast<QFrame*>(qtui::WidgetOf(view.Picture1));
    ASSERT_NE(panel, nullptr);
    const QImage shot = panel->grab().toImage();
    const int w = shot.width(), h = shot.height();
    // An edge shows where one of its two outer pixel lines is clearly darker than the white inside.
    auto edge = [&](int count, const std::function<QPoint(int, int)>& at) {
        int drawn = 0;
        for (int i = 0; i < count; ++i)
            drawn += std::min(shot.pixelColor(at(i, 0)).value(), shot.pixelColor(at(i, 1)).value()) < 230;
        return drawn;
    };
    EXPECT_GE(edge(h, [&](int y, int d) { return QPoint(d, y); }), h * 9 / 10) << "left";
    EXPECT_GE(edge(h, [&](int y, int d) { return QPoint(w - 1 - d, y); }), h * 9 / 10) << "right";
    EXPECT_GE(edge(w, [&](int x, int d) { return QPoint(x, d); }), w * 9 / 10) << "top";
    EXPECT_GE(edge(w, [&](int x, int d) { return QPoint(x, h - 1 - d); }), w * 9 / 10) << "bottom";
    for (QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(panel->contentsRect().contains(label->geometry())) << qPrintable(label->objectName());
    EXPECT_EQ(qtui::WidgetOf(view.lblTFP)->font(), qtui::WidgetOf(view.lblTCP)->font());
    EXPECT_EQ(view.lblTFP.Font(), view.lblTCP.Font());
    Shoot(app->Interface(), "viewer_panel");
}

}  // namespace
