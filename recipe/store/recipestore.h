#pragma once
// The recipe store "Recipe.Dat": the whole store as one text (records back to back, followed by
// CR LF in the file) and, parsed from it, one entry per recipe. When the text is nothing but the
// entries' records back to back (and a damaged tail), only the entries are kept and the text is
// made from them when it is needed.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/error.h"

namespace recipe {

struct RecipeEntry {
    std::string RecipeName;  // between the record start and the first name end, untrimmed
    std::string RecipeBody;  // from that name end through the record end

    friend bool operator==(const RecipeEntry&, const RecipeEntry&) = default;
};

// What the parser made of a store text. Records are read up to the first damage (text that is not
// a record, or a record cut short); the rest is kept untouched in `tail`.
struct ParsedRecipes {
    std::vector<RecipeEntry> entries;
    std::size_t goodLength = 0;  // bytes of the text that hold the records read (blanks between kept)
    std::string tail;            // the unread rest from the damage on; empty for a sound text
    bool onlyRecords = false;    // the text is the records back to back, so they can stand for it
    bool damaged() const { return !tail.empty(); }
};

ParsedRecipes ParseRecipeText(std::string_view text);

// The longest "Recipe.Dat" the program reads; a longer one is refused before it is read.
inline constexpr std::uint64_t kMaxRecipeFileBytes = 32u << 20;

class RecipeStore {
public:
    explicit RecipeStore(std::filesystem::path file = "Recipe.Dat");

    // Reads the file whole as the store's text (creating it empty when missing) and drops the CR LF
    // that a save puts after the text. A file that cannot be read, or one longer than
    // kMaxRecipeFileBytes, leaves the store empty and refuses later saves, so the unread file is
    // never overwritten.
    [[nodiscard]] std::optional<vb::Error> Get_Big_Recipe();

    // Takes the file's text and its parse, made elsewhere, as Get_Big_Recipe leaves the text; the
    // next Load_Recipes takes the parse instead of parsing the text again. Any change of the store
    // through its operations drops the parse. A parse of records only (onlyRecords) may come without
    // its text: it becomes the table at once, standing for the text.
    void Adopt(std::string text, ParsedRecipes parsed);
    bool HasParse() const { return parsed_.has_value(); }

    // Parses the text into Recipe_Table (in place of what it held); returns the names in store order.
    std::vector<std::string> Load_Recipes();

    // Writes the text and CR LF through a safe save (the old file kept as "Recipe.bak").
    [[nodiscard]] std::optional<vb::Error> Save_Recipes();

    // Removes every entry whose trimmed name equals the trimmed name (letter case counts) and
    // rewrites the file. Nothing matching changes nothing and writes nothing; when the file cannot
    // be written the table and the text are put back as they were.
    [[nodiscard]] std::optional<vb::Error> Delete_Recipe(std::string_view name);

    // Appends a complete record: the table gets its entry, the text gets the record after its
    // readable part (so a damaged tail never hides it), and the file is rewritten. When the file
    // cannot be written the table and the text are put back as they were.
    [[nodiscard]] std::optional<vb::Error> Append_Recipe(std::string_view record);
    // The same, first taking out every entry whose trimmed name equals the trimmed name with letter
    // case ignored; one rewrite of the file for both, so a failure loses neither recipe.
    [[nodiscard]] std::optional<vb::Error> Replace_Recipe(std::string_view name, std::string_view record);

    // The index of the first entry whose trimmed name equals the trimmed name, or -1.
    long Find(std::string_view name, bool ignoreCase = false) const;

    const std::filesystem::path& file() const { return file_; }
    // The unread rest of a damaged store, kept as it was.
    const std::string& damagedTail() const { return tail_; }
    // How many records were read before the damage.
    bool damaged() const { return !tail_.empty(); }
    bool readFailed() const { return readFailed_; }

    // The text as the file holds it before its final CR LF.
    std::string Recipe_Text() const;
    // The text as read, taken out of the store (before Load_Recipes; the read-ahead parses it).
    std::string TakeText() { return std::move(text_); }

    // Changed only through the store's operations: it may be all there is of the text.
    std::vector<RecipeEntry> Recipe_Table;

private:
    void Rebuild();
    // The entries' records back to back, as pieces.
    static std::vector<std::string_view> TablePieces(const std::vector<RecipeEntry>& table);
    std::optional<vb::Error> Store(std::string_view record, const std::string_view* replacing);
    // Writes the table as it stands, then `record`, then the tail: the text the store will hold.
    std::optional<vb::Error> WriteTable(std::string_view record);

    std::filesystem::path file_;
    std::string text_;          // the text, unless it is in the table
    bool textInTable_ = false;  // the text is the entries' records back to back, then the tail
    std::string tail_;
    bool readFailed_ = false;
    std::optional<ParsedRecipes> parsed_;  // of text_, taken with it
};

}  // namespace recipe
