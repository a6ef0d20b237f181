#include "recipe/viewer/frmEmail.h"

#include <memory>

#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/files/settings.h"
#include "platform/services/dialogs.h"
#include "platform/services/mail.h"
#include "recipe/Recipe.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/guards.h"

namespace recipe {

namespace {

constexpr vb::Long kRequiredRed = 0x0000C0;
constexpr std::string_view kMailServer = "Mail Server";
constexpr std::string_view kFromEmail = "From Email";
constexpr std::string_view kServerPrompt = "Mail Server Name Goes Here";

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

frmEmail::frmEmail(Recipe& app) : forms::Form("frmEmail"), app(app) {
    DialogFrame(*this, 470, 458);
    Caption("Email Recipes");

    auto required = [](forms::Frame& f, std::string caption, double top) {
        f.Caption(std::move(caption)).ForeColor(kRequiredRed).FontBold(true).Move(px(12), px(top), px(446), px(58));
    };
    auto box = [](forms::TextBox& t, double width) {
        // Black on white, whatever colour the frame's caption has.
        t.ForeColor(0x000000).Move(px(10), px(24), px(width), px(22));
    };
    required(Frame1, "Mail Server ( Your SMTP Mail Server's Name ) ", 8);
    box(txtServer, 340);
    // A box to remember is offered once there is something in it.
    ServerChk.Caption("Save").AccessibleName("Save mail server").ForeColor(0x000000).Enabled(false).Move(px(362), px(26), px(72), px(18));
    required(Frame2, "To ( Recipient's Email address goes here )", 74);
    box(txtTo, 424);
    required(Frame3, "From ( Your Email address goes here )", 140);
    box(txtFrom, 340);
    EmailChk.Caption("Save").AccessibleName("Save from address").ForeColor(0x000000).Enabled(false).Move(px(362), px(26), px(72), px(18));

    Label5.Caption("Subject: ( Change if desired )").Move(px(12), px(208), px(446), px(16));
    txtSubject.Move(px(12), px(226), px(446), px(22));
    Label6.Caption("Body: (Extra text to include with recipe,  include any valid HTML tags, too!)")
        .Move(px(12), px(258), px(446), px(16));
    txtBody.MultiLine(true).ScrollBars(forms::vbVertical).Move(px(12), px(276), px(446), px(96));
    Label2.Caption("ITEMS IN RED ARE REQUIRED")
        .Alignment(forms::vbCenter)
        .FontBold(true)
        .FontUnderline(true)
        .ForeColor(kRequiredRed)
        .Move(px(12), px(382), px(446), px(16));
    Label1.Caption("Connect to the internet before pressing the Send Mail button.")
        .Alignment(forms::vbCenter)
        .Move(px(12), px(402), px(446), px(16));
    cmdSendMail.Caption("Send mail").Default(true).Move(px(12), px(424), px(140), px(28));
    cmdHelp.Caption("Help").Move(px(165), px(424), px(140), px(28));
    cmdClose.Caption("Close").Cancel(true).Move(px(318), px(424), px(140), px(28));

    Load = [this] { Form_Load(); };
    txtServer.Change = [this] { txtServer_Change(); };
    txtFrom.Change = [this] { txtFrom_Change(); };
    ServerChk.Click = [this] { ServerChk_Click(); };
    EmailChk.Click = [this] { EmailChk_Click(); };
    cmdSendMail.Click = [this] { cmdSendMail_Click(); };
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
}

void frmEmail::Form_Load() {
    Recipe::Center_Form(*this);
    txtSubject.Text(app.ViewFrm().RecipeLst.Text());
    std::string s = files::GetSetting(app.SettingsName(), kOptions, kMailServer, "");
    if (!vb::Trim(s).empty()) {
        txtServer.Text(s);
        ServerChk.Value(forms::vbGrayed);
    }
    s = files::GetSetting(app.SettingsName(), kOptions, kFromEmail, "");
    if (!vb::Trim(s).empty()) {
        txtFrom.Text(s);
        EmailChk.Value(forms::vbGrayed);
    }
}

void frmEmail::txtServer_Change() {
    const std::string t = vb::Trim(txtServer.Text());
    ServerChk.Value(forms::vbUnchecked);
    ServerChk.Enabled(!t.empty() && t != kServerPrompt);
}

void frmEmail::txtFrom_Change() {
    const std::string t = vb::Trim(txtFrom.Text());
    EmailChk.Value(forms::vbUnchecked);
    EmailChk.Enabled(!t.empty());
}

void frmEmail::ServerChk_Click() {
    if (ServerChk.Value() == forms::vbUnchecked) app.SaveOption(kMailServer, "");
    else if (ServerChk.Value() == forms::vbChecked) app.SaveOption(kMailServer, vb::Trim(txtServer.Text()));
}

void frmEmail::EmailChk_Click() {
    if (EmailChk.Value() == forms::vbUnchecked) app.SaveOption(kFromEmail, "");
    else if (EmailChk.Value() == forms::vbChecked) app.SaveOption(kFromEmail, vb::Trim(txtFrom.Text()));
}

void frmEmail::cmdHelp_Click() {
    BusyPointer busy(*this);
    app.Show_Help(kHelpMail);
}

void frmEmail::cmdClose_Click() { forms::Unload(*this); }

bool frmEmail::CheckFields() {
    const struct {
        forms::TextBox& box;
        const char* empty;
    } required[] = {
        {txtServer, "You must enter the name of your Email Server"},
        {txtTo, "You must enter the name of your Email Recipient"},
        {txtFrom, "You must enter your Email Address"},
    };
    for (const auto& r : required) {
        if (vb::Trim(r.box.Text()).empty()) {
            services::MsgBox(r.empty, services::vbCritical, "Information Required");
            r.box.SetFocus();
            return false;
        }
    }
    // A line break would end a mail header early and start one of the text's choosing.
    const struct {
        forms::TextBox& box;
        const char* what;
    } headers[] = {
        {txtServer, "the name of your Email Server"},
        {txtTo, "the Email address of your Recipient"},
        {txtFrom, "your Email Address"},
        {txtSubject, "the Subject"},
    };
    for (const auto& h : headers) {
        if (HasLineBreak(h.box.Text())) {
            services::MsgBox(std::string("Please put ") + h.what + " on one line: a line break cannot be sent in it.",
                             services::vbCritical, "Information Required");
            h.box.SetFocus();
            return false;
        }
    }
    // One address each: anything else could add recipients or commands to the envelope.
    for (const auto& h : {headers[1], headers[2]}) {
        if (!services::ParseMailAddress(h.box.Text())) {
            services::MsgBox(std::string("Please enter ") + h.what +
                                 " as one address, like ann@example.org or Ann Smith <ann@example.org>.",
                             services::vbCritical, "Information Required");
            h.box.SetFocus();
            return false;
        }
    }
    return true;
}

MailRecipe frmEmail::ShownRecipe() const {
    const recipe::ViewFrm& v = app.ViewFrm();
    MailRecipe r;
    r.name = v.RecipeLst.Text();
    for (int i = 0; i < v.R_IngLst.ListCount(); ++i) r.lines.push_back(v.R_IngLst.List(i));
    r.directions = v.DirectionsTxt.Text();
    r.servingsLine = v.lbl1M.Caption();
    r.cals = v.lblCals.Caption();
    r.fatCals = v.lblFCals.Caption();
    r.fatG = v.lblFg.Caption();
    r.fatP = v.lblFP.Caption();
    r.satFatG = v.lblSFg.Caption();
    r.satFatP = v.lblSFP.Caption();
    r.cholG = v.lblCg.Caption();
    r.cholP = v.lblCP.Caption();
    r.sodiumG = v.lblSg.Caption();
    r.sodiumP = v.lblSP.Caption();
    r.carbsG = v.lblTCg.Caption();
    r.carbsP = v.lblTCP.Caption();
    r.fiberG = v.lblTFg.Caption();
    r.fiberP = v.lblTFP.Caption();
    r.proteinG = v.lblPg.Caption();
    r.fatShare = v.Label20.Caption();
    r.carbsShare = v.Label21.Caption();
    r.proteinShare = v.Label22.Caption();
    return r;
}

void frmEmail::cmdSendMail_Click() {
    if (!CheckFields()) return;
    BusyPointer busy(*this);
    try {
        const std::string body = RecipeMailBody(txtBody.Text(), ShownRecipe());
        std::unique_ptr<services::MailSender> sender = services::CreateObject(services::kMailSenderClassId);
        sender->SendHtmlMail(txtServer.Text(), txtTo.Text(), txtSubject.Text(), body, txtFrom.Text());
        sender.reset();
        services::MsgBox("Your recipe has been sent", services::vbInformation, "Done");
    } catch (const vb::Error& e) {
        if (e.number == services::kMailCancelled) {
            services::MsgBox("Sending was cancelled: your recipe has not been sent", services::vbInformation, "Cancelled");
            return;
        }
        const std::string source = e.source.empty() ? forms::App().Title() : e.source;
        services::MsgBox("An error occurred: [" + vb::CStr(static_cast<vb::Long>(e.number)) + "] " + e.description +
                             " - Source: " + source,
                         services::vbOKOnly, forms::App().Title());
    }
}

}  // namespace recipe
