// The Qt host sends mail for real: its mail component is the SMTP sender.
#include <gtest/gtest.h>

#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/services/mail.h"
#include "platform/services/smtp.h"
#include "platform/testing/smtp_server.h"
#include "platform/testing/temp_env.h"

namespace {

TEST(QtMail, TheMailComponentIsTheSmtpSender) {
    ::testing::TempEnvironment env;
    qtui::QtHost host;
    testing::SmtpTestServer server;
    auto mail = services::CreateObject(services::kMailSenderClassId);
    ASSERT_NE(dynamic_cast<services::SmtpMailSender*>(mail.get()), nullptr);
    mail->SendHtmlMail(server.Address(), "ann@example.org", "Pancakes", "<p>1\xBD cups</p>", "bob@example.org");
    auto mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].Body(), "<p>1\xC2\xBD cups</p>");
    EXPECT_THROW(services::CreateObject("{00000000-0000-0000-0000-000000000000}"), vb::Error);
    forms::ResetApplication();
}

}  // namespace
