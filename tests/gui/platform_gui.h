#pragma once
// Helpers for GUI tests on the Qt backend (offscreen): the QApplication exists for the whole
// test program (platform_app.cpp); each test installs a qtui::QtHost.
#include <QApplication>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace gui {

// The build folder ($VT_BUILD_DIR, else the current one): sample data, screenshots.
inline std::filesystem::path BuildDir() {
    const char* build = std::getenv("VT_BUILD_DIR");
    return build ? std::filesystem::path(build) : std::filesystem::current_path();
}

// Lets queued events run (and deferred deletes of closed windows).
void Pump(int milliseconds = 0);
// Lets events run until the condition holds; false when the time is up first.
bool PumpUntil(const std::function<bool()>& done, int milliseconds);
// ${VT_BUILD_DIR}/screenshots/<name>.png; the folder is made when missing.
std::string ScreenshotPath(const std::string& name);

// Runs `act` on the next modal widget that opens (a message box, dialog or modal form), once the
// event loop reaches it. Call before the code that opens it.
void WhenModal(std::function<void(QWidget*)> act);
// The same for the first modal widget on top that `which` picks (over a modal form, say).
void WhenModal(std::function<bool(QWidget*)> which, std::function<void(QWidget*)> act);
// The same for an open pop-up menu.
void WhenPopup(std::function<void(QWidget*)> act);

// A key as the user presses it: to the open menu, else to whatever has the focus. AltAlone is Alt
// pressed and let go with no other key.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void AltAlone();
// The menu of a menu bar that the keyboard is on ("" when the bar has not the focus), and the
// title of the open menu ("" when none is open).
QString Highlighted(const QMenuBar* bar);
QString OpenMenu();

// The first child of the widget of type W whose text/title shows `text` (nullptr when none).
template <class W>
W* FindChild(QWidget* root, const QString& text = {}) {
    for (W* w : root->findChildren<W*>()) {
        if (text.isEmpty()) return w;
        if (w->property("text").toString().remove(QChar('&')) == text) return w;
    }
    return nullptr;
}

}  // namespace gui
