#pragma once
// A drawing surface with the old runtime's Print, Line and measuring rules, shared by picture boxes
// and the printer. Positions are twips. The surface keeps its pen in physical twips from its
// top-left corner; CurrentX/CurrentY read and set it in scale coordinates, where the left edge is
// ScaleLeft and the top edge ScaleTop (physical = scale - ScaleLeft). Changing ScaleLeft or
// ScaleTop does not move the pen.
//
// Print takes a list of items:
//     pic.Print({"Total", forms::Tab(30), 42, forms::Semi});
//  * a text prints as it stands (CR LF, LF or CR inside start a new line at scale x 0);
//  * a number prints as Str does, with a blank for the sign when not negative, plus one blank after;
//  * items next to each other print next to each other (the old ';');
//  * Comma moves to the next print zone (every 14 average character widths from scale x 0);
//  * Tab(n) moves to column n, which lies n - 1 average character widths right of scale x 0
//    (columns 0 and 1 are both the margin); when the pen is already past it, the column on the
//    next line; Tab() is the next print zone; Spc(n) moves right by n blanks;
//  * the line ends after the last item unless that is Semi or Comma. Print({}) ends a line.
// A line end moves the pen to scale x 0 and down by the current font's line height.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/types.h"
#include "platform/forms/font.h"

namespace forms {

struct PrintItem {
    enum class Kind { Text, Semicolon, Comma, Tab, Spc };
    Kind kind = Kind::Text;
    std::string text;
    int n = 0;

    PrintItem(const char* s) : text(s) {}
    PrintItem(std::string s) : text(std::move(s)) {}
    PrintItem(std::string_view s) : text(s) {}
    PrintItem(short x);
    PrintItem(int x);
    PrintItem(long x);
    PrintItem(long long x);
    PrintItem(unsigned int x);
    PrintItem(unsigned long x);
    PrintItem(unsigned long long x);
    PrintItem(bool x) : text(x ? "True" : "False") {}
    PrintItem(float x);
    PrintItem(double x);
    PrintItem(Kind k, int count) : kind(k), n(count) {}
};

inline const PrintItem Semi{PrintItem::Kind::Semicolon, 0};
inline const PrintItem Comma{PrintItem::Kind::Comma, 0};
inline PrintItem Tab(int column) { return {PrintItem::Kind::Tab, column}; }
inline PrintItem Tab() { return {PrintItem::Kind::Comma, 0}; }
inline PrintItem Spc(int count) { return {PrintItem::Kind::Spc, count}; }

// One drawing operation, in physical twips from the surface's top-left corner.
struct DrawOp {
    enum class Kind { Text, Line, Box, FilledBox };
    Kind kind = Kind::Text;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Text: x1, y1 = top-left of the text
    std::string text;
    Font font;
    vb::Long color = 0;      // &HBBGGRR (system colours allowed)
    int width = 1;           // line width in device pixels (DrawWidth)
};

class Surface {
public:
    virtual ~Surface() = default;

    vb::Single CurrentX() const;
    vb::Single CurrentY() const;
    void CurrentX(vb::Single x);
    void CurrentY(vb::Single y);
    vb::Single ScaleLeft() const { return scaleLeft_; }
    vb::Single ScaleTop() const { return scaleTop_; }
    void ScaleLeft(vb::Single v) { scaleLeft_ = v; }
    void ScaleTop(vb::Single v) { scaleTop_ = v; }
    vb::Integer DrawWidth() const { return drawWidth_; }
    void DrawWidth(vb::Integer pixels);

    void Print(std::initializer_list<PrintItem> items) { Print(std::span<const PrintItem>(items)); }
    void Print(std::span<const PrintItem> items);
    void Print() { Print(std::span<const PrintItem>()); }

    // Line (x1, y1)-(x2, y2), colour: the pen ends at (x2, y2). color -1 = the fore colour.
    void Line(vb::Single x1, vb::Single y1, vb::Single x2, vb::Single y2, vb::Long color = -1);
    // Line -(x2, y2): from the pen.
    void LineTo(vb::Single x2, vb::Single y2, vb::Long color = -1);
    // Line (x1, y1)-(x2, y2), colour, B / BF.
    void Box(vb::Single x1, vb::Single y1, vb::Single x2, vb::Single y2, vb::Long color = -1,
             bool filled = false);

    // Widest line of the text; lines times the line height (one line for "").
    vb::Single TextWidth(std::string_view text) const;
    vb::Single TextHeight(std::string_view text = "") const;

protected:
    virtual const FontMetrics& SurfaceMetrics() const = 0;
    virtual const Font& SurfaceFont() const = 0;
    virtual vb::Long SurfaceColor() const = 0;
    virtual void Emit(DrawOp op) = 0;
    // Before a line of text of the given height is placed at the pen (the printer starts a new
    // page here when it would not fit).
    virtual void BeforeText(double height) {}

    void ResetPen() { x_ = 0; y_ = 0; }
    double PenX() const { return x_; }
    double PenY() const { return y_; }
    void SetPen(double x, double y) { x_ = x; y_ = y; }

private:
    void NewLine();
    void PrintText(std::string_view text);
    void Draw(DrawOp::Kind kind, vb::Single x1, vb::Single y1, vb::Single x2, vb::Single y2, vb::Long color);
    double x_ = 0, y_ = 0;
    vb::Single scaleLeft_ = 0, scaleTop_ = 0;
    vb::Integer drawWidth_ = 1;
};

}  // namespace forms
