#include "calories/goals/Metric.h"

namespace calories {

Metric::Metric() : forms::Form("Metric") {
    Caption("Metric Conversion");
    BorderStyle(forms::vbFixedSingle).MaxButton(false);
    ClientSize(5640, 4200);

    Label1.Caption("Start With").FontBold(true).Move(240, 120, 2520, 255);
    Frame1.Caption("Volume").Move(240, 420, 2520, 1395);
    const char* volumes[4] = {"Fluid Ounces", "Cups", "Tablespoons", "teaspoons"};
    for (int i = 0; i < 4; ++i)
        Option1[i].Caption(volumes[i]).Move(180, 270 + 270 * static_cast<vb::Single>(i), 2160, 255);
    Frame3.Caption("Weight").Move(240, 1935, 2520, 915);
    Option3.Caption("Pounds").Move(180, 270, 2160, 255);
    Option5.Caption("Ounces").Move(180, 540, 2160, 255);

    Label2.Caption("To get").FontBold(true).Move(2880, 120, 2520, 255);
    Frame2.Caption("Volume").Move(2880, 420, 2520, 915);
    Option2[1].Caption("Millilittres").Move(180, 270, 2160, 255);
    Option2[2].Caption("Litres").Move(180, 540, 2160, 255);
    Frame4.Caption("Weight").Move(2880, 1935, 2520, 915);
    Option4[0].Caption("Kilograms").Move(180, 270, 2160, 255);
    Option4[1].Caption("Grams").Move(180, 540, 2160, 255);

    Label3.Caption("Enter amount").Move(240, 3030, 1200, 255);
    Text1.Move(1440, 2985, 1320, 315);
    Label4.Caption("Answer").Move(2880, 3030, 840, 255);
    Text2.Move(3720, 2985, 1680, 315);

    Command1.Caption("&Calculate").Default(true).Move(240, 3540, 1200, 435);
    Command3.Caption("C&lear").Move(2220, 3540, 1200, 435);
    Command2.Caption("&Ok").Cancel(true).Move(4200, 3540, 1200, 435);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Option1.On(&forms::OptionButton::Click, [this](vb::Integer Index) { Option1_Click(Index); });
    Option2.On(&forms::OptionButton::Click, [this](vb::Integer Index) { Option2_Click(Index); });
    Option3.Click = [this] { Option3_Click(); };
    Option4.On(&forms::OptionButton::Click, [this](vb::Integer Index) { Option4_Click(Index); });
    Option5.Click = [this] { Option5_Click(); };
}

forms::OptionButton& Metric::UnitOption(MetricUnit unit) {
    switch (unit) {
    case MetricUnit::FluidOunces: return Option1[0];
    case MetricUnit::Cups: return Option1[1];
    case MetricUnit::Tablespoons: return Option1[2];
    case MetricUnit::Teaspoons: return Option1[3];
    case MetricUnit::Pounds: return Option3;
    case MetricUnit::Ounces: return Option5;
    case MetricUnit::Millilitres: return Option2[1];
    case MetricUnit::Litres: return Option2[2];
    case MetricUnit::Kilograms: return Option4[0];
    case MetricUnit::Grams: return Option4[1];
    }
    return Option1[0];
}

void Metric::Command1_Click() {
    if (Text1.Text().empty()) return;
    for (const MetricRow& row : kMetricTable) {
        if (!UnitOption(row.from).Value() || !UnitOption(row.to).Value()) continue;
        // An amount that is not a number gives no answer, rather than an earlier one.
        Text2.Text(ConvertMetric(Text1.Text(), row).value_or(""));
        return;
    }
}

void Metric::Command2_Click() { forms::Unload(*this); }

void Metric::Command3_Click() {
    for (auto& option : Option1) option.Value(false);
    for (auto& option : Option2) option.Value(false);
    for (auto& option : Option4) option.Value(false);
    Option3.Value(false);
    Option5.Value(false);
    Text1.Text("");
    Text2.Text("");
}

// Volume and weight never mix: a unit of one kind clears every unit of the other.
void Metric::DeselectWeights() {
    Option3.Value(false);
    Option5.Value(false);
    Option4[0].Value(false);
    Option4[1].Value(false);
}

void Metric::optiontext() {
    for (auto& option : Option1) option.Value(false);
    for (auto& option : Option2) option.Value(false);
}

void Metric::Option1_Click(vb::Integer) { DeselectWeights(); }
void Metric::Option2_Click(vb::Integer) { DeselectWeights(); }
void Metric::Option3_Click() { optiontext(); }
void Metric::Option4_Click(vb::Integer) { optiontext(); }
void Metric::Option5_Click() { optiontext(); }

}  // namespace calories
