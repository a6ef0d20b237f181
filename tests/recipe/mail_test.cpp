// Sending the shown recipe by mail: the window and its remembered values, the required fields, the
// HTML body byte for byte, and real sending against an SMTP server started here (one that takes
// the message, one that refuses it, one that never answers).
#include <chrono>
#include <functional>

#include "platform/core/text.h"
#include "platform/services/smtp.h"
#include "platform/testing/smtp_server.h"
#include "viewer_steps.h"

namespace {

using recipetest::Egg;
using recipetest::Flour;
using recipetest::FractionLine;
using recipetest::HeadingBytes;
using recipetest::kPancakes;
using recipetest::RecordBytes;

// The recipe as the body shows it, written out by hand for the worked example.
std::string NutrientRow(const std::string& w1, const std::string& cell, const std::string& w2,
                        const std::string& percent) {
    std::string row = "<td><table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"176\"><tr><td width=\"" + w1 +
                      "\"><font size=\"2\" face=\"Arial\">" + cell;
    if (!w2.empty())
        row += "</font></td><td align=\"right\" valign=\"bottom\" width=\"" + w2 + "\"><font size=\"2\" face=\"Arial\">" +
               percent;
    return row + "</font></td></tr></table></td></tr><tr>";
}

const std::string kPancakeHtml =
    "<table><tr><td><font size=\"4\" face=\"Arial\"><strong><u>Pancakes</u></strong></font><br><br></td>"
    "<td width=\"40\">&nbsp;</td><td>&nbsp;</td></tr><tr><td valign=\"top\"><font size=\"2\" face=\"Arial\">"
    "<strong><u>List of Ingredients</u></strong><br><br>"
    "Batter<br>1 1/2 cup   Flour<br>2  egg<br>"
    "<br><strong><u>Instructions for Preparation<br><br></u></strong>Mix well."
    "</font></td><td valign=\"top\">&nbsp;</td><td><table border=\"2\" width=\"190\"><tr><td>"
    "<font size=\"4\" face=\"Arial\"><strong>Nutrition Facts</strong></font><br><font size=\"1\" face=\"Arial\">"
    "per serving</font><br><font size=\"1\" face=\"Arial\">makes 2 servings</font></td></tr><tr><td>"
    "<font size=\"1\" face=\"Arial\"><strong>Amount per serving</strong></font></td></tr><tr><td>"
    "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"176\"><tr><td width=\"88\">"
    "<font size=\"2\" face=\"Arial\"><strong>Calories</strong></font></td><td align=\"right\" width=\"88\">"
    "<font size=\"2\" face=\"Arial\">395</font></td></tr></table></td></tr><tr><td>"
    "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"176\"><tr><td width=\"110\">"
    "<font size=\"1\" face=\"Arial\">Calories from fat</font></td><td align=\"right\" width=\"66\">"
    "<font size=\"2\" face=\"Arial\">52</font></td></tr></table></td></tr><tr><td align=\"right\">"
    "<font size=\"1\" face=\"Arial\"><strong>% Daily Value *</strong></font></td></tr><tr>" +
    NutrientRow("126", "<strong>Total Fat 5.8g</strong>", "40", "9%") +
    NutrientRow("126", "Saturated Fat 1.8g", "40", "9%") +
    NutrientRow("136", "<strong>Cholesterol 186mg</strong>", "40", "62%") +
    NutrientRow("126", "<strong>Sodium 72mg</strong>", "50", "3%") +
    NutrientRow("136", "<strong>Total<br>Carbohydrate 69.6g</strong>", "40", "23%") +
    NutrientRow("136", "Dietary Fiber 2.2g", "40", "9%") + NutrientRow("136", "<strong>Protein 16.1g</strong>", "", "") +
    "<td><font size=\"2\" face=\"Arial\">Percent values are based on a 2,000 calorie per day diet. Your daily values "
    "may differ.</font></td></tr><tr><td><font size=\"2\" face=\"Arial\"><strong><u>Additional Information</u>"
    "</strong><br>13.2% of calories from Fat<br>70.5% from Carbohydrates<br>16.3% from Protein</font></td></tr>"
    "</table></td></tr></table>"
    "<p><br>This was made using <a href=\"https://sorvella.example.org/\">Sorvella Software\xA9</a><br>"
    "<a href=\"https://lumbreck.example.org/\">https://lumbreck.example.org/</a></p>";

services::SmtpOptions Quick() {
    services::SmtpOptions o;
    o.connectTimeout = std::chrono::milliseconds(1000);
    o.answerTimeout = std::chrono::seconds(1);
    return o;
}

class Mail : public recipetest::Viewer {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        WriteIngredients({Flour(), Egg()});
    }
    void Show(const std::string& records = kPancakes) {
        WriteRecipes(records + "\r\n");
        Open();
        OpenViewer();
    }
    // Opens the mail window from the tool bar; the script works it while it is shown.
    void WithMail(std::function<void(recipe::frmEmail&)> script) {
        host.OnModal("frmEmail", [script](forms::Form& f) { script(static_cast<recipe::frmEmail&>(f)); });
        ViewTool("Email");
    }
    static void Fill(recipe::frmEmail& m, const std::string& server, const std::string& to = "ann@example.org",
                     const std::string& from = "bob@example.org") {
        drive::TypeText(m.txtServer, server);
        drive::TypeText(m.txtTo, to);
        drive::TypeText(m.txtFrom, from);
    }
};

