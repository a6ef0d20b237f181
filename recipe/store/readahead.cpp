#include "recipe/store/readahead.h"

#include <algorithm>

#include "platform/core/text.h"

namespace recipe {

namespace fs = std::filesystem;

struct StoreReadAhead::Read {
    // Each file with its stamp as it was read; no stamp when it was not read whole.
    std::optional<files::FileStamp> ingStamp;
    std::vector<IngRecord> ingredients;
    std::vector<std::string> ingredientNames;

    std::optional<files::FileStamp> recipeStamp;
    std::string text;
    ParsedRecipes parsed;
    std::vector<std::string> recipeNames;
};

namespace {

// The file as it is, if it stays so while `read` reads it and `read` says it read it whole.
template <class ReadWhole>
std::optional<files::FileStamp> ReadSteady(const fs::path& file, ReadWhole read) {
    const auto before = files::StampOf(file);
    if (!before || !read()) return std::nullopt;
    const auto after = files::StampOf(file);
    return after == before ? after : std::nullopt;
}

std::unique_ptr<StoreReadAhead::Read> ReadStores(const fs::path& ingFile, const fs::path& recipeFile) {
    auto r = std::make_unique<StoreReadAhead::Read>();
    IngStore ing(ingFile);
    r->ingStamp = ReadSteady(ingFile, [&] { return !ing.Load() && ing.partialBytes() == 0; });
    if (r->ingStamp) {
        r->ingredientNames = SortedListNames(ing.Ing_Table);
        r->ingredients = std::move(ing.Ing_Table);
    }
    RecipeStore recipes(recipeFile);
    r->recipeStamp = ReadSteady(recipeFile, [&] {
        if (recipes.Get_Big_Recipe()) return false;
        r->text = recipes.TakeText();
        r->parsed = ParseRecipeText(r->text);
        if (r->parsed.onlyRecords) std::string().swap(r->text);  // the records stand for it
        return !r->parsed.damaged();
    });
    if (r->recipeStamp) {
        std::vector<std::string> names;
        names.reserve(r->parsed.entries.size());
        for (const auto& e : r->parsed.entries) names.push_back(e.RecipeName);
        r->recipeNames = SortedNames(std::move(names));
    } else {
        r->text.clear();
        r->parsed = {};
    }
    return r;
}

}  // namespace

std::vector<std::string> SortedNames(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return vb::TextLess(a, b);
    });
    return names;
}

std::vector<std::string> SortedListNames(const std::vector<IngRecord>& table) {
    std::vector<std::string> names;
    names.reserve(table.size());
    for (const auto& rec : table) names.push_back(ListName(rec));
    return SortedNames(std::move(names));
}

StoreReadAhead::StoreReadAhead() = default;

StoreReadAhead::~StoreReadAhead() {
    if (pending_.valid()) pending_.wait();
}

void StoreReadAhead::Start(const fs::path& ingFile, const fs::path& recipeFile) {
    if (pending_.valid() || read_) return;
    pending_ = std::async(std::launch::async, [ingFile, recipeFile] {
        try {
            return ReadStores(ingFile, recipeFile);
        } catch (...) {
            return std::make_unique<Read>();  // nothing read ahead: the usual places read
        }
    });
}

StoreReadAhead::Read* StoreReadAhead::Wait() {
    if (pending_.valid()) read_ = pending_.get();
    return read_.get();
}

bool StoreReadAhead::TakeIngredients(IngStore& store, std::vector<std::string>& names) {
    Read* r = Wait();
    if (!r || !r->ingStamp) return false;
    const bool same = files::StampOf(store.file()) == r->ingStamp;
    r->ingStamp.reset();
    if (!same) {
        r->ingredients = {};
        r->ingredientNames = {};
        return false;
    }
    store.Adopt(std::move(r->ingredients));
    names = std::move(r->ingredientNames);
    return true;
}

bool StoreReadAhead::TakeRecipes(RecipeStore& store) {
    Read* r = Wait();
    if (!r || !r->recipeStamp) return false;
    const bool same = files::StampOf(store.file()) == r->recipeStamp;
    r->recipeStamp.reset();
    if (!same) {
        r->text = {};  // read before the file changed: no use to keep
        r->parsed = {};
        return false;
    }
    store.Adopt(std::move(r->text), std::move(r->parsed));
    return true;
}

std::vector<std::string> StoreReadAhead::TakeRecipeNames() {
    Read* r = Wait();
    return r ? std::move(r->recipeNames) : std::vector<std::string>();
}

}  // namespace recipe
