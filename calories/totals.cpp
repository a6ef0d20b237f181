#include "calories/totals.h"

#include <cmath>

#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/format.h"
#include "platform/files/profile.h"

namespace calories {

void Sums::Add(const Nutrients& n) {
    for (std::size_t k = 0; k < 6; ++k) value[k] += n[k];
    set = true;
}

void Sums::Subtract(const Nutrients& n) {
    for (std::size_t k = 0; k < 6; ++k) value[k] -= n[k];
    set = true;
}

void Sums::Zero() {
    value.fill(0);
    set = true;
}

void Sums::Clear() {
    value.fill(0);
    set = false;
}

bool Sums::AllZero() const {
    for (auto v : value)
        if (v != 0) return false;
    return true;
}

std::string Sums::Text(int k) const { return set ? std::to_string(value[static_cast<std::size_t>(k)]) : std::string(); }

std::array<std::string, 6> ReadGoals() {
    std::array<std::string, 6> goals;
    for (int k = 0; k < 6; ++k)
        goals[static_cast<std::size_t>(k)] =
            files::GetPrivateProfileString(kGoalSection, "Message" + std::to_string(5 + k), "", 75, kIniFile);
    return goals;
}

std::optional<double> GoalValue(std::string_view text) {
    if (!vb::IsNumeric(text)) return std::nullopt;
    double v = 0;
    try {
        v = vb::CDbl(text);
    } catch (const vb::Error&) {
        return std::nullopt;
    }
    if (!std::isfinite(v) || v <= 0) return std::nullopt;
    return v;
}

std::string PercentText(double total, std::optional<double> goal) {
    if (!goal) return {};
    return vb::Format(total / *goal, "###0%");
}

namespace {

// The whole percentage of a caption "0%" .. "100%" written as the format writes it; nullopt for
// any other text.
std::optional<int> PercentOf(std::string_view caption) {
    if (caption.size() < 2 || caption.size() > 4 || caption.back() != '%') return std::nullopt;
    std::string_view digits = caption.substr(0, caption.size() - 1);
    if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
    int v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > 100) return std::nullopt;
    return v;
}

vb::Long BandColor(std::optional<int> p, vb::Long yellow, vb::Long green, vb::Long magenta) {
    if (!p || *p >= 75) return 0xFF;
    if (*p >= 50) return magenta;
    if (*p >= 25) return green;
    return yellow;
}

// Width per started step of `step` percent, full width from `fullFrom` percent on.
vb::Single StepWidth(std::optional<int> p, int step, vb::Single perStep, int fullFrom) {
    if (!p || *p >= fullFrom) return kBarWidth;
    return static_cast<vb::Single>((*p + step - 1) / step) * perStep;
}

}  // namespace

Bar DayBar(std::string_view caption) {
    if (caption.empty()) return {false, 0xFF, kBarWidth};
    const auto p = PercentOf(caption);
    return {true, BandColor(p, 0x80FFFF, 0x80FF80, 0xFF80FF), StepWidth(p, 10, 110, 91)};
}

Bar PeriodBar(std::string_view caption) {
    if (caption.empty()) return {false, 0xFF, kBarWidth};
    const auto p = PercentOf(caption);
    return {true, BandColor(p, 0xC0FFFF, 0xC0FFC0, 0xFFC0FF), StepWidth(p, 5, 55, 96)};
}

}  // namespace calories
