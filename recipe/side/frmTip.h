#pragma once
// The tip of the day: one line of "TIPOFDAY.TXT" at random, the next on request, and the choice
// whether tips open at start-up.
#include <string>
#include <vector>

#include "platform/forms/forms.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

inline constexpr std::string_view kTipsFile = "TIPOFDAY.TXT";

class frmTip : public forms::Form {
public:
    explicit frmTip(Recipe& app);

    forms::PictureBox Picture1{*this, "Picture1"};
    forms::Label Label1{Picture1, "Label1"};
    forms::Label lblTipText{Picture1, "lblTipText"};
    forms::CheckBox chkLoadTipsAtStartup{*this, "chkLoadTipsAtStartup"};
    forms::CommandButton cmdNextTip{*this, "cmdNextTip"};
    forms::CommandButton cmdOK{*this, "cmdOK"};

    // Fills the tips from the file and shows one at random; false when the name is empty or no
    // such file exists.
    bool LoadTips(const std::string& fileName);
    void Show_Random_Tip();
    void DisplayCurrentTip();

    std::vector<std::string> Tip_List;  // 1-based for the user: tip k is Tip_List[k - 1]
    vb::Long Tip_Index = 0;

private:
    void Form_Load();
    void Form_Unload(Integer& Cancel);
    void cmdNextTip_Click();
    void chkLoadTipsAtStartup_Click();
    // Where the tips file is: beside the program, else in the data folder.
    std::string TipsPath() const;

    Recipe& app;
};

}  // namespace recipe
