#include "recipe/store/recipestore.h"

#include <algorithm>
#include <utility>

#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "platform/files/safesave.h"
#include "recipe/Improved.h"
#include "recipe/store/grammar.h"

namespace recipe {

namespace {

bool IsGap(char c) { return c == ' ' || c == '\r' || c == '\n'; }

}  // namespace

ParsedRecipes ParseRecipeText(std::string_view t) {
    using namespace grammar;
    ParsedRecipes out;
    const std::size_t n = t.size();
    // Every record starts with its byte: room for them all at once, not grown as read.
    out.entries.reserve(static_cast<std::size_t>(std::count(t.begin(), t.end(), kRecordStart)));
    std::size_t pos = 0;
    while (pos < n && IsGap(t[pos])) ++pos;
    while (pos < n) {
        // A record is its start, a name, the name end, and a body through the first record end
        // after that; the end is looked for after the name so a name holding the end byte reads.
        if (t[pos] != kRecordStart) break;
        const std::size_t nameEnd = t.find(kNameEnd, pos + 1);
        if (nameEnd == std::string_view::npos) break;
        const std::size_t end = t.find(kRecordEnd, nameEnd + 1);
        if (end == std::string_view::npos) break;
        out.entries.push_back({std::string(t.substr(pos + 1, nameEnd - pos - 1)),
                               std::string(t.substr(nameEnd, end - nameEnd + 1))});
        pos = end + 1;
        out.goodLength = pos;
        while (pos < n && IsGap(t[pos])) ++pos;
    }
    if (pos < n) out.tail = std::string(t.substr(out.goodLength));
    std::size_t size = out.tail.size();
    for (const auto& e : out.entries) size += 1 + e.RecipeName.size() + e.RecipeBody.size();
    out.onlyRecords = size == n;  // nothing skipped between them
    return out;
}

namespace {

// Entries taken out of a table, each by moving the last entry into its place, and how to put them
// back: in reverse order, each one's place gets it again and the entry moved there goes back to
// the end.
class Removal {
public:
    explicit Removal(std::vector<RecipeEntry>& table) : table_(table) {}
    bool empty() const { return removed_.empty(); }
    void Remove(std::size_t i) {
        removed_.emplace_back(i, std::move(table_[i]));
        if (i + 1 != table_.size()) table_[i] = std::move(table_.back());
        table_.pop_back();
    }
    void Undo() {
        for (auto it = removed_.rbegin(); it != removed_.rend(); ++it) {
            auto& [i, entry] = *it;
            if (i == table_.size()) {
                table_.push_back(std::move(entry));
            } else {
                table_.push_back(std::move(table_[i]));
                table_[i] = std::move(entry);
            }
        }
        removed_.clear();
    }

private:
    std::vector<RecipeEntry>& table_;
    std::vector<std::pair<std::size_t, RecipeEntry>> removed_;
};

std::string_view TrimBlanks(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return s.substr(0, 0);
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

RecipeStore::RecipeStore(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<vb::Error> RecipeStore::Get_Big_Recipe() {
    parsed_.reset();
    text_.clear();
    textInTable_ = false;
    tail_.clear();
    readFailed_ = false;
    try {
        if (files::IsMissing(file_)) {
            files::EnsureFile(file_);
            return std::nullopt;
        }
        text_ = files::ReadAllBytes(file_, kMaxRecipeFileBytes);
    } catch (const vb::Error& e) {
        // Whatever is there and could not be read is never written over.
        readFailed_ = !files::IsMissing(file_);
        text_.clear();
        if (e.number == vb::errOverflow) return TooLarge(file_, files::FileLength(file_), "32 MB of recipes");
        return e;
    }
    // Only the line end a save wrote is dropped; a file without it loses nothing.
    if (text_.size() >= 2 && text_.compare(text_.size() - 2, 2, "\r\n") == 0) text_.resize(text_.size() - 2);
    return std::nullopt;
}

void RecipeStore::Adopt(std::string text, ParsedRecipes parsed) {
    text_ = std::move(text);
    textInTable_ = false;
    tail_.clear();
    readFailed_ = false;
    if (text_.empty() && parsed.onlyRecords) {
        // The records stand for the text: they are the table from now on.
        Recipe_Table = std::move(parsed.entries);
        parsed.entries.clear();
        tail_ = std::exchange(parsed.tail, {});
        textInTable_ = true;
    }
    parsed_ = std::move(parsed);
}

std::vector<std::string> RecipeStore::Load_Recipes() {
    std::vector<std::string> names;
    if (textInTable_) {
        // The table is the text's parse already.
        parsed_.reset();
        names.reserve(Recipe_Table.size());
        for (const auto& e : Recipe_Table) names.push_back(e.RecipeName);
        return names;
    }
    ParsedRecipes parsed = parsed_ ? std::move(*parsed_) : ParseRecipeText(text_);
    parsed_.reset();
    names.reserve(parsed.entries.size());
    for (const auto& e : parsed.entries) names.push_back(e.RecipeName);
    Recipe_Table = std::move(parsed.entries);
    tail_ = std::move(parsed.tail);
    if (parsed.onlyRecords) Rebuild();  // the table holds the text from now on
    return names;
}

std::string RecipeStore::Recipe_Text() const {
    if (!textInTable_) return text_;
    std::string text;
    for (std::string_view piece : TablePieces(Recipe_Table)) text += piece;
    return text + tail_;
}

std::vector<std::string_view> RecipeStore::TablePieces(const std::vector<RecipeEntry>& table) {
    static constexpr char kStart[] = {grammar::kRecordStart};
    std::vector<std::string_view> pieces;
    pieces.reserve(3 * table.size() + 3);
    for (const auto& e : table) {
        pieces.emplace_back(kStart, 1);
        pieces.emplace_back(e.RecipeName);
        pieces.emplace_back(e.RecipeBody);
    }
    return pieces;
}

std::optional<vb::Error> RecipeStore::Save_Recipes() {
    if (readFailed_) return NotOverwritten(file_);
    if (!textInTable_) return files::SafeSave(file_, {text_, "\r\n"}, true);
    return WriteTable({});
}

std::optional<vb::Error> RecipeStore::WriteTable(std::string_view record) {
    std::vector<std::string_view> pieces = TablePieces(Recipe_Table);
    pieces.insert(pieces.end(), {record, tail_, "\r\n"});
    return files::SafeSave(file_, pieces, true);
}

// From now on the table and the tail are the text.
void RecipeStore::Rebuild() {
    parsed_.reset();
    std::string().swap(text_);
    textInTable_ = true;
}

std::optional<vb::Error> RecipeStore::Delete_Recipe(std::string_view name) {
    if (readFailed_) return NotOverwritten(file_);
    if (Find(name) < 0) return std::nullopt;
    // Memory and file stay in step: what was taken out comes back when the file is not written.
    Removal removal(Recipe_Table);
    for (std::size_t i = 0; i < Recipe_Table.size();) {
        if (SameName(Recipe_Table[i].RecipeName, name)) removal.Remove(i);
        else ++i;
    }
    // An empty store is an empty file.
    if (auto error = Recipe_Table.empty() && tail_.empty() ? files::SafeSave(file_, "", true) : WriteTable({})) {
        removal.Undo();
        return error;
    }
    Rebuild();
    return std::nullopt;
}

std::optional<vb::Error> RecipeStore::Append_Recipe(std::string_view record) { return Store(record, nullptr); }

std::optional<vb::Error> RecipeStore::Replace_Recipe(std::string_view name, std::string_view record) {
    return Store(record, &name);
}


std::optional<vb::Error> RecipeStore::Store(std::string_view record, const std::string_view* replacing) {
    if (readFailed_) return NotOverwritten(file_);
    // What is stored must read back as this one record and nothing else.
    if (!grammar::IsWellFormedRecord(record))
        return vb::Error(vb::errInvalidProcedureCall,
                         "The recipe was not stored: its name, servings, a line or the directions hold a "
                         "character that the recipe file uses to mark where things end.",
                         file_.string());
    ParsedRecipes parsed = ParseRecipeText(record);
    // Memory and file stay in step: the file is written first, from the text as it will be, and
    // memory changes only when that worked; what a replacement took out is put back otherwise.
    Removal removal(Recipe_Table);
    if (replacing) {
        for (std::size_t i = 0; i < Recipe_Table.size();) {
            if (SameNameText(Recipe_Table[i].RecipeName, *replacing)) removal.Remove(i);
            else ++i;
        }
    }
    if (textInTable_ || !removal.empty()) {
        // The text as it will be: the entries left, this record, the tail.
        if (auto error = WriteTable(record)) {
            removal.Undo();
            return error;
        }
        Rebuild();
        Recipe_Table.push_back(std::move(parsed.entries.front()));
        return std::nullopt;
    }
    const std::string_view text = text_;
    const bool tailKept = text.size() >= tail_.size() && text.substr(text.size() - tail_.size()) == tail_;
    // Without it the text was replaced wholesale; it is all readable then.
    const std::string_view tail = tailKept ? std::string_view(tail_) : std::string_view();
    const std::string_view good = TrimBlanks(text.substr(0, text.size() - tail.size()));
    if (auto error = files::SafeSave(file_, {good, record, tail, "\r\n"}, true)) return error;
    // The text becomes what was written, changed in place.
    const std::size_t goodStart = static_cast<std::size_t>(good.data() - text.data());
    const std::size_t goodSize = good.size();
    if (!tailKept) tail_.clear();
    text_.resize(goodStart + goodSize);
    text_.erase(0, goodStart);
    text_ += record;
    text_ += tail_;
    parsed_.reset();
    Recipe_Table.push_back(std::move(parsed.entries.front()));
    return std::nullopt;
}

long RecipeStore::Find(std::string_view name, bool ignoreCase) const {
    for (std::size_t i = 0; i < Recipe_Table.size(); ++i) {
        const auto& stored = Recipe_Table[i].RecipeName;
        if (ignoreCase ? SameNameText(stored, name) : SameName(stored, name)) return static_cast<long>(i);
    }
    return -1;
}

}  // namespace recipe
