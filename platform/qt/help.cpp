#include "platform/qt/help.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "platform/forms/form.h"
#include "platform/qt/convert.h"

namespace qtui {

namespace {
const QSize kSize(760, 520);
}

HelpWindow::HelpWindow()
    : browser_(new QTextBrowser(this)),
      searchPanel_(new QDockWidget(QStringLiteral("Search"), this)),
      searchBox_(new QLineEdit),
      results_(new QListWidget) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setCentralWidget(browser_);
    browser_->setOpenExternalLinks(true);  // web addresses go to the browser
    browser_->document()->setDocumentMargin(12);
    QToolBar* bar = addToolBar(QStringLiteral("Help"));
    bar->setMovable(false);
    QAction* contents = bar->addAction(QStringLiteral("&Contents"));
    QAction* back = bar->addAction(QStringLiteral("&Back"));
    QAction* forward = bar->addAction(QStringLiteral("&Forward"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QAction::triggered, this, [this] {
        if (!contents_.isEmpty()) browser_->setSource(QUrl::fromLocalFile(contents_));
    });
    QAction* search = bar->addAction(QStringLiteral("&Search"));
    connect(search, &QAction::triggered, this, &HelpWindow::StartSearch);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        QString title = browser_->documentTitle();
        std::string app = forms::App().Title();
        setWindowTitle(title.isEmpty() ? ToQ(app.empty() ? std::string("Help") : app + " Help") : title);
    });

    // The search panel: words to look for, and the topics that hold them all.
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    auto* prompt = new QLabel(QStringLiteral("Type the &words to find, then press Enter:"));
    prompt->setBuddy(searchBox_);
    searchBox_->setClearButtonEnabled(true);
    layout->addWidget(prompt);
    layout->addWidget(searchBox_);
    layout->addWidget(results_);
    searchPanel_->setWidget(panel);
    searchPanel_->setFeatures(QDockWidget::DockWidgetClosable);
    addDockWidget(Qt::LeftDockWidgetArea, searchPanel_);
    searchPanel_->hide();
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        Search(searchBox_->text());
        if (results_->count() > 0) {
            results_->setCurrentRow(0);
            ShowResult(0);
        }
    });
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { ShowResult(results_->row(item)); });
    connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ShowResult(results_->row(item)); });
    // Escape closes it, as it closes a dialog; the search box and the page leave that key alone.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    resize(kSize);
}

void HelpWindow::StartSearch() {
    searchPanel_->show();
    searchBox_->setFocus();
    searchBox_->selectAll();
}

std::vector<std::string> HelpWindow::Search(const QString& text) {
    results_->clear();
    resultPages_.clear();
    const QStringList words = text.simplified().split(QChar(' '), Qt::SkipEmptyParts);
    std::vector<std::string> titles;
    if (words.isEmpty() || folder_.isEmpty()) return titles;
    const QDir dir(folder_);
    for (const QString& name : dir.entryList({QStringLiteral("*.html"), QStringLiteral("*.htm")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) continue;
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(f.readAll()));
        const QString plain = doc.toPlainText();
        bool all = true;
        for (const QString& w : words) all = all && plain.contains(w, Qt::CaseInsensitive);
        if (!all) continue;
        QString title = doc.metaInformation(QTextDocument::DocumentTitle);
        if (title.isEmpty()) title = QFileInfo(name).completeBaseName();
        results_->addItem(title);
        resultPages_ << dir.filePath(name);
        titles.push_back(FromQ(title));
    }
    if (results_->count() == 0) results_->addItem(QStringLiteral("(no topic holds these words)"));
    return titles;
}

void HelpWindow::ShowResult(int row) {
    if (row < 0 || row >= resultPages_.size()) return;
    browser_->setSource(QUrl::fromLocalFile(resultPages_[row]));
    // The first word found is selected in the page.
    const QStringList words = searchBox_->text().simplified().split(QChar(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty()) browser_->find(words.first());
}

void HelpWindow::ShowPage(const std::string& path) {
    QFileInfo page(QString::fromStdString(path));
    QString index = page.dir().filePath(QStringLiteral("index.html"));
    contents_ = QFileInfo::exists(index) ? index : QString();
    folder_ = page.absolutePath();
    browser_->setSearchPaths({page.absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
}

void HelpWindow::ShowMissing(long contextId) {
    browser_->setSource(QUrl());
    QString what = contextId >= 0 ? QStringLiteral("The help topic %1 is not available.").arg(contextId)
                                  : QStringLiteral("The help contents are not available.");
    browser_->setPlainText(what);
    setWindowTitle(QStringLiteral("Help"));
}

void HelpWindow::Present() {
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* from = modal ? modal : QApplication::activeWindow();
    if (!isVisible()) Place(from == this ? nullptr : from);
    BelongTo(modal);
    show();
    raise();
    activateWindow();
}

// A window a modal one owns is not blocked by it; once that one hides, help stands on its own.
void HelpWindow::BelongTo(QWidget* owner) {
    winId();  // the native window, to name its owner
    QWindow* window = windowHandle();
    QWindow* parent = owner ? owner->windowHandle() : nullptr;
    if (!window || window->transientParent() == parent) return;
    QObject::disconnect(ownerHides_);
    window->setTransientParent(parent);
    if (!parent) return;
    ownerHides_ = connect(parent, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible) BelongTo(nullptr);
    });
}

void HelpWindow::Place(const QWidget* from) {
    QScreen* screen = from ? from->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // The frame the window manager will put round it, as it did round the window asking.
    QMargins frame;
    if (from) {
        const QRect outer = from->frameGeometry(), inner = from->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    }
    const QSize room = area.size().shrunkBy(frame).expandedTo(QSize(200, 150));
    resize(kSize.boundedTo(room));
    QRect whole(QPoint(), size().grownBy(frame));
    whole.moveCenter(from ? from->frameGeometry().center() : area.center());
    auto within = [](int at, int low, int room, int size) { return std::clamp(at, low, std::max(low, low + room - size)); };
    move(within(whole.left(), area.left(), area.width(), whole.width()),
         within(whole.top(), area.top(), area.height(), whole.height()));
}

std::string HelpWindow::CurrentPage() const {
    QUrl u = browser_->source();
    return u.isLocalFile() ? u.toLocalFile().toStdString() : std::string();
}

}  // namespace qtui
