#include "platform/qt/help.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>

#include "platform/forms/form.h"
#include "platform/qt/convert.h"

namespace qtui {

HelpWindow::HelpWindow() : browser_(new QTextBrowser(this)) {
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
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        QString title = browser_->documentTitle();
        std::string app = forms::App().Title();
        setWindowTitle(title.isEmpty() ? ToQ(app.empty() ? std::string("Help") : app + " Help") : title);
    });
    resize(640, 520);
}

void HelpWindow::ShowPage(const std::string& path) {
    QFileInfo page(QString::fromStdString(path));
    QString index = page.dir().filePath(QStringLiteral("index.html"));
    contents_ = QFileInfo::exists(index) ? index : QString();
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

std::string HelpWindow::CurrentPage() const {
    QUrl u = browser_->source();
    return u.isLocalFile() ? u.toLocalFile().toStdString() : std::string();
}

}  // namespace qtui
