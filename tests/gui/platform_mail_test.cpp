// The Qt host sends mail for real: its mail component is the SMTP sender, and while a send waits
// for the server the event loop keeps running under the "Sending..." indicator.
#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/services/mail.h"
#include "platform/services/smtp.h"
#include "platform/testing/smtp_server.h"
#include "platform/testing/temp_env.h"

namespace {

bool IsBusyIndicator(QWidget* w) { return w->findChild<QProgressBar*>() != nullptr; }

// The longest wait between two ticks of a 10 ms timer while `run` runs, and their number.
struct Ticks {
    int count = 0;
    qint64 longestGap = 0;
};

template <class Run>
Ticks Measure(Run run) {
    Ticks t;
    QElapsedTimer since;
    since.start();
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++t.count;
        t.longestGap = std::max(t.longestGap, since.restart());
    });
    timer.start();
    run();
    t.longestGap = std::max(t.longestGap, since.elapsed());
    return t;
}

vb::Error SendExpectingError(services::MailSender& mail, const std::string& server) {
    try {
        mail.SendHtmlMail(server, "ann@example.org", "Pancakes", "<p>x</p>", "bob@example.org");
    } catch (const vb::Error& e) {
        return e;
    }
    return vb::Error(0, "no error");
}

class QtMail : public ::testing::Test {
protected:
    ~QtMail() override { forms::ResetApplication(); }
    ::drive::TempEnvironment env;
    qtui::QtHost host;
};

TEST_F(QtMail, TheMailComponentIsTheSmtpSender) {
    drive::SmtpTestServer server;
    auto mail = services::CreateObject(services::kMailSenderClassId);
    ASSERT_NE(dynamic_cast<services::SmtpMailSender*>(mail.get()), nullptr);
    mail->SendHtmlMail(server.Address(), "ann@example.org", "Pancakes", "<p>1\xBD cups</p>", "bob@example.org");
    auto mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].Body(), "<p>1\xC2\xBD cups</p>");
    EXPECT_THROW(services::CreateObject("{00000000-0000-0000-0000-000000000000}"), vb::Error);
}