TEST_F(Mail, TheWindowAsItOpens) {
    Show();
    WithMail([&](recipe::frmEmail& m) {
        EXPECT_EQ(m.Caption(), "Email Recipes");
        EXPECT_EQ(m.Frame1.Caption(), "Mail Server ( Your SMTP Mail Server's Name ) ");
        EXPECT_EQ(m.Frame2.Caption(), "To ( Recipient's Email address goes here )");
        EXPECT_EQ(m.Frame3.Caption(), "From ( Your Email address goes here )");
        for (const forms::Control* red : std::initializer_list<const forms::Control*>{&m.Frame1, &m.Frame2, &m.Frame3, &m.Label2})
            EXPECT_EQ(red->ForeColor(), 0x0000C0) << red->Name();
        EXPECT_EQ(m.Label2.Caption(), "ITEMS IN RED ARE REQUIRED");
        EXPECT_TRUE(m.Label2.FontBold());
        EXPECT_TRUE(m.Label2.FontUnderline());
        EXPECT_EQ(m.Label5.Caption(), "Subject: ( Change if desired )");
        EXPECT_EQ(m.Label6.Caption(), "Body: (Extra text to include with recipe,  include any valid HTML tags, too!)");
        EXPECT_EQ(m.Label1.Caption(), "Connect to the internet before pressing the Send Mail button.");
        EXPECT_EQ(m.cmdSendMail.Caption(), "Send mail");
        EXPECT_EQ(m.cmdHelp.Caption(), "Help");
        EXPECT_EQ(m.cmdClose.Caption(), "Close");
        EXPECT_EQ(m.ServerChk.Caption(), "Save");
        EXPECT_EQ(m.txtSubject.Text(), "Pancakes");
        EXPECT_EQ(m.txtServer.Text(), "");
        EXPECT_EQ(m.ServerChk.Value(), 0);
        EXPECT_EQ(m.Left(), (forms::Screen().Width() - m.Width()) / 2);
        EXPECT_EQ(m.Top(), (forms::Screen().Height() - m.Height()) / 2);
        drive::Click(m.cmdHelp);
        drive::Click(m.cmdClose);
    });
    EXPECT_EQ(host.ModalsShown(), std::vector<std::string>{"frmEmail"});
    ASSERT_FALSE(host.DesktopCalls().empty());
    EXPECT_EQ(host.DesktopCalls().back().kind, "help");
    EXPECT_EQ(host.DesktopCalls().back().data, 590);
    EXPECT_TRUE(host.SentMails().empty());
}

