#pragma once
// The forms backend on Qt Widgets, and text metrics from real fonts.
#include <QFontMetricsF>
#include <QImage>
#include <map>
#include <memory>
#include <tuple>

#include "platform/forms/backend.h"

class QEventLoop;

namespace qtui {

// Metrics in twips. On the screen 15 twips are one pixel; on paper the device's resolution counts.
class QtFontMetrics : public forms::FontMetrics {
public:
    // dpi 0: the screen; else a device of that resolution (printers).
    explicit QtFontMetrics(int dpi = 0);
    double TextWidth(const forms::Font& font, std::string_view text) const override;
    double LineHeight(const forms::Font& font) const override;
    double AverageCharWidth(const forms::Font& font) const override;

private:
    const QFontMetricsF& For(const forms::Font& font) const;
    double twipsPerPixel_;
    std::unique_ptr<QImage> device_;
    using Key = std::tuple<std::string, float, bool, bool, bool, bool>;
    mutable std::map<Key, std::unique_ptr<QFontMetricsF>> cache_;
    mutable std::map<Key, double> averages_;
};

class QtBackend : public forms::Backend {
public:
    QtBackend();
    ~QtBackend() override;

    void Attach(forms::Form& form) override;
    void AttachControl(forms::Control& control) override;
    void Prepare(forms::Form& form) override;
    void RunModal(forms::Form& form) override;
    void EndModal(forms::Form& form) override;
    forms::Menu* PopupMenu(forms::Form& form, forms::Menu& menu, vb::Integer flags, vb::Single x, vb::Single y,
                           bool hasPosition) override;
    void DoEvents() override;
    void WhenDrawn(forms::Form& form, std::function<void()> task) override;
    const forms::FontMetrics& Metrics() const override { return metrics_; }
    forms::ScreenMetrics Screen() const override;
    void ScreenMousePointerChanged(vb::Integer pointer) override;
    void LastFormUnloaded() override;

    // The application's event loop ends with the last form (RunProgram sets it; tests do not).
    void QuitWithLastForm(bool quit) { quitWithLastForm_ = quit; }

private:
    QtFontMetrics metrics_;
    std::map<forms::Form*, QEventLoop*> loops_;
    bool overrideCursor_ = false;
    bool quitWithLastForm_ = false;
};

}  // namespace qtui
