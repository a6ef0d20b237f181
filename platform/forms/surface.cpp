#include "platform/forms/surface.h"

#include <algorithm>
#include <cmath>

#include "platform/core/convert.h"
#include "platform/core/error.h"

namespace forms {

namespace {

// A number prints as Str writes it, followed by one blank.
std::string NumberText(std::string s) { return s + " "; }

constexpr double kTolerance = 0.001;  // twips

}  // namespace

PrintItem::PrintItem(short x) : text(NumberText(vb::Str(static_cast<vb::Integer>(x)))) {}
PrintItem::PrintItem(int x) : text(NumberText(vb::Str(static_cast<vb::Long>(x)))) {}
PrintItem::PrintItem(long x) : text(NumberText(vb::Str(static_cast<double>(x)))) {}
PrintItem::PrintItem(long long x) : text(NumberText(vb::Str(static_cast<double>(x)))) {}
PrintItem::PrintItem(unsigned int x) : text(NumberText(vb::Str(static_cast<double>(x)))) {}
PrintItem::PrintItem(unsigned long x) : text(NumberText(vb::Str(static_cast<double>(x)))) {}
PrintItem::PrintItem(unsigned long long x) : text(NumberText(vb::Str(static_cast<double>(x)))) {}
PrintItem::PrintItem(float x) : text(NumberText(vb::Str(x))) {}
PrintItem::PrintItem(double x) : text(NumberText(vb::Str(x))) {}

vb::Single Surface::CurrentX() const { return static_cast<vb::Single>(x_ + scaleLeft_); }
vb::Single Surface::CurrentY() const { return static_cast<vb::Single>(y_ + scaleTop_); }
void Surface::CurrentX(vb::Single x) { x_ = static_cast<double>(x) - scaleLeft_; }
void Surface::CurrentY(vb::Single y) { y_ = static_cast<double>(y) - scaleTop_; }

void Surface::DrawWidth(vb::Integer pixels) {
    if (pixels < 1) throw vb::Error(vb::errInvalidPropertyValue);
    drawWidth_ = pixels;
}

void Surface::NewLine() {
    y_ += SurfaceMetrics().LineHeight(SurfaceFont());
    x_ = -static_cast<double>(scaleLeft_);
}

void Surface::PrintText(std::string_view text) {
    bool first = true;
    ForEachLine(text, [&](std::string_view line) {
        if (!first) NewLine();
        first = false;
        if (line.empty()) return;
        const Font& font = SurfaceFont();
        BeforeText(SurfaceMetrics().LineHeight(font));
        DrawOp op;
        op.kind = DrawOp::Kind::Text;
        op.x1 = x_;
        op.y1 = y_;
        op.text = std::string(line);
        op.font = font;
        op.color = SurfaceColor();
        double w = SurfaceMetrics().TextWidth(font, line);
        op.x2 = x_ + w;
        op.y2 = y_ + SurfaceMetrics().LineHeight(font);
        x_ += w;
        Emit(std::move(op));
    });
}

void Surface::Print(std::span<const PrintItem> items) {
    bool endLine = true;
    for (const PrintItem& item : items) {
        switch (item.kind) {
        case PrintItem::Kind::Text:
            PrintText(item.text);
            endLine = true;
            break;
        case PrintItem::Kind::Semicolon:
            endLine = false;
            break;
        case PrintItem::Kind::Comma: {
            double zone = 14 * SurfaceMetrics().AverageCharWidth(SurfaceFont());
            double logical = x_ + scaleLeft_;
            double next = (std::floor(logical / zone + kTolerance / zone) + 1) * zone;
            x_ = next - scaleLeft_;
            endLine = false;
            break;
        }
        case PrintItem::Kind::Tab: {
            double avg = SurfaceMetrics().AverageCharWidth(SurfaceFont());
            double column = item.n <= 1 ? 0.0 : (item.n - 1) * avg;
            double target = column - scaleLeft_;
            if (x_ > target + kTolerance) NewLine();
            x_ = target;
            endLine = true;
            break;
        }
        case PrintItem::Kind::Spc:
            x_ += std::max(0, item.n) * SurfaceMetrics().TextWidth(SurfaceFont(), " ");
            endLine = true;
            break;
        }
    }
    if (endLine) NewLine();
}

void Surface::Line(vb::Single x1, vb::Single y1, vb::Single x2, vb::Single y2, vb::Long color) {
    Draw(DrawOp::Kind::Line, x1, y1, x2, y2, color);
}

void Surface::LineTo(vb::Single x2, vb::Single y2, vb::Long color) { Line(CurrentX(), CurrentY(), x2, y2, color); }

void Surface::Box(vb::Single x1, vb::Single y1, vb::Single x2, vb::Single y2, vb::Long color, bool filled) {
    Draw(filled ? DrawOp::Kind::FilledBox : DrawOp::Kind::Box, x1, y1, x2, y2, color);
}

// Lines and boxes: scaled into the surface, drawn in the current width, and the pen ends at the
// second corner.
void Surface::Draw(DrawOp::Kind kind, vb::Single x1, vb::Single y1, vb::Single x2, vb::Single y2, vb::Long color) {
    DrawOp op;
    op.kind = kind;
    op.x1 = x1 - scaleLeft_;
    op.y1 = y1 - scaleTop_;
    op.x2 = x2 - scaleLeft_;
    op.y2 = y2 - scaleTop_;
    op.color = color == -1 ? SurfaceColor() : color;
    op.width = drawWidth_;
    x_ = op.x2;
    y_ = op.y2;
    Emit(std::move(op));
}

vb::Single Surface::TextWidth(std::string_view text) const {
    double widest = 0;
    ForEachLine(text, [&](std::string_view line) {
        widest = std::max(widest, SurfaceMetrics().TextWidth(SurfaceFont(), line));
    });
    return static_cast<vb::Single>(widest);
}

vb::Single Surface::TextHeight(std::string_view text) const {
    int lines = 0;
    ForEachLine(text, [&](std::string_view) { ++lines; });
    return static_cast<vb::Single>(lines * SurfaceMetrics().LineHeight(SurfaceFont()));
}

}  // namespace forms
