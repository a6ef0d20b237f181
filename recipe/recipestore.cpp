#include "recipe/recipestore.h"

#include <utility>

#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "platform/files/safesave.h"
#include "recipe/Improved.h"
#include "recipe/grammar.h"

namespace recipe {

namespace {

bool IsGap(char c) { return c == ' ' || c == '\r' || c == '\n'; }

}  // namespace

ParsedRecipes ParseRecipeText(std::string_view t) {
    using namespace grammar;
    ParsedRecipes out;
    const std::size_t n = t.size();
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
    return out;
}

RecipeStore::RecipeStore(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<vb::Error> RecipeStore::Get_Big_Recipe() {
    parsed_.reset();
    Recipe_Text.clear();
    tail_.clear();
    readFailed_ = false;
    try {
        if (files::IsMissing(file_)) {
            files::EnsureFile(file_);
            return std::nullopt;
        }
        Recipe_Text = files::ReadAllBytes(file_, kMaxRecipeFileBytes);
    } catch (const vb::Error& e) {
        // Whatever is there and could not be read is never written over.
        readFailed_ = !files::IsMissing(file_);
        Recipe_Text.clear();
        if (e.number == vb::errOverflow) return TooLarge(file_, files::FileLength(file_), "32 MB of recipes");
        return e;
    }
    // Only the line end a save wrote is dropped; a file without it loses nothing.
    if (Recipe_Text.size() >= 2 && Recipe_Text.compare(Recipe_Text.size() - 2, 2, "\r\n") == 0)
        Recipe_Text.resize(Recipe_Text.size() - 2);
    return std::nullopt;
}

void RecipeStore::Adopt(std::string text, ParsedRecipes parsed) {
    Recipe_Text = std::move(text);
    tail_.clear();
    readFailed_ = false;
    parsed_ = std::move(parsed);
}

std::vector<std::string> RecipeStore::Load_Recipes() {
    ParsedRecipes parsed = parsed_ ? std::move(*parsed_) : ParseRecipeText(Recipe_Text);
    parsed_.reset();
    std::vector<std::string> names;
    names.reserve(parsed.entries.size());
    for (const auto& e : parsed.entries) names.push_back(e.RecipeName);
    if (Recipe_Table.empty()) {
        Recipe_Table = std::move(parsed.entries);
    } else {
        Recipe_Table.reserve(Recipe_Table.size() + parsed.entries.size());
        for (auto& e : parsed.entries) Recipe_Table.push_back(std::move(e));
    }
    tail_ = std::move(parsed.tail);
    return names;
}

std::optional<vb::Error> RecipeStore::Save_Recipes() {
    if (readFailed_) return NotOverwritten(file_);
    std::string bytes;
    bytes.reserve(Recipe_Text.size() + 2);
    bytes += Recipe_Text;
    bytes += "\r\n";
    return files::SafeSave(file_, bytes, true);
}

void RecipeStore::Rebuild() {
    parsed_.reset();
    std::size_t size = tail_.size();
    for (const auto& e : Recipe_Table) size += 1 + e.RecipeName.size() + e.RecipeBody.size();
    std::string text;
    text.reserve(size);
    for (const auto& e : Recipe_Table) {
        text += grammar::kRecordStart;
        text += e.RecipeName;
        text += e.RecipeBody;
    }
    text += tail_;
    Recipe_Text = std::move(text);
}

std::optional<vb::Error> RecipeStore::Delete_Recipe(std::string_view name) {
    if (readFailed_) return NotOverwritten(file_);
    if (Find(name) < 0) return std::nullopt;
    // Memory and file stay in step: what was there comes back when the file is not written.
    std::vector<RecipeEntry> oldTable = Recipe_Table;
    std::string oldText = Recipe_Text;
    // Each removal moves the last entry into the freed place, which is then looked at again.
    for (std::size_t i = 0; i < Recipe_Table.size();) {
        if (SameName(Recipe_Table[i].RecipeName, name)) {
            if (i + 1 != Recipe_Table.size()) Recipe_Table[i] = std::move(Recipe_Table.back());
            Recipe_Table.pop_back();
        } else {
            ++i;
        }
    }
    Rebuild();
    // An empty store is an empty file.
    auto error = Recipe_Text.empty() ? files::SafeSave(file_, "", true) : Save_Recipes();
    if (error) {
        Recipe_Text = std::move(oldText);
        Recipe_Table = std::move(oldTable);
    }
    return error;
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
    // Memory and file stay in step: what was there comes back when the file is not written.
    std::string oldText = Recipe_Text;
    std::vector<RecipeEntry> oldTable = Recipe_Table;
    std::string oldTail = tail_;
    if (replacing) {
        bool removed = false;
        for (std::size_t i = 0; i < Recipe_Table.size();) {
            if (SameNameText(Recipe_Table[i].RecipeName, *replacing)) {
                if (i + 1 != Recipe_Table.size()) Recipe_Table[i] = std::move(Recipe_Table.back());
                Recipe_Table.pop_back();
                removed = true;
            } else {
                ++i;
            }
        }
        if (removed) Rebuild();
    }
    std::string_view text = Recipe_Text;
    const bool tailKept = text.size() >= tail_.size() && text.substr(text.size() - tail_.size()) == tail_;
    if (!tailKept) tail_.clear();  // the text was replaced wholesale; it is all readable then
    const std::string good = vb::Trim(text.substr(0, text.size() - tail_.size()));
    std::string next;
    next.reserve(good.size() + record.size() + tail_.size());
    next += good;
    next += record;
    next += tail_;
    Recipe_Text = std::move(next);
    parsed_.reset();
    Recipe_Table.push_back(std::move(parsed.entries.front()));
    auto error = Save_Recipes();
    if (error) {
        Recipe_Text = std::move(oldText);
        Recipe_Table = std::move(oldTable);
        tail_ = std::move(oldTail);
    }
    return error;
}

long RecipeStore::Find(std::string_view name, bool ignoreCase) const {
    for (std::size_t i = 0; i < Recipe_Table.size(); ++i) {
        const auto& stored = Recipe_Table[i].RecipeName;
        if (ignoreCase ? SameNameText(stored, name) : SameName(stored, name)) return static_cast<long>(i);
    }
    return -1;
}

}  // namespace recipe
