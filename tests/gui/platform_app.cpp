// The QApplication of the GUI test program, and the helpers of platform_gui.h.
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "gui/platform_gui.h"
#include "platform/forms/form.h"

namespace gui {

namespace {

int g_argc = 1;
char g_name[] = "test_gui";
char* g_argv[] = {g_name, nullptr};

QtMessageHandler g_standardHandler = nullptr;

// The offscreen platform tells about every window operation it cannot do; that is no news here.
// A window surface the platform refuses (X's shared memory for a giant one) fails the test.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg && (message.startsWith(QStringLiteral("This plugin does not support")) ||
                               message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))))
        return;
    if (message.contains(QStringLiteral("can't be called for size")))
        ADD_FAILURE() << "a window surface was refused: " << qPrintable(message);
    if (g_standardHandler) g_standardHandler(type, context, message);
    else fprintf(stderr, "%s\n", qPrintable(message));
}

// No window and no window surface is ever larger than all the screens together, and a surface
// once painted is never sized to nothing (which X turns into 65535 x 65535 pixels): each
// top-level widget is looked at when it shows, resizes, paints and just before it is deleted.
class SurfaceWatch : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        const QEvent::Type t = e->type();
        if (t != QEvent::Show && t != QEvent::Resize && t != QEvent::Paint && t != QEvent::DeferredDelete) return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || !w->isWindow()) return false;
        QScreen* screen = QGuiApplication::primaryScreen();
        const QSize limit = screen ? screen->virtualSize() : QSize(1 << 14, 1 << 14);
        auto tooBig = [&](QSize s) { return s.width() > limit.width() || s.height() > limit.height(); };
        const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        if (t != QEvent::DeferredDelete && tooBig(w->size()))
            ADD_FAILURE() << "window " << qPrintable(name) << " is " << w->width() << " x " << w->height()
                          << " pixels, larger than the screen";
        QBackingStore* store = w->backingStore();
        const QSize s = store ? store->size() : QSize();
        if (store && s.isValid() && tooBig(s))
            ADD_FAILURE() << "the surface of window " << qPrintable(name) << " is " << s.width() << " x " << s.height();
        auto seen = painted_.find(w);
        const bool wasPainted = seen != painted_.end() && seen->second == w;
        if (t == QEvent::DeferredDelete) {
            if (wasPainted && store && !s.isValid())
                ADD_FAILURE() << "the surface of window " << qPrintable(name) << " was sized to nothing";
            painted_.erase(w);
        } else if (store && s.isValid()) {
            painted_[w] = w;
        }
        return false;
    }

private:
    std::map<QWidget*, QPointer<QWidget>> painted_;  // a null pointer: gone, the address reused
};

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        g_standardHandler = qInstallMessageHandler(QuietMessages);
        app_ = std::make_unique<QApplication>(g_argc, g_argv);
        QApplication::setQuitOnLastWindowClosed(false);
        app_->installEventFilter(&watch_);
    }
    void TearDown() override {
        forms::ResetApplication();
        Pump();
        app_.reset();
    }

private:
    std::unique_ptr<QApplication> app_;
    SurfaceWatch watch_;
};

[[maybe_unused]] ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Polls until `find` yields a widget, then acts on it (at most a few seconds).
void WhenFound(std::function<QWidget*()> find, std::function<void(QWidget*)> act) {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [find, act, timer, poll] {
        if (QWidget* w = find()) {
            act(w);
            *poll = nullptr;
            return;
        }
        if (timer->elapsed() > 5000) {
            ADD_FAILURE() << "no window opened";
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, [poll] {
            if (*poll) (*poll)();
        });
    };
    QTimer::singleShot(0, [poll] {
        if (*poll) (*poll)();
    });
}

}  // namespace

void Pump(int milliseconds) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
    return true;
}

std::string ScreenshotPath(const std::string& name) {
    const std::filesystem::path folder = BuildDir() / "screenshots";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return (folder / (name + ".png")).string();
}

void WhenModal(std::function<void(QWidget*)> act) {
    WhenFound([] { return QApplication::activeModalWidget(); }, std::move(act));
}

void WhenModal(std::function<bool(QWidget*)> which, std::function<void(QWidget*)> act) {
    WhenFound(
        [which] {
            QWidget* w = QApplication::activeModalWidget();
            return w && which(w) ? w : nullptr;
        },
        std::move(act));
}

void WhenPopup(std::function<void(QWidget*)> act) {
    WhenFound(
        [] {
            QWidget* w = QApplication::activePopupWidget();
            return w && w->isVisible() ? w : nullptr;
        },
        std::move(act));
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* to = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget();
    ASSERT_NE(to, nullptr) << "nothing has the focus";
    QTest::keyClick(to, key, modifiers);
}

void AltAlone() {
    QWidget* to = QApplication::focusWidget();
    ASSERT_NE(to, nullptr) << "nothing has the focus";
    QTest::keyPress(to, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt);
}

QString Highlighted(const QMenuBar* bar) {
    return bar->hasFocus() && bar->activeAction() ? bar->activeAction()->text() : QString();
}

QString OpenMenu() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu ? menu->title() : QString();
}

}  // namespace gui