TEST_F(Mail, RememberedServerAndSender) {
    SetOption("Mail Server", " smtp.example.org ");
    SetOption("From Email", "bob@example.org");
    Show();
    WithMail([&](recipe::frmEmail& m) {
        // Filled from the settings and greyed; nothing stored anew.
        EXPECT_EQ(m.txtServer.Text(), " smtp.example.org ");
        EXPECT_EQ(m.ServerChk.Value(), 2);
        EXPECT_TRUE(m.ServerChk.Enabled());
        EXPECT_EQ(m.txtFrom.Text(), "bob@example.org");
        EXPECT_EQ(m.EmailChk.Value(), 2);
        EXPECT_EQ(Option("Mail Server"), " smtp.example.org ");

        // Editing the text unticks the box, which forgets the remembered value; ticking stores it.
        drive::TypeKeys(m.txtServer, "x");
        EXPECT_EQ(m.ServerChk.Value(), 0);
        EXPECT_EQ(Option("Mail Server"), "");
        drive::Click(m.ServerChk);
        EXPECT_EQ(m.ServerChk.Value(), 1);
        EXPECT_EQ(Option("Mail Server"), vb::Trim(m.txtServer.Text()));

        drive::TypeText(m.txtServer, "Mail Server Name Goes Here");
        EXPECT_FALSE(m.ServerChk.Enabled());
        drive::TypeText(m.txtServer, "   ");
        EXPECT_FALSE(m.ServerChk.Enabled());
        drive::TypeText(m.txtFrom, "");
        EXPECT_FALSE(m.EmailChk.Enabled());
        EXPECT_EQ(Option("From Email"), "");
        drive::Click(m.cmdClose);
    });
}

TEST_F(Mail, RequiredFieldsAndLineBreaksAreRefusedBeforeSending) {
    Show();
    const struct {
        const char* name;
        std::string server, to, from, subject;
        forms::TextBox recipe::frmEmail::*focus;
        const char* prompt;
    } rows[] = {
        {"server of blanks", "   ", "ann@example.org", "bob@example.org", "Pancakes", &recipe::frmEmail::txtServer,
         "You must enter the name of your Email Server"},
        {"no recipient", "smtp.example.org", "", "bob@example.org", "Pancakes", &recipe::frmEmail::txtTo,
         "You must enter the name of your Email Recipient"},
        {"no sender", "smtp.example.org", "ann@example.org", " ", "Pancakes", &recipe::frmEmail::txtFrom,
         "You must enter your Email Address"},
        {"a second recipient smuggled in", "smtp.example.org", "ann@example.org\r\nBcc: eve@example.org",
         "bob@example.org", "Pancakes", &recipe::frmEmail::txtTo,
         "Please put the Email address of your Recipient on one line: a line break cannot be sent in it."},
        {"a header in the subject", "smtp.example.org", "ann@example.org", "bob@example.org", "Hi\nBcc: eve@example.org",
         &recipe::frmEmail::txtSubject, "Please put the Subject on one line: a line break cannot be sent in it."},
        {"a line break in the server", "smtp.example.org\r", "ann@example.org", "bob@example.org", "Pancakes",
         &recipe::frmEmail::txtServer,
         "Please put the name of your Email Server on one line: a line break cannot be sent in it."},
        {"SMTP parameters after the recipient", "smtp.example.org",
         "ann@example.org> NOTIFY=SUCCESS ORCPT=rfc822;eve@evil.org", "bob@example.org", "Pancakes",
         &recipe::frmEmail::txtTo,
         "Please enter the Email address of your Recipient as one address, like ann@example.org or Ann Smith "
         "<ann@example.org>."},
        {"two recipients", "smtp.example.org", "ann@example.org, eve@example.org", "bob@example.org", "Pancakes",
         &recipe::frmEmail::txtTo,
         "Please enter the Email address of your Recipient as one address, like ann@example.org or Ann Smith "
         "<ann@example.org>."},
        {"SMTP parameters after the sender", "smtp.example.org", "ann@example.org",
         "bob@example.org> SIZE=1 BODY=8BITMIME", "Pancakes", &recipe::frmEmail::txtFrom,
         "Please enter your Email Address as one address, like ann@example.org or Ann Smith <ann@example.org>."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const std::size_t before = host.MsgBoxes().size();
        WithMail([&](recipe::frmEmail& m) {
            m.txtServer.Text(r.server);
            m.txtTo.Text(r.to);
            m.txtFrom.Text(r.from);
            m.txtSubject.Text(r.subject);
            drive::Click(m.cmdSendMail);
            EXPECT_EQ(m.ActiveControl(), &(m.*r.focus));
            EXPECT_EQ(m.MousePointer(), forms::vbDefault);
            drive::Click(m.cmdClose);
        });
        ASSERT_EQ(host.MsgBoxes().size(), before + 1);
        EXPECT_EQ(host.MsgBoxes().back().prompt, r.prompt);
        EXPECT_EQ(host.MsgBoxes().back().title, "Information Required");
        EXPECT_EQ(host.MsgBoxes().back().style, 16);
    }
    EXPECT_TRUE(host.SentMails().empty());
}

TEST_F(Mail, TheBodyIsTheUsersTextThenTheRecipe) {
    Show();
    WithMail([&](recipe::frmEmail& m) {
        Fill(m, " smtp.example.org ");
        drive::TypeText(m.txtSubject, "Sunday pancakes");
        drive::TypeText(m.txtBody, "  <p>Try <b>these</b>!</p>  ");
        drive::Click(m.cmdSendMail);
        EXPECT_TRUE(m.IsLoaded());  // the window stays for another try
        drive::Click(m.cmdClose);
    });
    ASSERT_EQ(host.SentMails().size(), 1u);
    const drive::SentMail& sent = host.SentMails()[0];
    EXPECT_EQ(sent.server, " smtp.example.org ");
    EXPECT_EQ(sent.recipient, "ann@example.org");
    EXPECT_EQ(sent.subject, "Sunday pancakes");
    EXPECT_EQ(sent.sender, "bob@example.org");
    EXPECT_EQ(sent.body, "<p>Try <b>these</b>!</p>" + kPancakeHtml);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Your recipe has been sent");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Done");
    EXPECT_EQ(host.MsgBoxes()[0].style, 64);
}

