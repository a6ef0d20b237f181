#pragma once
// Conversions at the boundary between the forms model and Qt: Windows-1252 text, twips, colours,
// fonts, keys, mouse buttons and pointers.
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "platform/core/types.h"
#include "platform/forms/font.h"

class QKeyEvent;
class QMouseEvent;

namespace qtui {

using vb::Integer;
using vb::Long;
using vb::Single;

QString ToQ(std::string_view cp1252);
std::string FromQ(const QString& text);
// Multi-line text: the model keeps CR LF, widgets "\n".
QString ToQLines(std::string_view cp1252);
std::string FromQLines(const QString& text);
// A caption without its access-key marks ("&File" -> "File", "&&" -> "&"), for widgets that do not
// draw them.
QString StripMnemonic(std::string_view cp1252);

constexpr int kTwips = 15;  // per pixel
int Px(double twips);
double Twips(double pixels);
QRect PxRect(double left, double top, double width, double height);

// &HBBGGRR, system colours taken from the application palette so the desktop theme shows through.
QColor ToQColor(Long color);
// System colours as the classic Windows scheme (for paper, where no theme applies).
QColor ToPrintColor(Long color);
bool IsSystemColor(Long color);

// The Qt font for a model font: Windows font names map to installed metric-compatible families.
QFont ToQFont(const forms::Font& font);
QString MapFontFamily(const std::string& windowsName);

// The old key codes (vbKeyA ...) of a key event, 0 when the key has none; the shift mask
// (vbShiftMask | vbCtrlMask | vbAltMask) of a modifier set.
Integer KeyCode(const QKeyEvent& event);
Integer ShiftMask(Qt::KeyboardModifiers modifiers);
// The character a key event types as the old KeyPress sees it (13 Enter, 8 Backspace, 27 Escape,
// control characters for Ctrl+letter), 0 when it types none.
Integer KeyAscii(const QKeyEvent& event);
Integer MouseButton(Qt::MouseButton button);
Integer MouseButtons(Qt::MouseButtons buttons);
Qt::CursorShape CursorFor(Integer mousePointer);

}  // namespace qtui
