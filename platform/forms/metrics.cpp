#include <array>

#include "platform/forms/constants.h"
#include "platform/forms/font.h"

namespace forms {

namespace {

// Helvetica advance widths (1/1000 em) for 0x20..0x7E.
constexpr std::array<short, 95> kRegular = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // space ... /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 ... ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @ ... O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P ... _
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` ... o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,       // p ... ~
};

constexpr std::array<short, 95> kBold = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584,
};

// Relative frequency (per 1000) of the lower-case letters a..z and the blank in English text.
constexpr std::array<short, 27> kFrequency = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6,  35, 20, 56,
                                              56, 17, 4,  49, 56,  71, 31, 10, 18, 3,  18, 2,  166};

constexpr double kTwipsPerPoint = 20.0;
constexpr double kLineHeightEm = 1.15;

}  // namespace

int FixedMetrics::CharWidth(unsigned char c, bool bold) {
    if (c >= 0x20 && c <= 0x7E) return (bold ? kBold : kRegular)[c - 0x20];
    if (c < 0x20) return 0;
    switch (c) {
    case 0xA0: return 278;                          // no-break space
    case 0xBC: case 0xBD: case 0xBE: return 834;    // fractions
    case 0xA9: case 0xAE: return 737;               // copyright, registered
    case 0x95: return 350;                          // bullet
    case 0x96: return 556;                          // en dash
    case 0x97: return 1000;                         // em dash
    default: return 556;
    }
}

double FixedMetrics::TextWidth(const Font& font, std::string_view text) const {
    long units = 0;
    for (char ch : text) units += CharWidth(static_cast<unsigned char>(ch), font.Bold);
    return units * font.Size * kTwipsPerPoint / 1000.0;
}

double FixedMetrics::LineHeight(const Font& font) const { return font.Size * kTwipsPerPoint * kLineHeightEm; }

double FixedMetrics::AverageCharWidth(const Font& font) const {
    return WeightedAverageWidth([&](char c) { return TextWidth(font, std::string_view(&c, 1)); });
}

double WeightedAverageWidth(const std::function<double(char)>& width) {
    double weighted = 0;
    long total = 0;
    for (int i = 0; i < 27; ++i) {
        const char c = i < 26 ? static_cast<char>('a' + i) : ' ';
        weighted += kFrequency[static_cast<std::size_t>(i)] * width(c);
        total += kFrequency[static_cast<std::size_t>(i)];
    }
    return weighted / static_cast<double>(total);
}

// The classic Windows scheme ("Windows Standard").
Long ResolveColor(Long color) {
    if (color >= 0) return color & 0xFFFFFF;
    switch (static_cast<unsigned long>(color) & 0xFF) {
    case 0x00: return 0xC0C0C0;  // scroll bars
    case 0x01: return 0x808000;  // desktop
    case 0x02: return 0x800000;  // active title bar
    case 0x03: return 0x808080;  // inactive title bar
    case 0x04: return 0xC0C0C0;  // menu bar
    case 0x05: return 0xFFFFFF;  // window background
    case 0x06: return 0x000000;  // window frame
    case 0x07: return 0x000000;  // menu text
    case 0x08: return 0x000000;  // window text
    case 0x09: return 0xFFFFFF;  // title bar text
    case 0x0A: return 0xC0C0C0;  // active border
    case 0x0B: return 0xC0C0C0;  // inactive border
    case 0x0C: return 0x808080;  // application workspace
    case 0x0D: return 0x800000;  // highlight
    case 0x0E: return 0xFFFFFF;  // highlight text
    case 0x0F: return 0xC0C0C0;  // button face
    case 0x10: return 0x808080;  // button shadow
    case 0x11: return 0x808080;  // gray text
    case 0x12: return 0x000000;  // button text
    case 0x13: return 0xC0C0C0;  // inactive caption text
    case 0x14: return 0xFFFFFF;  // 3D highlight
    case 0x15: return 0x000000;  // 3D dark shadow
    case 0x16: return 0xDFDFDF;  // 3D light
    case 0x17: return 0x000000;  // tool tip text
    case 0x18: return 0xE1FFFF;  // tool tip background
    default: return 0x000000;
    }
}

}  // namespace forms
