#include "platform/qt/desktop.h"

#include <canberra.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMimeDatabase>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <map>
#include <cstdlib>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "platform/core/text.h"
#include "platform/files/locations.h"
#include "platform/forms/form.h"
#include "platform/qt/convert.h"
#include "platform/qt/help.h"
#include "platform/qt/peer.h"
#include "platform/services/library.h"

namespace qtui {

namespace {

const CanberraApi& Canberra();

QtDesktop* g_desktop = nullptr;

bool HasScheme(const std::string& s) {
    for (const char* scheme : {"http:", "https:", "mailto:", "ftp:", "file:"}) {
        std::size_t n = std::char_traits<char>::length(scheme);
        if (s.size() >= n && vb::LCase(s.substr(0, n)) == scheme) return true;
    }
    return false;
}

QIcon IconFor(const services::TrayIcon& icon) {
    if (!icon.icon.empty()) {
        QIcon i(ToQ(icon.icon));
        if (!i.isNull()) return i;
    }
    if (!QApplication::windowIcon().isNull()) return QApplication::windowIcon();
    return QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
}

}  // namespace

bool TrayStandInActive() { return g_desktop && g_desktop->StandInActive(); }

void RestoreFromTrayStandIn() {
    if (g_desktop) g_desktop->RestoreFromStandIn();
}

QtDesktop::QtDesktop() : noTrayNotice_([this] { ShowNoTrayNotice(); }) { g_desktop = this; }

QtDesktop::~QtDesktop() {
    if (g_desktop == this) g_desktop = nullptr;
    for (const QPointer<QSystemTrayIcon>& icon : leaving_) delete icon.data();
    if (help_) delete help_.data();
    if (notice_) delete notice_.data();
    if (sound_) Canberra().context_destroy(sound_);
}

bool QtDesktop::Open(const std::string& target) {
    QUrl url = HasScheme(target) ? QUrl(ToQ(target)) : QUrl::fromLocalFile(QFileInfo(ToQ(target)).absoluteFilePath());
    return url.isValid() && QDesktopServices::openUrl(url);
}

std::optional<std::string> QtDesktop::DefaultApplication(const std::string& file) {
    QString mime = QMimeDatabase().mimeTypeForFile(ToQ(file)).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mime});
    if (!query.waitForFinished(3000) || query.exitCode() != 0) return std::nullopt;
    QString desktopId = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    if (desktopId.isEmpty()) return std::nullopt;
    QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile f(entry);
    if (entry.isEmpty() || !f.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
    while (!f.atEnd()) {
        QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (!line.startsWith(QStringLiteral("Exec="))) continue;
        QStringList parts = QProcess::splitCommand(line.mid(5));
        if (parts.isEmpty()) return std::nullopt;
        QString program = QStandardPaths::findExecutable(parts.first());
        if (program.isEmpty() && QFileInfo(parts.first()).isExecutable()) program = parts.first();
        if (program.isEmpty()) return std::nullopt;
        return FromQ(program);
    }
    return std::nullopt;
}

long QtDesktop::Start(const std::vector<std::string>& argv) {
    if (argv.empty()) return 0;
    QStringList args;
    for (std::size_t i = 1; i < argv.size(); ++i) args << ToQ(argv[i]);
    qint64 pid = 0;
    if (!QProcess::startDetached(ToQ(argv[0]), args, QString(), &pid)) return 0;
    return pid > 0 ? static_cast<long>(pid) : 1;
}

std::string FindHelpPage(const services::HelpRequest& request) {
    namespace fs = std::filesystem;
    if (request.command == services::HELP_QUIT) return {};
    std::string page = request.command == services::HELP_CONTEXT ? std::to_string(request.data) + ".html" : "index.html";
    std::vector<fs::path> candidates;
    if (std::string beside = services::HelpTopic(request); !beside.empty()) candidates.emplace_back(beside);
    std::string name = request.helpFile;
    for (char& c : name)
        if (c == '\\') c = '/';
    std::string stem = fs::path(name).stem().string();
    std::vector<fs::path> roots{files::CurrentDirectory() / "help"};
    if (!forms::App().Path().empty()) roots.push_back(fs::path(forms::App().Path()) / "help");
    for (const fs::path& root : roots) {
        if (!stem.empty()) candidates.push_back(root / stem / page);
        candidates.push_back(root / page);
    }
    std::error_code ec;
    for (const fs::path& c : candidates)
        if (fs::is_regular_file(c, ec)) return c.string();
    return {};
}

void QtDesktop::ShowHelp(const services::HelpRequest& request) {
    if (request.command == services::HELP_QUIT) {
        if (help_) help_->close();
        return;
    }
    if (!help_) help_ = new HelpWindow;
    std::string page = FindHelpPage(request);
    if (page.empty()) help_->ShowMissing(request.command == services::HELP_CONTEXT ? request.data : -1);
    else help_->ShowPage(page);
    // A keyword search with no keyword opens the search, as the old help program did.
    if (request.command == services::HELP_PARTIALKEY) help_->StartSearch();
    help_->Present();
}