TEST_F(Mail, TheRecipesOwnTextsAreEscaped) {
    WriteIngredients({Flour(), Egg(), recipetest::Ing("Salt & <pepper>")});
    const std::string lines = HeadingBytes("<Sauce>") + FractionLine("Salt & <pepper>", "1", "tsp");
    Show(RecordBytes("Mac & \"Cheese\"", "1", lines, "Stir < 5 min.\r\nServe & enjoy.\nHot."));
    WithMail([&](recipe::frmEmail& m) {
        Fill(m, "smtp.example.org");
        drive::Click(m.cmdSendMail);
        drive::Click(m.cmdClose);
    });
    ASSERT_EQ(host.SentMails().size(), 1u);
    const std::string& body = host.SentMails()[0].body;
    EXPECT_EQ(host.SentMails()[0].subject, "Mac & \"Cheese\"");
    EXPECT_EQ(body.find("<table><tr><td><font size=\"4\" face=\"Arial\"><strong><u>Mac &amp; &quot;Cheese&quot;</u>"), 0u);
    EXPECT_NE(body.find("<br><br>&lt;Sauce&gt;<br>1 tsp   Salt &amp; &lt;pepper&gt;<br><br>"), std::string::npos);
    EXPECT_NE(body.find("</strong>Stir &lt; 5 min.<br>Serve &amp; enjoy.<br>Hot.</font>"), std::string::npos);
}

TEST_F(Mail, AFailedSendShowsTheErrorsNumberTextAndSource) {
    Show();
    host.FailMail(vb::Error(550, "Recipient rejected", "MailSender"));
    WithMail([&](recipe::frmEmail& m) {
        Fill(m, "smtp.example.org");
        drive::Click(m.cmdSendMail);
        EXPECT_TRUE(m.IsLoaded());
        EXPECT_EQ(m.MousePointer(), forms::vbDefault);
        drive::Click(m.cmdClose);
    });
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "An error occurred: [550] Recipient rejected - Source: MailSender");
    EXPECT_EQ(host.MsgBoxes()[0].style, 0);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Sorvella");
}