// A server that takes the connection and never says a word: the window's loop keeps ticking, and
// Cancel ends the send long before the 15 s the greeting may take; without Cancel the timeout
// ends it, the loop ticking all the while.
TEST_F(QtMail, ASilentServerNeverStallsTheEventLoop) {
    drive::SmtpTestServer server({.replies = {{"greeting", ""}}});
    forms::App().Title("Sorvella");

    services::SmtpMailSender patient;  // the default waits
    QString prompt, title, afterCancel;
    std::chrono::steady_clock::time_point pressed;
    gui::WhenModal(IsBusyIndicator, [&](QWidget* w) {
        QTimer::singleShot(400, w, [&, w] {
            prompt = w->findChild<QLabel*>()->text();
            title = w->windowTitle();
            EXPECT_TRUE(w->grab().save(QString::fromStdString(gui::ScreenshotPath("mail_sending"))));
            auto* cancel = gui::FindChild<QPushButton>(w, QStringLiteral("Cancel"));
            ASSERT_NE(cancel, nullptr);
            pressed = std::chrono::steady_clock::now();
            cancel->click();
            afterCancel = w->findChild<QLabel*>()->text();
        });
    });
    vb::Error cancelled(0);
    const Ticks whileCancelled = Measure([&] { cancelled = SendExpectingError(patient, server.Address()); });
    const auto cancelTook = std::chrono::steady_clock::now() - pressed;
    EXPECT_EQ(cancelled.number, services::kMailCancelled) << cancelled.description;
    EXPECT_EQ(cancelled.source, "MailSender");
    EXPECT_EQ(prompt, QStringLiteral("Sending\u2026"));
    EXPECT_EQ(title, QStringLiteral("Sorvella"));
    EXPECT_EQ(afterCancel, QStringLiteral("Cancelling\u2026"));
    // At once: the wait for the server wakes up, it does not run on to its next check.
    EXPECT_LT(cancelTook, std::chrono::milliseconds(750));
    EXPECT_GE(whileCancelled.count, 20);
    EXPECT_LT(whileCancelled.longestGap, 500);  // a frozen window waits seconds; a loaded machine a little
    EXPECT_TRUE(server.Mails().empty());

    services::SmtpOptions quick;
    quick.connectTimeout = std::chrono::milliseconds(1500);
    services::SmtpMailSender impatient(quick);
    vb::Error timedOut(0);
    const Ticks whileWaiting = Measure([&] { timedOut = SendExpectingError(impatient, server.Address()); });
    EXPECT_EQ(timedOut.number, 28) << timedOut.description;
    EXPECT_GE(whileWaiting.count, 50);
    EXPECT_LT(whileWaiting.longestGap, 500);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Once the whole mail went out, the indicator says that it waits for the server's answer, and
// its Cancel, Escape and close box do nothing until the answer comes. It is of fixed size.
TEST_F(QtMail, AfterTheWholeMailTheIndicatorWaitsForTheAnswer) {
    drive::SmtpTestServer server({.holdDotAnswer = true, .replies = {}});
    forms::App().Title("Sorvella");
    services::SmtpMailSender mail;  // the default waits: only the server's answer ends it soon
    QString prompt, held, afterPresses;
    bool cancelEnabled = true, fixedSize = false, maximizable = true;
    gui::WhenModal(IsBusyIndicator, [&](QWidget* w) {
        auto* label = w->findChild<QLabel*>();
        prompt = label->text();
        fixedSize = w->minimumSize() == w->maximumSize() && w->size() == w->minimumSize();
        maximizable = w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
        // Waits for the label to change, as a user watching it would.
        auto* watch = new QTimer(w);
        QObject::connect(watch, &QTimer::timeout, w, [&, w, label, watch] {
            if (label->text() == prompt) return;
            watch->stop();
            held = label->text();
            auto* cancel = gui::FindChild<QPushButton>(w, QStringLiteral("Cancel"));
            ASSERT_NE(cancel, nullptr);
            cancelEnabled = cancel->isEnabled();
            EXPECT_TRUE(w->grab().save(QString::fromStdString(gui::ScreenshotPath("mail_sending_confirm"))));
            cancel->click();
            QTest::keyClick(w, Qt::Key_Escape);
            w->close();
            afterPresses = label->text();
            server.AnswerDot();
        });
        watch->start(10);
    });
    EXPECT_EQ(SendExpectingError(mail, server.Address()).number, 0);
    EXPECT_EQ(prompt, QStringLiteral("Sending\u2026"));
    EXPECT_EQ(held, QStringLiteral("Waiting for the mail server to confirm the mail\u2026\n"
                                   "It has gone out whole, so it can no longer be cancelled."));
    EXPECT_FALSE(cancelEnabled);
    EXPECT_EQ(afterPresses, held);
    EXPECT_TRUE(fixedSize);
    EXPECT_FALSE(maximizable);
    EXPECT_EQ(server.Mails().size(), 1u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Should the program end while the indicator waits for that answer, the send ends at once (the
// mail may have been sent, and the error says so): it does not hold the program for its timeout.
TEST_F(QtMail, TheProgramEndingWhileTheAnswerIsAwaitedEndsTheSend) {
    drive::SmtpTestServer server({.holdDotAnswer = true, .replies = {}});
    services::SmtpOptions patient;
    patient.answerTimeout = std::chrono::seconds(20);
    services::SmtpMailSender mail(patient);
    gui::WhenModal(IsBusyIndicator, [](QWidget* w) {
        auto* label = w->findChild<QLabel*>();
        auto* watch = new QTimer(w);
        QObject::connect(watch, &QTimer::timeout, w, [label, watch, sending = label->text()] {
            if (label->text() == sending) return;
            watch->stop();
            QCoreApplication::exit(0);  // every loop ends, the indicator's too
        });
        watch->start(10);
    });
    const auto start = std::chrono::steady_clock::now();
    const vb::Error e = SendExpectingError(mail, server.Address());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(e.description.ends_with("; the whole mail went out, so it may have been sent")) << e.description;
    // The application's own loop, run and ended, lets later loops run again.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

}  // namespace
