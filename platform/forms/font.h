#pragma once
// Fonts and the measuring of text, in twips. Text is Windows-1252.
#include <functional>
#include <string>
#include <string_view>

#include "platform/core/types.h"

namespace forms {

struct Font {
    std::string Name = "MS Sans Serif";
    vb::Single Size = 8.25f;  // points; fractional sizes as the old runtime kept them (8.25, 14.25)
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;

    friend bool operator==(const Font&, const Font&) = default;
};

// Where text sizes come from: the toolkit's real metrics on screen and printer, a fixed table in
// tests. All results are twips. Text holds no line breaks here; callers split lines first.
class FontMetrics {
public:
    virtual ~FontMetrics() = default;
    virtual double TextWidth(const Font& font, std::string_view text) const = 0;
    // Height of one line of the font (ascent + descent + leading).
    virtual double LineHeight(const Font& font) const = 0;
    // The font's average character width: the unit of Tab(n) columns and print zones.
    virtual double AverageCharWidth(const Font& font) const = 0;
};

// The average character width as the old fonts gave it (and the old printer placed Tab columns
// by): the widths of the lower-case letters and the blank, weighted by their frequency in English
// text. Newer fonts state a wider average over all their glyphs, which would spread the columns.
double WeightedAverageWidth(const std::function<double(char)>& width);

// A fixed, Helvetica-compatible table (the widths of Helvetica and Helvetica-Bold, which Arial
// shares), used for every font name. Line height 1.15 em; the average character width is the
// frequency-weighted mean of the lower-case letters and the blank. Deterministic for tests and for
// runs without a display.
class FixedMetrics : public FontMetrics {
public:
    double TextWidth(const Font& font, std::string_view text) const override;
    double LineHeight(const Font& font) const override;
    double AverageCharWidth(const Font& font) const override;

    // Width of one character in 1/1000 em.
    static int CharWidth(unsigned char c, bool bold);
};

// Splits text at CR LF, LF or CR into lines (one empty line for an empty text).
template <class F>
void ForEachLine(std::string_view text, F&& f) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            f(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    f(text.substr(start));
}

}  // namespace forms
