#pragma once
// The recipe record: one-byte Windows-1252 delimiters around the name, servings, lines and
// directions. Nothing in the format escapes them, so user text must not hold any of them.
//
//   record   = \xAE name \xA7 servings \xC8 line... \xC6 \xBF directions \xDF
//   ing line = \xCE name \xCF (\xBC fraction-qty | \xD0 decimal-qty) \xCA measure \x90
//   heading  = \xCE \xA5 text \x90
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace recipe::grammar {

inline constexpr char kRecordStart = '\xAE';    // before the name
inline constexpr char kNameEnd = '\xA7';        // the body begins here; servings follow
inline constexpr char kServingsEnd = '\xC8';    // the lines follow
inline constexpr char kLineStart = '\xCE';      // every line
inline constexpr char kIngNameEnd = '\xCF';     // ingredient line: after the name
inline constexpr char kFractionQty = '\xBC';    // quantity entered as whole number and fraction
inline constexpr char kDecimalQty = '\xD0';     // quantity entered as a decimal
inline constexpr char kQtyEnd = '\xCA';         // the measure follows
inline constexpr char kHeading = '\xA5';        // second character of a heading line
inline constexpr char kLineEnd = '\x90';        // last character of every line
inline constexpr char kLinesEnd = '\xC6';       // once, after the last line
inline constexpr char kDirections = '\xBF';     // the directions follow
inline constexpr char kRecordEnd = '\xDF';      // record end

// Every delimiter byte, in table order.
inline constexpr std::string_view kDelimiters = "\xAE\xA7\xC8\xCE\xCF\xBC\xD0\xCA\xA5\x90\xC6\xBF\xDF";

// The first delimiter byte in text, or -1 when there is none.
int FindDelimiter(std::string_view text);
// The message that refuses such a text, naming the character and what it was typed into
// (what = "recipe name", "directions" ...).
std::string DelimiterMessage(std::string_view what, int delimiter);
// The character as the user sees it ("\xDF" for 0xDF; the control 0x90 by its code).
std::string DelimiterShown(int delimiter);

// True when the text is one whole record with every delimiter in its place: no name, servings
// text, heading, quantity, measure or directions holds a delimiter.
bool IsWellFormedRecord(std::string_view record);

// A record's body taken apart by its structure, byte for byte: the servings up to the first
// servings end, then line after line (each a line start up to its line end), then the lines end,
// the directions mark, and the directions up to the record end, which is the body's last byte.
// Fields may hold delimiters that cannot be mistaken for structure there (directions may hold any
// byte but the record end, a heading any byte but the line end), as older stores have them.
struct RecipeLine {
    std::string_view stored;  // the whole line, line start through line end
    bool heading = false;
    std::string_view text;    // heading: its text
    std::string_view name;    // ingredient line: the name as stored (untrimmed)
    char marker = 0;          // kFractionQty or kDecimalQty
    std::string_view quantity;
    std::string_view measure;
};
struct RecipeBody {
    std::string_view servings;
    std::vector<RecipeLine> lines;
    std::string_view directions;
};
// The body runs from the name end through the record end (RecipeEntry::RecipeBody); nullopt when
// it is not one whole body. The views point into `body`.
std::optional<RecipeBody> ParseBody(std::string_view body);

std::string IngredientLine(std::string_view name, bool fractions, std::string_view quantity,
                           std::string_view measure);
std::string HeadingLine(std::string_view text);
// A whole record from its parts; the lines are complete lines, already ended by \x90.
std::string RecipeRecord(std::string_view name, std::string_view servings, const std::vector<std::string>& lines,
                         std::string_view directions);

}  // namespace recipe::grammar
