#pragma once
// The two stores read on a thread of their own while the splash shows, so that the main window
// can follow the splash's timer at once. The main window's load still reads the stores at its
// usual places and says what it says there: it takes what was read ahead only when a file was
// read whole and without fault and is still as it was then. Anything else (a missing, damaged,
// unreadable, too large or changed file) is read there as before, with its messages.
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/fileio.h"
#include "recipe/store/ingstore.h"
#include "recipe/store/recipestore.h"

namespace recipe {

// The names in the order of a sorted list (equal names in table order).
std::vector<std::string> SortedNames(std::vector<std::string> names);
// The ingredients' names as the ingredient lists show them, in their order.
std::vector<std::string> SortedListNames(const std::vector<IngRecord>& table);

class StoreReadAhead {
public:
    StoreReadAhead();
    ~StoreReadAhead();  // waits for the thread
    StoreReadAhead(const StoreReadAhead&) = delete;
    StoreReadAhead& operator=(const StoreReadAhead&) = delete;

    // Starts reading the two files (missing ones are left to the usual place, which makes them).
    void Start(const std::filesystem::path& ingFile, const std::filesystem::path& recipeFile);

    // Gives the ingredient store its table, and `names` the trimmed names sorted for the lists;
    // false when there is nothing to give (the caller reads the file itself). Once.
    bool TakeIngredients(IngStore& store, std::vector<std::string>& names);
    // Gives the recipe store its text and the parse of it; false when there is nothing to give.
    // Once.
    bool TakeRecipes(RecipeStore& store);
    // The recipe names of the parse TakeRecipes gave, sorted for the list.
    std::vector<std::string> TakeRecipeNames();

    struct Read;

private:
    Read* Wait();

    std::future<std::unique_ptr<Read>> pending_;
    std::unique_ptr<Read> read_;
};

}  // namespace recipe
