// The printed report of the current day: the foods meal by meal with their six values, each meal's
// totals, the day's totals with units, the day's percent of goal and a word of advice.
#include <array>
#include <string>
#include <string_view>

#include "calories/Calories.h"
#include "calories/calmain.h"
#include "calories/meals.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/services/dialogs.h"
#include "platform/services/host.h"
#include "platform/services/printer.h"

namespace calories {

namespace {

using services::Tab;

// No selection or page range to choose, copies left to the driver, no printing to a file.
constexpr long kPrintFlags = services::cdlPDNoSelection | services::cdlPDNoPageNums |
                             services::cdlPDUseDevModeCopies | services::cdlPDHidePrintToFile;  // &H14000C

struct ReportMeal {
    std::string_view meal;     // as the records hold it, before padding
    std::string_view heading;  // printed before the meal's first food
    std::string_view label;    // of the meal's totals line
    int rule;                  // hyphens after the totals
};

constexpr std::array<ReportMeal, 6> kReportMeals = {{
    {"BREAKFAST", "  - BREAKFAST  ", "--- Totals Breakfast ---     ", 141},
    {"SNACK -Morning", "  - SNACK - Morning  ", "--- Totals snack Morining ---     ", 142},
    {"LUNCH", "  - LUNCH  ", "--- Totals Lunch ---     ", 142},
    {"SNACK -Afternoon", "  - SNACK -Afternoon  ", "--- Totals Snack Afternoon ---     ", 142},
    {"DINNER", "  - DINNER  ", "--- Totals Dinner ---     ", 142},
    {"SNACK -Evening", "  - SNACK -Evening  ", "--- Totals Snack Evening ---     ", 142},
}};

// The columns of the six values, calories to protein; the servings stand at 45.
constexpr std::array<int, 6> kValueColumns = {55, 65, 75, 85, 95, 105};

std::string Rule(int hyphens) { return std::string(static_cast<std::size_t>(hyphens), '-'); }

}  // namespace

void calmain::Command5_Click() {
    if (daytotals[0] == 0) return;  // nothing recorded today
    CommonDialog1.CancelError(true).Flags(kPrintFlags);
    try {
        CommonDialog1.Action(5);
    } catch (const vb::Error&) {
        return;  // cancelled: nothing printed, nothing said
    }
    PrintDay();
}

void calmain::PrintDay() {
    services::Printer& p = services::printer();
    try {
        PrintReport();
        p.EndDoc();
    } catch (const vb::Error& e) {
        // Lines laid out so far would go out with the next document: drop them.
        p.KillDoc();
        services::MsgBox("The day could not be printed.\r\n\r\n" + e.description, services::vbExclamation,
                         kProgramTitle);
    }
}

void calmain::PrintReport() {
    services::Printer& p = services::printer();
    p.FontSize(8);
    p.FontName("arial");
    p.FontSize(10);

    p.Print({Caption()});
    p.Print();
    p.Print({"             Vantorel"});
    p.Print({Rule(139)});
    p.Print({"Food Name", Tab(45), "Serv", Tab(55), "Cal", Tab(65), "Fat", Tab(75), "Chole", Tab(85), "Fib",
             Tab(95), "Carb", Tab(105), "Pro"});
    p.Print({Rule(139)});

    const double day = vb::CDbl(Label47.Caption());  // error 13 when the caption is no number
    for (const ReportMeal& meal : kReportMeals) {
        const std::string field = PaddedMeal(meal.meal);
        bool headed = false;
        for (const MealItem& m : app.mealdata) {
            if (m.deleted == 1 || m.day != day || m.meal.view() != field) continue;
            if (!headed) p.Print({meal.heading});
            headed = true;
            const Nutrients v = Values(m);
            p.Print({m.name.str(), Tab(45), m.servings.str(), Tab(kValueColumns[0]), v[0], Tab(kValueColumns[1]), v[1],
                     Tab(kValueColumns[2]), v[2], Tab(kValueColumns[3]), v[3], Tab(kValueColumns[4]), v[4],
                     Tab(kValueColumns[5]), v[5]});
        }
        const Sums& totals = mealtotals[static_cast<std::size_t>(*MealRow(meal.meal))];
        if (totals[0] != 0) {
            p.Print();
            p.Print({meal.label, Tab(kValueColumns[0]), totals[0], Tab(kValueColumns[1]), totals[1],
                     Tab(kValueColumns[2]), totals[2], Tab(kValueColumns[3]), totals[3], Tab(kValueColumns[4]),
                     totals[4], Tab(kValueColumns[5]), totals[5]});
            p.Print({Rule(meal.rule)});
        }
    }

    p.Print({"TOTALS FOR DAY     ", Tab(55), daytotals[0], " c", Tab(65), daytotals[1], " g", Tab(75), daytotals[2],
             " mg", Tab(85), daytotals[3], " g", Tab(95), daytotals[4], " g", Tab(105), daytotals[5], " g"});
    p.Print({Rule(141)});
    p.Print({"% of Goal for Today    ", Tab(55), Label16.Caption(), Tab(65), Label17.Caption(), Tab(75),
             Label18.Caption(), Tab(85), Label19.Caption(), Tab(95), Label20.Caption(), Tab(105), Label38.Caption()});
    p.Print();
    p.Print({"Before starting any diet,please obtain your doctor's approval."});
}

}  // namespace calories
