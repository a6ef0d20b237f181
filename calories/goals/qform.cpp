#include "calories/goals/qform.h"

#include <string>

namespace calories {

namespace {

constexpr const char* kQuestions[][2] = {
    {"How do I get started quickly?",
     "First set your caloric needs and nutrient requirements; the program asks for them the first time "
     "it runs. Then choose a food group, pick a food from the list and add it to one of the meals on the "
     "left, choosing the portion with the right mouse button. The totals at the bottom show each food, "
     "each meal and the whole day. The percentage bars show the day's totals and, in multiple-day mode, "
     "the percentages of the whole period."},
    {"How many menu days can I plan?", "One year: up to 365 days."},
    {"Can I print my menu days?", "Yes. The day currently selected is printed."},
    {"Is the program ready for the year 2000?", "Yes."},
    {"Why can't I open and save meals in multiple-day mode?",
     "There is no need: your changes are saved automatically."},
    {"What are personal food groups, and can I have more than one?",
     "A personal food group holds the foods you eat most often, for quick access. You can have as many as "
     "you like."},
    {"Can I override the nutrient requirement settings with my own?",
     "Yes. In the Caloric Needs and Nutrient Requirements window tick \"Manually Set All Nutrient "
     "Requirements\" and set each goal yourself."},
    {"Can I choose several portions when adding a food to a meal?",
     "Yes. Highlight the food, click it with the right mouse button, then choose the portion."},
    {"Are other food lists available?",
     "Yes. Users send in their personal food groups, and we post them on our web site for everyone "
     "to use."},
};

std::string QuestionsText() {
    std::string text;
    int n = 0;
    for (const auto& qa : kQuestions) {
        text += std::to_string(++n) + ". " + qa[0] + "\r\n\r\n" + qa[1] + "\r\n\r\n";
    }
    return text;
}

}  // namespace

qform::qform() : forms::Form("qform") {
    Caption("FAQ");
    BorderStyle(forms::vbFixedSingle).MaxButton(false);
    ClientSize(7200, 5400);

    Text1.MultiLine(true).ScrollBars(forms::vbVertical).Move(180, 180, 6840, 4440);
    Text1.Text(QuestionsText());
    // A double rule round the text.
    Line1[0].Coordinates(120, 120, 7080, 120);
    Line1[1].Coordinates(7080, 120, 7080, 4680);
    Line1[2].Coordinates(7080, 4680, 120, 4680);
    Line1[3].Coordinates(120, 4680, 120, 120);
    Command1.Caption("O&K").Default(true).Cancel(true).Move(3000, 4860, 1200, 375);

    Command1.Click = [this] { Command1_Click(); };
}

void qform::Command1_Click() { forms::Unload(*this); }

}  // namespace calories