bool QtDesktop::TrayAdd(const services::TrayIcon& icon) {
    if (!(hasTray_ ? hasTray_() : QSystemTrayIcon::isSystemTrayAvailable())) {
        // The task bar stands in: a window hidden now is minimized there instead. Each time, the
        // user is told, since a bare desktop may have no task bar to find it in either.
        const bool told = !standIns_.empty();
        standIns_[icon.id] = icon;
        if (!told && noTrayNotice_) noTrayNotice_();
        return true;
    }
    auto tray = std::make_unique<QSystemTrayIcon>(IconFor(icon));
    tray->setToolTip(ToQ(services::TrayTipText(icon.tip)));
    int id = icon.id;
    QObject::connect(tray.get(), &QSystemTrayIcon::activated, tray.get(), [this, id](QSystemTrayIcon::ActivationReason reason) {
        services::TrayActivation a;
        switch (reason) {
        case QSystemTrayIcon::Trigger: a = services::TrayActivation::Click; break;
        case QSystemTrayIcon::DoubleClick: a = services::TrayActivation::DoubleClick; break;
        case QSystemTrayIcon::Context: a = services::TrayActivation::Context; break;
        case QSystemTrayIcon::MiddleClick: a = services::TrayActivation::MiddleClick; break;
        default: return;
        }
        auto it = callbacks_.find(id);
        if (it == callbacks_.end()) return;
        auto cb = it->second;  // a copy: the callback may delete the icon
        for (int message : services::TrayMessages(a))
            if (cb) Guarded([&] { cb(message); });
    });
    tray->show();
    callbacks_[id] = icon.callback;
    icons_[id] = std::move(tray);
    return true;
}

bool QtDesktop::TrayModify(const services::TrayIcon& icon) {
    if (auto s = standIns_.find(icon.id); s != standIns_.end()) {
        s->second = icon;
        return false;
    }
    auto it = icons_.find(icon.id);
    if (it == icons_.end()) return false;
    it->second->setIcon(IconFor(icon));
    it->second->setToolTip(ToQ(services::TrayTipText(icon.tip)));
    callbacks_[icon.id] = icon.callback;
    return true;
}

bool QtDesktop::TrayDelete(int id) {
    if (standIns_.erase(id) > 0) {
        if (standIns_.empty() && notice_) notice_->close();  // the window is back: nothing to tell
        return false;
    }
    auto it = icons_.find(id);
    if (it == icons_.end()) return false;
    // Not hidden here: on X11 hiding deletes the icon's window at once, and that window may be
    // delivering the very click that removes the icon (a menu chosen from it). Deleted once the
    // event loop is back, it goes from the tray then, after that click.
    QSystemTrayIcon* icon = it->second.release();
    icons_.erase(it);
    callbacks_.erase(id);
    std::erase_if(leaving_, [](const QPointer<QSystemTrayIcon>& p) { return p.isNull(); });
    leaving_.emplace_back(icon);
    icon->deleteLater();
    return true;
}

QSystemTrayIcon* QtDesktop::TrayIcon(int id) const {
    auto it = icons_.find(id);
    return it == icons_.end() ? nullptr : it->second.get();
}

// Its own window, owned by none: the window that goes to the task bar takes no notice with it (a
// window manager minimizes a window's dialogs together with it). Its button is the way back.
void QtDesktop::ShowNoTrayNotice() {
    if (notice_) {
        notice_->raise();
        return;
    }
    const std::string& title = forms::App().Title();
    auto* box = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(ToQ(title.empty() ? std::string("Notification area") : title));
    auto* icon = new QLabel(box);
    const int side = box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box);
    icon->setPixmap(box->style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, box).pixmap(side, side));
    auto* text = new QLabel(QStringLiteral("This desktop has no notification area (system tray), so the window is "
                                           "minimized instead. Restore it from the task bar or the window list, or "
                                           "with the button below."),
                            box);
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    auto* buttons = new QDialogButtonBox(box);
    QPushButton* back = buttons->addButton(QStringLiteral("&Show the window"), QDialogButtonBox::AcceptRole);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    back->setDefault(true);
    QObject::connect(back, &QPushButton::clicked, box, [this, box] {
        box->close();
        RestoreFromStandIn();
    });
    QObject::connect(ok, &QPushButton::clicked, box, &QWidget::close);
    // Not a dialog, so Escape is no Cancel here by itself; it closes the notice as "OK" does.
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), box), &QShortcut::activated, box, &QWidget::close);
    auto* grid = new QGridLayout(box);
    grid->addWidget(icon, 0, 0, Qt::AlignTop);
    grid->addWidget(text, 0, 1);
    grid->addWidget(buttons, 1, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    box->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        box->move(screen->availableGeometry().center() - QPoint(box->width() / 2, box->height() / 2));
    notice_ = box;
    box->show();
}

