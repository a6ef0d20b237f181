#include "calories/period/periodsetup.h"

#include "calories/totals.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/files/profile.h"

namespace calories {

std::string StoredPeriodValue(std::string_view key) {
    return files::GetPrivateProfileString(kDateSection, key, "", 75, kIniFile);
}

void StorePeriodValue(std::string_view key, const std::string& value) {
    files::WritePrivateProfileString(kDateSection, key, value, kIniFile);
}

std::optional<vb::Date> LabelDate(std::string_view text) {
    try {
        return vb::CDate(text);
    } catch (const vb::Error&) {
        return std::nullopt;
    }
}

std::optional<long> PeriodDays(std::string_view start, std::string_view end) {
    const auto s = LabelDate(start);
    const auto e = LabelDate(end);
    if (!s || !e) return std::nullopt;
    return vb::DateDiff("d", *s, *e) + 1;
}

bool PeriodReadable(std::string_view start, std::string_view end, std::string_view days) {
    const auto n = PeriodDays(start, end);
    if (!n || *n < 1 || *n > kMaxPeriodDays) return false;
    try {
        const long stored = vb::CLng(days);
        return stored >= 1 && stored <= kMaxPeriodDays;
    } catch (const vb::Error&) {
        return false;
    }
}

}  // namespace calories
