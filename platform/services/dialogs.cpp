#include "platform/services/dialogs.h"

#include "platform/forms/form.h"
#include "platform/services/host.h"

namespace services {

std::vector<int> MsgBoxButtons(int style) {
    switch (style & 7) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

int MsgBoxDefault(int style) {
    std::vector<int> buttons = MsgBoxButtons(style);
    std::size_t which = static_cast<std::size_t>((style >> 8) & 3);
    return which < buttons.size() ? buttons[which] : buttons.front();
}

MsgBoxIcon MsgBoxIconOf(int style) {
    switch (style & 0x70) {
    case vbCritical: return MsgBoxIcon::Critical;
    case vbQuestion: return MsgBoxIcon::Question;
    case vbExclamation: return MsgBoxIcon::Exclamation;
    case vbInformation: return MsgBoxIcon::Information;
    default: return MsgBoxIcon::None;
    }
}

std::vector<FilterEntry> ParseFilter(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        std::size_t bar = filter.find('|', start);
        if (bar == std::string_view::npos) bar = filter.size();
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FilterEntry> out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FilterEntry e;
        e.description = parts[i];
        std::string_view pat = parts[i + 1];
        std::size_t p = 0;
        while (p <= pat.size()) {
            std::size_t semi = pat.find(';', p);
            if (semi == std::string_view::npos) semi = pat.size();
            std::string one(pat.substr(p, semi - p));
            while (!one.empty() && one.front() == ' ') one.erase(one.begin());
            while (!one.empty() && one.back() == ' ') one.pop_back();
            if (!one.empty()) e.patterns.push_back(one);
            p = semi + 1;
        }
        out.push_back(std::move(e));
    }
    return out;
}

namespace {

std::string TitleOr(std::string_view title) {
    return title.empty() ? forms::App().Title() : std::string(title);
}

}  // namespace

int MsgBox(std::string_view prompt, int style, std::string_view title) { return MsgBox(prompt, style, title, {}, 0); }

int MsgBox(std::string_view prompt, int style, std::string_view title, std::string_view helpFile, long context) {
    MessageBoxRequest r;
    r.prompt = std::string(prompt);
    r.title = TitleOr(title);
    r.style = style;
    r.helpFile = std::string(helpFile);
    r.context = context;
    return host().DialogService().MessageBox(r);
}

std::string InputBox(std::string_view prompt, std::string_view title, std::string_view defaultText) {
    InputBoxRequest r{std::string(prompt), TitleOr(title), std::string(defaultText)};
    return host().DialogService().InputBox(r).value_or(std::string());
}

void RunBusy(std::string_view prompt, std::string_view title, const std::function<void(CancelFlag&)>& work) {
    host().DialogService().RunBusy(BusyRequest{std::string(prompt), TitleOr(title)}, work);
}

void CancelFlag::WhenCancelled(std::function<void()> wake) {
    std::lock_guard lock(m_);
    wake_ = std::move(wake);
    if (wake_ && cancelled_) wake_();
}

bool CancelFlag::Cancel() {
    std::lock_guard lock(m_);
    if (held_) return false;
    cancelled_ = true;
    if (wake_) wake_();
    return true;
}

void CancelFlag::Stop() {
    std::lock_guard lock(m_);
    cancelled_ = true;
    if (wake_) wake_();
}

bool CancelFlag::Hold(std::string prompt) {
    std::lock_guard lock(m_);
    if (cancelled_) return false;
    held_ = true;
    if (show_) show_(prompt);
    return true;
}

void CancelFlag::Release() {
    std::lock_guard lock(m_);
    if (!held_) return;
    held_ = false;
    if (show_) show_(std::string());
}

void CancelFlag::WhenHeld(std::function<void(const std::string&)> show) {
    std::lock_guard lock(m_);
    show_ = std::move(show);
}

}  // namespace services
