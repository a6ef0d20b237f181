#pragma once
// The help window: the program's HTML help topics in a browser with contents, back and forward.
#include <QMainWindow>
#include <string>

class QTextBrowser;

namespace qtui {

class HelpWindow : public QMainWindow {
public:
    HelpWindow();

    void ShowPage(const std::string& path);
    // No page for the topic: say so (contextId -1: the contents).
    void ShowMissing(long contextId);
    QTextBrowser* Browser() const { return browser_; }
    // The page shown ("" when none).
    std::string CurrentPage() const;

private:
    QTextBrowser* browser_;
    QString contents_;
};

}  // namespace qtui
