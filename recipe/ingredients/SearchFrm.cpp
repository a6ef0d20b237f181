#include "recipe/ingredients/SearchFrm.h"

#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"
#include "recipe/guards.h"
#include "recipe/ingredients/ingsearch.h"

namespace recipe {

SearchFrm::SearchFrm(Recipe& app) : forms::Form("SearchFrm"), app(app) {
    Caption("Search");
    Icon(std::string(kProgramIcon));
    BorderStyle(forms::vbFixedDialog);
    MinButton(false);
    MaxButton(false);
    ShowInTaskbar(false);
    ClientSize(px(424), px(388));

    Label2.Caption("Search for").FontBold(true).Move(px(12), px(15), px(76), px(18));
    SearchTxt.FontName("Arial").FontSize(10).Move(px(92), px(12), px(320), px(24));
    Label1.Caption("Enter descriptive word or words ( each word separated by a space, DO NOT USE COMMAS ) of the "
                   "item you are looking for, then press Search.")
        .WordWrap(true)
        .Move(px(12), px(44), px(400), px(34));
    Frame1.Caption("").Move(px(12), px(82), px(400), px(56));
    AnyAllOpt[0].Caption("Any of the above words.").Move(px(10), px(8), px(380), px(20));
    AnyAllOpt[1].Caption("All of the above words.").Value(true).Move(px(10), px(30), px(380), px(20));
    struct Button {
        forms::CommandButton& button;
        const char* caption;
    };
    const Button buttons[] = {{SearchCmd, "Search"}, {ClearCmd, "Clear"}, {ExitCmd, "Exit"}, {HelpCmd, "Help"}};
    double x = 12;
    for (const Button& b : buttons) {
        b.button.Caption(b.caption).Move(px(x), px(148), px(94), px(28));
        x += 102;
    }
    // A result's click takes it and closes the dialog: the keys look through them, Enter takes one.
    // Named apart from the Search button and the window; it shows only after a search.
    SearchLst.AccessibleName("Search results").Visible(false).ChooseByEnter(true).FontName("Arial").FontSize(9).Move(px(12), px(186), px(400), px(190));

    Load = [this] { Form_Load(); };
    SearchTxt.KeyPress = [this](Integer& KeyAscii) { SearchTxt_KeyPress(KeyAscii); };
    SearchCmd.Click = [this] { SearchCmd_Click(); };
    ClearCmd.Click = [this] { ClearCmd_Click(); };
    ExitCmd.Click = [this] { forms::Unload(*this); };
    HelpCmd.Click = [this] { this->app.Show_Help(kHelpSearch); };
    AnyAllOpt.On(&forms::OptionButton::Click, [this](Integer Index) { AnyAllOpt_Click(Index); });
    SearchLst.Click = [this] { SearchLst_Click(); };
}

void SearchFrm::Form_Load() {
    Recipe::Center_Form(*this);
    Search_Words = {""};
    SearchLst.Visible(false);
    SearchTxt.Text("");
}

void SearchFrm::SearchTxt_KeyPress(Integer& KeyAscii) {
    if (KeyAscii != forms::vbKeyReturn) return;
    KeyAscii = 0;
    SearchCmd_Click();
}

void SearchFrm::SearchCmd_Click() {
    if (vb::Trim(SearchTxt.Text()).empty()) {
        services::MsgBox("You must type something in the box to do a search", services::vbInformation,
                         "Unable to Search");
        SearchTxt.SetFocus();
        return;
    }
    SearchLst.Clear();
    LoadWords();
    LoadSearchList();
    if (SearchLst.ListCount() == 0) {
        SearchLst.Visible(false);
        services::MsgBox("No match was found.", services::vbInformation, "No match");
    } else {
        SearchLst.Visible(true);
    }
}

void SearchFrm::LoadWords() {
    Search_Words = SearchWords(SearchTxt.Text());
    Search_Words.emplace_back();
}

void SearchFrm::LoadSearchList() {
    const forms::ListBox& list = app.CalcFrm().IngLst;
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(list.ListCount()));
    for (int i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
    const std::vector<std::string> words(Search_Words.begin(), Search_Words.end() - 1);
    for (int i : MatchNames(names, words, AnyAllOpt[0].Value())) SearchLst.AddItem(names[static_cast<std::size_t>(i)]);
}

void SearchFrm::ClearCmd_Click() {
    Search_Words = {""};
    SearchLst.Visible(false);
    SearchTxt.Text("");
    SearchTxt.SetFocus();
}

void SearchFrm::AnyAllOpt_Click(Integer) {
    if (AnyAllOpt[0].Value())
        services::MsgBox("This option may take a significant amout of time to complete and it may produce very large "
                         "list of results.",
                         services::vbExclamation, "This may take some time");
}

void SearchFrm::SearchLst_Click() {
    if (SearchLst.ListIndex() < 0) return;
    forms::Screen().MousePointer(forms::vbHourglass);
    const std::string chosen = vb::Trim(SearchLst.Text());
    CalcFrm& builder = app.CalcFrm();
    // The last equal name wins, as in the builder's own lookup.
    for (int i = 0; i < builder.IngLst.ListCount(); ++i)
        if (vb::Trim(builder.IngLst.List(i)) == chosen) builder.IngLst.ListIndex(i);
    // The builder takes the choice once more when the dialog has gone.
    builder.PassTmr.Enabled(true);
    forms::Screen().MousePointer(forms::vbDefault);
    forms::Unload(*this);
}

}  // namespace recipe