void QtDesktop::RestoreFromStandIn() {
    if (standIns_.empty()) return;
    auto callback = standIns_.begin()->second.callback;
    if (!callback) return;
    for (int message : services::TrayMessages(services::TrayActivation::DoubleClick))
        Guarded([&] { callback(message); });
}

namespace {

struct Playback {
    std::mutex m;
    std::condition_variable done;
    bool finished = false;
};

void Finished(ca_context*, uint32_t, int, void* userdata) {
    auto* holder = static_cast<std::shared_ptr<Playback>*>(userdata);
    {
        std::lock_guard<std::mutex> lock((*holder)->m);
        (*holder)->finished = true;
    }
    (*holder)->done.notify_all();
    delete holder;
}

}  // namespace

namespace {

// A sound server or a sound card is there; without one the sound libraries only complain.
bool SoundOutputExists() {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (std::getenv("PULSE_SERVER")) return true;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        if (fs::exists(fs::path(runtime) / "pulse" / "native", ec) || fs::exists(fs::path(runtime) / "pipewire-0", ec))
            return true;
    }
    return fs::exists("/dev/snd/controlC0", ec);
}

}  // namespace

const CanberraApi* LoadCanberra(const std::string& soname, std::string* why) {
    static std::mutex m;
    static std::map<std::string, CanberraApi> loaded;
    std::lock_guard lock(m);
    if (auto it = loaded.find(soname); it != loaded.end()) return &it->second;
    const services::LibrarySymbols lib = services::LoadLibrarySymbols(
        soname, {"ca_context_create", "ca_context_destroy", "ca_context_change_props", "ca_context_play_full",
                 "ca_proplist_create", "ca_proplist_sets", "ca_proplist_destroy"});
    if (!lib.ok()) {
        if (why) *why = lib.error;
        return nullptr;
    }
    using services::As;
    const auto& f = lib.symbols;
    const CanberraApi api{As<decltype(CanberraApi::context_create)>(f[0]),
                          As<decltype(CanberraApi::context_destroy)>(f[1]),
                          As<decltype(CanberraApi::context_change_props)>(f[2]),
                          As<decltype(CanberraApi::context_play_full)>(f[3]),
                          As<decltype(CanberraApi::proplist_create)>(f[4]),
                          As<decltype(CanberraApi::proplist_sets)>(f[5]),
                          As<decltype(CanberraApi::proplist_destroy)>(f[6])};
    return &loaded.emplace(soname, api).first->second;
}

namespace {

// The sound library every desktop uses, opened on the first sound. Only called once a context
// exists, so it is loaded then.
const CanberraApi& Canberra() { return *LoadCanberra(kCanberraLibrary, nullptr); }

}  // namespace

bool QtDesktop::PlaySound(const std::string& path, bool wait) {
    if (!QFileInfo(ToQ(path)).isFile() || !SoundOutputExists()) return false;
    std::string why;
    const CanberraApi* ca = LoadCanberra(kCanberraLibrary, &why);
    if (!ca) {
        // Said once: the sound is simply not heard, as without a sound device.
        static std::once_flag told;
        std::call_once(told, [&] { std::fprintf(stderr, "No sound: %s\n", why.c_str()); });
        return false;
    }
    if (!sound_) {
        if (ca->context_create(&sound_) != CA_SUCCESS) {
            sound_ = nullptr;
            return false;
        }
        std::string app = forms::App().Title().empty() ? "program" : vb::ToUtf8(forms::App().Title());
        ca->context_change_props(sound_, CA_PROP_APPLICATION_NAME, app.c_str(), nullptr);
    }
    QByteArray file = QFileInfo(ToQ(path)).absoluteFilePath().toUtf8();
    ca_proplist* props = nullptr;
    if (ca->proplist_create(&props) != CA_SUCCESS) return false;
    ca->proplist_sets(props, CA_PROP_MEDIA_FILENAME, file.constData());
    ca->proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
    auto playback = std::make_shared<Playback>();
    auto* holder = new std::shared_ptr<Playback>(playback);
    int rc = ca->context_play_full(sound_, 1, props, Finished, holder);
    ca->proplist_destroy(props);
    if (rc != CA_SUCCESS) {
        delete holder;  // no callback comes for a sound that did not start
        return false;
    }
    if (wait) {
        std::unique_lock<std::mutex> lock(playback->m);
        playback->done.wait_for(lock, std::chrono::seconds(60), [&] { return playback->finished; });
    }
    return true;
}

}  // namespace qtui
