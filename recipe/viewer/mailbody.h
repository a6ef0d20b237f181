#pragma once
// The HTML body of a recipe sent by mail: the user's own text (which may hold HTML tags) followed
// by the recipe as a table: title, ingredient lines, directions, the Nutrition Facts panel, the
// shares of calories, and a footer with the program's and the maker's addresses. Texts are
// Windows-1252; the recipe's own texts are escaped, so they read as written.
#include <string>
#include <string_view>
#include <vector>

namespace recipe {

// What the viewer shows of a recipe, caption by caption.
struct MailRecipe {
    std::string name;
    std::vector<std::string> lines;  // as listed
    std::string directions;
    std::string servingsLine;        // "makes 2 servings"
    std::string cals, fatCals;
    std::string fatG, fatP, satFatG, satFatP, cholG, cholP, sodiumG, sodiumP;
    std::string carbsG, carbsP, fiberG, fiberP, proteinG;
    std::string fatShare, carbsShare, proteinShare;
};

// The user's text, trimmed and as it stands, directly followed by the recipe.
std::string RecipeMailBody(std::string_view userText, const MailRecipe& recipe);

// Text as HTML shows it: & < > " escaped, and each line end (CR LF, CR or LF) a <br>.
std::string HtmlText(std::string_view text);

}  // namespace recipe
