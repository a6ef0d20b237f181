#include "recipe/side/frmTip.h"

#include <filesystem>

#include "platform/core/clock.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/files/fileio.h"
#include "platform/files/locations.h"
#include "recipe/Recipe.h"
#include "recipe/guards.h"

namespace recipe {

namespace {

namespace fs = std::filesystem;

constexpr vb::Long kTipPaper = 0xE1FFFF;  // pale yellow
// A tips file is a page of text; anything far larger is not one.
constexpr std::uintmax_t kLargestTipsFile = 1 << 20;

}  // namespace

frmTip::frmTip(Recipe& app) : forms::Form("frmTip"), app(app) {
    Caption("Tip of the Day");
    DialogFrame(*this, 452, 226, true);

    Picture1.BackColor(kTipPaper).BorderStyle(forms::vbFixedSingle).Picture("images/tip.xpm").Move(px(12), px(12),
                                                                                                  px(324), px(166));
    Label1.Caption("Did you know...")
        .BackStyle(forms::vbTransparent)
        .FontName("Arial")
        .FontSize(12)
        .FontBold(true)
        .Move(px(48), px(10), px(260), px(24));
    lblTipText.BackStyle(forms::vbTransparent)
        .FontName("Arial")
        .FontSize(10)
        .WordWrap(true)
        .Move(px(12), px(46), px(300), px(110));
    chkLoadTipsAtStartup.Caption("&Show Tips at Startup").Move(px(12), px(192), px(220), px(22));
    cmdOK.Caption("OK").Default(true).Cancel(true).Move(px(348), px(12), px(92), px(28));
    cmdNextTip.Caption("&Next Tip").Move(px(348), px(48), px(92), px(28));

    Load = [this] { Form_Load(); };
    Unload = [this](Integer& Cancel) { Form_Unload(Cancel); };
    cmdNextTip.Click = [this] { cmdNextTip_Click(); };
    chkLoadTipsAtStartup.Click = [this] { chkLoadTipsAtStartup_Click(); };
    cmdOK.Click = [this] { forms::Unload(*this); };
}

void frmTip::Form_Load() {
    Move((forms::Screen().Width() - Width()) / 2, (forms::Screen().Height() - Height()) / 4);
    if (app.OptionValue(kShowTips, 1) == 0) {
        app.Tips_Shown = true;
        forms::Unload(*this);
        return;
    }
    chkLoadTipsAtStartup.Value(forms::vbChecked);
    vb::Randomize();
    if (!LoadTips(TipsPath())) {
        const std::string name(kTipsFile);
        lblTipText.Caption("That the " + name + " file was not found? " + "\r\n" + "\r\n" +
                           "Create a text file named " + name + " using NotePad with 1 tip per line. " +
                           "Then place it in the same directory as the application. ");
    }
}

std::string frmTip::TipsPath() const {
    const fs::path beside = fs::path(forms::App().Path()) / std::string(kTipsFile);
    std::error_code ec;
    if (!forms::App().Path().empty() && fs::exists(beside, ec)) return beside.string();
    return (files::CurrentDirectory() / std::string(kTipsFile)).string();
}

bool frmTip::LoadTips(const std::string& fileName) {
    std::error_code ec;
    if (fileName.empty() || !fs::exists(fileName, ec)) return false;
    // Only a plain file of a sensible size is read (a pipe would never end).
    std::string problem;
    if (!fs::is_regular_file(fileName, ec)) {
        problem = "it is not a file";
    } else if (fs::file_size(fileName, ec) > kLargestTipsFile) {
        problem = "it is far too large for a list of tips";
    } else {
        try {
            Tip_List = files::ReadLines(fileName);
        } catch (const vb::Error& e) {
            problem = e.description;
        }
    }
    if (!problem.empty()) {
        Tip_List.clear();
        lblTipText.Caption("The tips file \"" + fileName + "\" could not be read: " + problem + ".");
        return true;
    }
    Show_Random_Tip();
    return true;
}

void frmTip::Show_Random_Tip() {
    const auto count = static_cast<double>(Tip_List.size());
    Tip_Index = static_cast<vb::Long>(vb::Int(static_cast<double>(vb::Rnd()) * count)) + 1;
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
    if (!Tip_List.empty() && Tip_Index >= 1 && Tip_Index <= static_cast<vb::Long>(Tip_List.size()))
        lblTipText.Caption(Tip_List[static_cast<std::size_t>(Tip_Index - 1)]);
}

void frmTip::cmdNextTip_Click() {
    ++Tip_Index;
    if (Tip_Index > static_cast<vb::Long>(Tip_List.size())) Tip_Index = 1;
    DisplayCurrentTip();
}

void frmTip::chkLoadTipsAtStartup_Click() {
    app.SaveOption(kShowTips, vb::CStr(chkLoadTipsAtStartup.Value()));
}

void frmTip::Form_Unload(Integer&) {
    // Every way out counts as shown, the close box too, so the tip does not come back at each
    // activation of the main window.
    app.Tips_Shown = true;
}

}  // namespace recipe