class RealMail : public Mail {
protected:
    void SetUp() override {
        Mail::SetUp();
        host.SetMailFactory(services::SmtpMailFactory(Quick()));
    }
    // Sends the worked example to the server; the message boxes that followed.
    std::vector<std::string> SendTo(const std::string& server) {
        Show();
        WithMail([&](recipe::frmEmail& m) {
            Fill(m, server, "Ann <ann@example.org>");
            drive::TypeText(m.txtBody, "Caf\xE9 au lait goes well with these.");
            drive::Click(m.cmdSendMail);
            drive::Click(m.cmdClose);
        });
        return MsgBoxPrompts();
    }
    std::string SendOnce(const std::string& server, const std::string& to, const std::string& from = "bob@example.org");
};

// Sends through the mail window of the viewer shown already; the one message box that followed.
std::string RealMail::SendOnce(const std::string& server, const std::string& to, const std::string& from) {
    const std::size_t before = host.MsgBoxes().size();
    WithMail([&](recipe::frmEmail& m) {
        Fill(m, server, to, from);
        drive::Click(m.cmdSendMail);
        drive::Click(m.cmdClose);
    });
    if (host.MsgBoxes().size() != before + 1) return std::to_string(host.MsgBoxes().size() - before) + " message boxes";
    return host.MsgBoxes().back().prompt;
}

TEST_F(RealMail, TheServerReceivesTheRecipeAsHtml) {
    drive::SmtpTestServer server;
    EXPECT_EQ(SendTo(server.Address()), std::vector<std::string>{"Your recipe has been sent"});
    const auto mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    const drive::ReceivedMail& mail = mails[0];
    EXPECT_EQ(mail.mailFrom, "bob@example.org");
    EXPECT_EQ(mail.rcptTo, std::vector<std::string>{"ann@example.org"});
    EXPECT_EQ(mail.Header("Subject"), "Pancakes");
    EXPECT_EQ(mail.Header("From"), "bob@example.org");
    EXPECT_EQ(mail.Header("To"), "\"Ann\" <ann@example.org>");
    EXPECT_NE(mail.Header("Content-Type").find("text/html"), std::string::npos);
    EXPECT_NE(vb::LCase(mail.Header("Content-Type")).find("utf-8"), std::string::npos);
    EXPECT_FALSE(mail.Header("Date").empty());
    EXPECT_FALSE(mail.Header("Message-ID").empty());
    EXPECT_EQ(mail.Body(), vb::ToUtf8("Caf\xE9 au lait goes well with these." + kPancakeHtml));
}

// A sender planted in the settings is refused like a typed one: the server never hears of it.
TEST_F(RealMail, APlantedSenderNeverReachesTheServer) {
    drive::SmtpTestServer server;
    SetOption("From Email", "bob@example.org> SIZE=1 BODY=8BITMIME");
    Show();
    WithMail([&](recipe::frmEmail& m) {
        drive::TypeText(m.txtServer, server.Address());
        drive::TypeText(m.txtTo, "ann@example.org");
        drive::Click(m.cmdSendMail);
        EXPECT_EQ(m.ActiveControl(), &m.txtFrom);
        drive::Click(m.cmdClose);
    });
    EXPECT_EQ(MsgBoxPrompts(), std::vector<std::string>{"Please enter your Email Address as one address, like "
                                                        "ann@example.org or Ann Smith <ann@example.org>."});
    EXPECT_EQ(server.Connections(), 0);
    EXPECT_TRUE(host.BusyShown().empty());
}

