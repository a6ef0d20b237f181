// Preloaded into a Qt program (LD_PRELOAD) to time its start-up from outside: it watches the event
// loop and writes the moments it sees, in nanoseconds of CLOCK_MONOTONIC, one "name value" line
// each, to the file FIRSTPAINT_OUT names. The program itself knows nothing of it.
//
//   FIRSTPAINT_WINDOW  the window that ends the run: its first paint's start is written as "paint"
//                      and the end of that paint pass as "painted", then the process ends at once
//                      (nothing is saved, no window closes)
//   FIRSTPAINT_SPLASH  a window whose first paint pass's end (it shows) is written as "splash"
//   FIRSTPAINT_CLICK   "Window/Button": the button is clicked as soon as it is enabled, as a user
//                      would; the moment it is enabled is written as "enabled"
//   FIRSTPAINT_TIMER   a timer whose first tick is written as "timer"
// At the end the process's memory is written too (VmHWM, RssAnon, RssFile in kB); FIRSTPAINT_SMAPS
// names a file to copy the process's mappings (/proc/self/smaps) into then.
// A window is named by the object name of its top window or of a widget within it.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

long long Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

QString Env(const char* name) { return QString::fromLocal8Bit(std::getenv(name) ? std::getenv(name) : ""); }

// Is the widget within the window of that name?
bool InWindow(QObject* o, const QString& name) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || name.isEmpty()) return false;
    for (QObject* p = w; p; p = p->parent())
        if (p->objectName() == name) return true;
    QWidget* top = w->window();
    return top->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly) != nullptr;
}

class Watch : public QObject {
public:
    Watch()
        : window_(Env("FIRSTPAINT_WINDOW")), splash_(Env("FIRSTPAINT_SPLASH")), timer_(Env("FIRSTPAINT_TIMER")) {
        const QString click = Env("FIRSTPAINT_CLICK");
        clickWindow_ = click.section('/', 0, 0);
        clickButton_ = click.section('/', 1);
        out_ = std::fopen(std::getenv("FIRSTPAINT_OUT") ? std::getenv("FIRSTPAINT_OUT") : "/dev/stderr", "w");
    }

    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Expose:
        case QEvent::UpdateRequest:
            // A window paints while it handles these; the pass is run here to see where it ends.
            if (!passing_ && o->isWindowType() && ((!splashShown_ && Is(o, splash_)) || (!paintedAt_ && Is(o, window_)))) {
                passing_ = true;
                o->event(e);
                passing_ = false;
                if (splashPainted_ && !splashShown_) {
                    splashShown_ = true;
                    Write("splash", Now());
                }
                if (paintedAt_) End(Now());
                return true;
            }
            break;
        case QEvent::Paint:
            // Only a window on screen counts: a hidden one may be drawn into an image.
            if (auto* w = qobject_cast<QWidget*>(o)) {
                const QWindow* handle = w->window()->windowHandle();
                if (!handle || !handle->isExposed()) break;
            }
            if (InWindow(o, splash_)) splashPainted_ = true;
            if (!paintedAt_ && InWindow(o, window_)) {
                paintedAt_ = Now();
                // A paint outside such a pass ends the run once what is under way is done.
                if (!passing_) QTimer::singleShot(0, [this] { End(Now()); });
            }
            break;
        case QEvent::EnabledChange:
            if (!clicked_ && !clickButton_.isEmpty() && o->objectName() == clickButton_ && InWindow(o, clickWindow_)) {
                auto* button = qobject_cast<QAbstractButton*>(o);
                if (button && button->isEnabled()) {
                    clicked_ = true;
                    Write("enabled", Now());
                    QTimer::singleShot(0, button, [button] { button->click(); });
                }
            }
            break;
        case QEvent::Timer:
            if (!ticked_ && !timer_.isEmpty() && o->objectName() == timer_) {
                ticked_ = true;
                Write("timer", Now());
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Is the platform window that of the named window?
    static bool Is(QObject* window, const QString& name) {
        if (name.isEmpty()) return false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (static_cast<QObject*>(w->windowHandle()) == window) return InWindow(w, name);
        return false;
    }
    void Write(const char* what, long long at) {
        if (out_) std::fprintf(out_, "%s %lld\n", what, at);
    }
    void End(long long at) {
        Write("paint", paintedAt_);
        Write("painted", at);
        // Where the memory is, in kB: the peak, and now the process's own and the mapped files'.
        if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
            char line[256];
            long long kb = 0;
            char name[64];
            while (std::fgets(line, sizeof line, status))
                if (std::sscanf(line, "%63[^:]: %lld kB", name, &kb) == 2 &&
                    (!std::strcmp(name, "VmHWM") || !std::strcmp(name, "RssAnon") || !std::strcmp(name, "RssFile")))
                    Write(name, kb);
            std::fclose(status);
        }
        if (out_) std::fclose(out_);
        // For a closer look: the process's mappings as they are now, copied where FIRSTPAINT_SMAPS says.
        if (const char* to = std::getenv("FIRSTPAINT_SMAPS"); to && *to)
            if (std::FILE* in = std::fopen("/proc/self/smaps", "r")) {
                if (std::FILE* copy = std::fopen(to, "w")) {
                    char buf[4096];
                    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, in)) > 0;) std::fwrite(buf, 1, n, copy);
                    std::fclose(copy);
                }
                std::fclose(in);
            }
        ::_exit(0);
    }

    QString window_, splash_, timer_, clickWindow_, clickButton_;
    std::FILE* out_ = nullptr;
    long long paintedAt_ = 0;
    bool splashPainted_ = false, splashShown_ = false, passing_ = false, clicked_ = false, ticked_ = false;
};

void Install() { QCoreApplication::instance()->installEventFilter(new Watch); }

// Runs when the program makes its QApplication.
struct Register {
    Register() { qAddPreRoutine(Install); }
} reg;

}  // namespace
