#pragma once
// The help window: the program's HTML help topics in a browser with contents, back, forward and a
// search over every topic of the help folder.
#include <QMainWindow>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QDockWidget;
class QTextBrowser;

namespace qtui {

class HelpWindow : public QMainWindow {
public:
    HelpWindow();

    // Shows the window in front, wholly on the screen. Asked for from a modal window, it belongs to
    // that window while it is open, so the user reaches it and the modal window stays open.
    void Present();
    void ShowPage(const std::string& path);
    // No page for the topic: say so (contextId -1: the contents).
    void ShowMissing(long contextId);
    QTextBrowser* Browser() const { return browser_; }
    // The page shown ("" when none).
    std::string CurrentPage() const;

    // Opens the search panel with the keyboard in its search box.
    void StartSearch();
    // Lists the topics that hold every word of the text (without regard to case); returns their
    // titles, in file-name order.
    std::vector<std::string> Search(const QString& text);
    QLineEdit* SearchBox() const { return searchBox_; }
    QListWidget* Results() const { return results_; }

private:
    void ShowResult(int row);
    // Sized and placed to stand wholly on the screen, centred over the window help came from.
    void Place(const QWidget* from);
    void BelongTo(QWidget* owner);

    QTextBrowser* browser_;
    QString contents_;
    QString folder_;
    QDockWidget* searchPanel_;
    QLineEdit* searchBox_;
    QListWidget* results_;
    QStringList resultPages_;
    QMetaObject::Connection ownerHides_;
};

}  // namespace qtui
