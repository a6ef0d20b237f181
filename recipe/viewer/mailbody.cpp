#include "recipe/viewer/mailbody.h"

#include "platform/core/text.h"
#include "recipe/Recipe.h"

namespace recipe {

std::string HtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                out += "<br>";
                break;
            case '\n': out += "<br>"; break;
            default: out += c;
        }
    }
    return out;
}

namespace {

struct NutrientRow {
    const char* name;  // HTML as it stands
    bool bold;
    const char* w1;
    std::string MailRecipe::*grams;
    const char* w2;  // nullptr: the row has only its name cell
    std::string MailRecipe::*percent;
};

constexpr NutrientRow kRows[] = {
    {"Total Fat", true, "126", &MailRecipe::fatG, "40", &MailRecipe::fatP},
    {"Saturated Fat", false, "126", &MailRecipe::satFatG, "40", &MailRecipe::satFatP},
    {"Cholesterol", true, "136", &MailRecipe::cholG, "40", &MailRecipe::cholP},
    {"Sodium", true, "126", &MailRecipe::sodiumG, "50", &MailRecipe::sodiumP},
    {"Total<br>Carbohydrate", true, "136", &MailRecipe::carbsG, "40", &MailRecipe::carbsP},
    {"Dietary Fiber", false, "136", &MailRecipe::fiberG, "40", &MailRecipe::fiberP},
    {"Protein", true, "136", &MailRecipe::proteinG, nullptr, nullptr},
};

}  // namespace

std::string RecipeMailBody(std::string_view userText, const MailRecipe& r) {
    std::string b = vb::Trim(userText);
    b.reserve(b.size() + 6000 + r.directions.size() + 64 * r.lines.size());
    b += R"(<table><tr><td><font size="4" face="Arial"><strong><u>)";
    b += HtmlText(r.name);
    b += R"(</u></strong></font><br><br></td><td width="40">&nbsp;</td><td>&nbsp;</td></tr><tr><td valign="top"><font size="2" face="Arial"><strong><u>List of Ingredients</u></strong><br><br>)";
    for (const std::string& line : r.lines) {
        b += HtmlText(line);
        b += "<br>";
    }
    b += R"(<br><strong><u>Instructions for Preparation<br><br></u></strong>)";
    b += HtmlText(r.directions);
    b += R"(</font></td><td valign="top">&nbsp;</td><td><table border="2" width="190"><tr><td><font size="4" face="Arial"><strong>Nutrition Facts</strong></font><br><font size="1" face="Arial">per serving</font><br><font size="1" face="Arial">)";
    b += HtmlText(r.servingsLine);
    b += R"(</font></td></tr><tr><td><font size="1" face="Arial"><strong>Amount per serving</strong></font></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="88"><font size="2" face="Arial"><strong>Calories</strong></font></td><td align="right" width="88"><font size="2" face="Arial">)";
    b += HtmlText(r.cals);
    b += R"(</font></td></tr></table></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="110"><font size="1" face="Arial">Calories from fat</font></td><td align="right" width="66"><font size="2" face="Arial">)";
    b += HtmlText(r.fatCals);
    b += R"(</font></td></tr></table></td></tr><tr><td align="right"><font size="1" face="Arial"><strong>% Daily Value *</strong></font></td></tr><tr>)";
    for (const NutrientRow& row : kRows) {
        b += R"(<td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width=")";
        b += row.w1;
        b += R"("><font size="2" face="Arial">)";
        if (row.bold) b += "<strong>";
        b += row.name;
        b += ' ';
        b += HtmlText(r.*row.grams);
        if (row.bold) b += "</strong>";
        if (row.w2) {
            b += R"(</font></td><td align="right" valign="bottom" width=")";
            b += row.w2;
            b += R"("><font size="2" face="Arial">)";
            b += HtmlText(r.*row.percent);
        }
        b += R"(</font></td></tr></table></td></tr><tr>)";
    }
    b += R"(<td><font size="2" face="Arial">Percent values are based on a 2,000 calorie per day diet. Your daily values may differ.</font></td></tr><tr><td><font size="2" face="Arial"><strong><u>Additional Information</u></strong><br>)";
    b += HtmlText(r.fatShare);
    b += "<br>";
    b += HtmlText(r.carbsShare);
    b += "<br>";
    b += HtmlText(r.proteinShare);
    b += R"(</font></td></tr></table></td></tr></table>)";
    b += R"(<p><br>This was made using <a href=")";
    b += kHomePage;
    b += R"(">Sorvella Software)";
    b += '\xA9';
    b += R"(</a><br><a href=")";
    b += kMakerHomePage;
    b += R"(">)";
    b += kMakerHomePage;
    b += "</a></p>";
    return b;
}

}  // namespace recipe
