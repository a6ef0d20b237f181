#include "platform/qt/convert.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <cmath>

#include "platform/core/text.h"
#include "platform/forms/constants.h"

namespace qtui {

QString ToQ(std::string_view cp1252) {
    std::string utf8 = vb::ToUtf8(cp1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQ(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return vb::FromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString ToQLines(std::string_view cp1252) {
    QString s = ToQ(cp1252);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

std::string FromQLines(const QString& text) {
    std::string s = FromQ(text);
    std::string out;
    out.reserve(s.size() + s.size() / 16);
    for (char c : s) {
        if (c == '\n') out += "\r\n";
        else out += c;
    }
    return out;
}

QString StripMnemonic(std::string_view cp1252) {
    std::string out;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        if (cp1252[i] == '&' && i + 1 < cp1252.size()) ++i;
        else if (cp1252[i] == '&') continue;
        out += cp1252[i];
    }
    return ToQ(out);
}

int Px(double twips) { return static_cast<int>(std::lround(twips / kTwips)); }
double Twips(double pixels) { return pixels * kTwips; }

QRect PxRect(double left, double top, double width, double height) {
    int x = Px(left), y = Px(top);
    return QRect(x, y, std::max(0, Px(left + width) - x), std::max(0, Px(top + height) - y));
}

bool IsSystemColor(Long color) { return color < 0; }

namespace {

QColor FromBgr(Long bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

QColor ToQColor(Long color) {
    if (!IsSystemColor(color)) return FromBgr(color);
    const QPalette p = QApplication::palette();
    switch (static_cast<unsigned long>(color) & 0xFF) {
    case 0x04: case 0x0F: case 0x00: case 0x0A: case 0x0B: return p.color(QPalette::Button);
    case 0x05: return p.color(QPalette::Base);
    case 0x07: case 0x08: return p.color(QPalette::Text);
    case 0x0C: return p.color(QPalette::Dark);
    case 0x0D: return p.color(QPalette::Highlight);
    case 0x0E: return p.color(QPalette::HighlightedText);
    case 0x10: return p.color(QPalette::Mid);
    case 0x11: return p.color(QPalette::Disabled, QPalette::Text);
    case 0x12: return p.color(QPalette::ButtonText);
    case 0x14: return p.color(QPalette::Light);
    case 0x15: return p.color(QPalette::Shadow);
    case 0x16: return p.color(QPalette::Midlight);
    case 0x17: return p.color(QPalette::ToolTipText);
    case 0x18: return p.color(QPalette::ToolTipBase);
    default: return FromBgr(forms::ResolveColor(color));
    }
}

QColor ToPrintColor(Long color) { return FromBgr(forms::ResolveColor(color)); }

QString MapFontFamily(const std::string& windowsName) {
    std::string n = vb::LCase(windowsName);
    static const struct {
        const char* windows;
        const char* family;
    } kMap[] = {
        {"ms sans serif", "Liberation Sans"},  {"microsoft sans serif", "Liberation Sans"},
        {"arial", "Liberation Sans"},          {"helvetica", "Liberation Sans"},
        {"tahoma", "DejaVu Sans"},             {"verdana", "DejaVu Sans"},
        {"segoe ui", "Liberation Sans"},       {"system", "Liberation Sans"},
        {"small fonts", "Liberation Sans"},    {"ms shell dlg", "Liberation Sans"},
        {"arial narrow", "Liberation Sans Narrow"},
        {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},      {"georgia", "DejaVu Serif"},
        {"courier new", "Liberation Mono"},    {"courier", "Liberation Mono"},
        {"fixedsys", "Liberation Mono"},       {"terminal", "Liberation Mono"},
        {"lucida console", "DejaVu Sans Mono"},
    };
    for (const auto& m : kMap)
        if (n == m.windows) return QString::fromLatin1(m.family);
    return ToQ(windowsName);
}

QFont ToQFont(const forms::Font& font) {
    QFont f;
    f.setFamilies({MapFontFamily(font.Name), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(font.Size > 0 ? font.Size : 8.25);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.Strikethrough);
    return f;
}

Integer KeyCode(const QKeyEvent& event) {
    const int k = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<Integer>(96 + (k - Qt::Key_0));
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return static_cast<Integer>(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F16) return static_cast<Integer>(forms::vbKeyF1 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace: return forms::vbKeyBack;
    case Qt::Key_Tab: case Qt::Key_Backtab: return forms::vbKeyTab;
    case Qt::Key_Return: case Qt::Key_Enter: return forms::vbKeyReturn;
    case Qt::Key_Shift: return forms::vbKeyShift;
    case Qt::Key_Control: return forms::vbKeyControl;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return forms::vbKeyEscape;
    case Qt::Key_Space: return forms::vbKeySpace;
    case Qt::Key_PageUp: return forms::vbKeyPageUp;
    case Qt::Key_PageDown: return forms::vbKeyPageDown;
    case Qt::Key_End: return forms::vbKeyEnd;
    case Qt::Key_Home: return forms::vbKeyHome;
    case Qt::Key_Left: return forms::vbKeyLeft;
    case Qt::Key_Up: return forms::vbKeyUp;
    case Qt::Key_Right: return forms::vbKeyRight;
    case Qt::Key_Down: return forms::vbKeyDown;
    case Qt::Key_Insert: return forms::vbKeyInsert;
    case Qt::Key_Delete: return forms::vbKeyDelete;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_Menu: return forms::kKeyMenu;
    case Qt::Key_Asterisk: return keypad ? 106 : 56;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Period: return keypad ? 110 : 190;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Greater: return 190;
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

Integer ShiftMask(Qt::KeyboardModifiers modifiers) {
    Integer s = 0;
    if (modifiers & Qt::ShiftModifier) s |= forms::vbShiftMask;
    if (modifiers & Qt::ControlModifier) s |= forms::vbCtrlMask;
    if (modifiers & Qt::AltModifier) s |= forms::vbAltMask;
    return s;
}

Integer KeyAscii(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 0;
    default: break;
    }
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const QChar c = text.at(0);
    if (c.unicode() < 0x20) return static_cast<Integer>(c.unicode());
    if (!c.isPrint()) return 0;
    std::string b = FromQ(text);
    if (b.size() != 1) return 0;
    return static_cast<Integer>(static_cast<unsigned char>(b[0]));
}

Integer MouseButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return forms::vbLeftButton;
    case Qt::RightButton: return forms::vbRightButton;
    case Qt::MiddleButton: return forms::vbMiddleButton;
    default: return 0;
    }
}

Integer MouseButtons(Qt::MouseButtons buttons) {
    Integer b = 0;
    if (buttons & Qt::LeftButton) b |= forms::vbLeftButton;
    if (buttons & Qt::RightButton) b |= forms::vbRightButton;
    if (buttons & Qt::MiddleButton) b |= forms::vbMiddleButton;
    return b;
}

Qt::CursorShape CursorFor(Integer mousePointer) {
    switch (mousePointer) {
    case forms::vbCrosshair: return Qt::CrossCursor;
    case forms::vbIbeam: return Qt::IBeamCursor;
    case forms::vbSizePointer: case forms::vbSizeAll: return Qt::SizeAllCursor;
    case forms::vbSizeNESW: return Qt::SizeBDiagCursor;
    case forms::vbSizeNS: return Qt::SizeVerCursor;
    case forms::vbSizeNWSE: return Qt::SizeFDiagCursor;
    case forms::vbSizeWE: return Qt::SizeHorCursor;
    case forms::vbUpArrow: return Qt::UpArrowCursor;
    case forms::vbHourglass: return Qt::WaitCursor;
    case forms::vbNoDrop: return Qt::ForbiddenCursor;
    case forms::vbArrowHourglass: return Qt::BusyCursor;
    case forms::vbArrowQuestion: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
    }
}

}  // namespace qtui