// Cancel while the server keeps silent: the window says so, and nothing is reported as sent.
TEST_F(RealMail, ACancelledSendIsNotReportedAsSent) {
    host.SetMailFactory(services::SmtpMailFactory());  // the default waits: only Cancel ends it soon
    drive::SmtpTestServer server({.replies = {{"DATA", ""}}});
    host.CancelBusy(150);
    EXPECT_EQ(SendTo(server.Address()), std::vector<std::string>{"Sending was cancelled: your recipe has not been sent"});
    EXPECT_EQ(host.MsgBoxes().back().style, 64);
    EXPECT_EQ(host.MsgBoxes().back().title, "Cancelled");
    ASSERT_EQ(host.BusyShown().size(), 1u);
    EXPECT_TRUE(host.BusyShown()[0].cancelled);
    EXPECT_TRUE(server.Mails().empty());
}

// A domain with letters outside ASCII goes out in its ASCII form; a mailbox name with them is
// refused, naming the field, by a server that does not offer SMTPUTF8.
TEST_F(RealMail, InternationalAddresses) {
    Show();
    drive::SmtpTestServer server;
    EXPECT_EQ(SendOnce(server.Address(), "ann@b\xFC" "cher.example"), "Your recipe has been sent");
    EXPECT_NE(server.Received().find("\r\nRCPT TO:<ann@xn--bcher-kva.example>\r\n"), std::string::npos);

    drive::SmtpTestServer plain;
    EXPECT_EQ(SendOnce(plain.Address(), "j\xF6rg@example.org"),
              "An error occurred: [5] The recipient's address \"j\xF6rg@example.org\" has letters outside ASCII "
              "before the @, and this mail server does not take such addresses (it does not offer SMTPUTF8) - "
              "Source: MailSender");
    EXPECT_EQ(plain.Received().find("MAIL FROM"), std::string::npos);
}

// Cancel pressed after the whole mail went out: the window waits for the server's answer and
// reports it, and never says that the recipe has not been sent.
TEST_F(RealMail, ACancelAfterTheWholeMailWentOutIsNotTakenForNotSent) {
    Show();
    drive::SmtpTestServer slow({.holdDotAnswer = true, .replies = {}});
    host.CancelBusyWhenHeld([&slow] { slow.AnswerDot(); });
    EXPECT_EQ(SendOnce(slow.Address(), "ann@example.org"), "Your recipe has been sent");
    EXPECT_EQ(slow.Mails().size(), 1u);
    ASSERT_EQ(host.BusyShown().size(), 1u);
    EXPECT_TRUE(host.BusyShown()[0].cancelRefused);

    drive::SmtpTestServer silent({.replies = {{".", ""}}});
    host.CancelBusyWhenHeld();
    const std::string prompt = SendOnce(silent.Address(), "ann@example.org");
    EXPECT_EQ(prompt.rfind("An error occurred: [28] The mail server did not confirm the mail in time (", 0), 0u) << prompt;
    EXPECT_TRUE(prompt.ends_with("; the whole mail went out, so it may have been sent - Source: MailSender")) << prompt;
    EXPECT_TRUE(host.BusyShown().back().cancelRefused);
}

TEST_F(RealMail, AServerThatRefusesIsReported) {
    drive::SmtpTestServer server({.replies = {{"RCPT", "550 5.1.1 <ann@example.org>: Recipient address rejected"}}});
    EXPECT_EQ(SendTo(server.Address()),
              std::vector<std::string>{
                  "An error occurred: [550] 5.1.1 <ann@example.org>: Recipient address rejected - Source: MailSender"});
    EXPECT_TRUE(server.Mails().empty());
}

TEST_F(RealMail, AServerThatNeverAnswersEndsTheSendWithAnError) {
    drive::SmtpTestServer server({.replies = {{"greeting", ""}}});
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> prompts = SendTo(server.Address());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].rfind("An error occurred: [28] The mail server did not answer in time (", 0), 0u) << prompts[0];
    EXPECT_TRUE(prompts[0].ends_with(" - Source: MailSender")) << prompts[0];
}

TEST_F(RealMail, NothingListeningIsReported) {
    drive::ClosedPort port;
    const std::vector<std::string> prompts = SendTo(port.Address());
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].rfind("An error occurred: [7] ", 0), 0u) << prompts[0];
}

}  // namespace
