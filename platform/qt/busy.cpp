// The busy indicator: a modal dialog with a moving bar and Cancel, whose event loop keeps every
// window painting while the work runs on a thread of its own.
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <thread>

#include "platform/qt/convert.h"
#include "platform/qt/dialogs.h"

namespace qtui {

namespace {

// Closes only when the work is over: Cancel, Escape and the close box ask the work to stop.
class BusyDialog : public QDialog {
public:
    BusyDialog(QWidget* parent, const services::BusyRequest& r, services::CancelFlag& cancel)
        : QDialog(parent), cancel_(cancel) {
        setWindowTitle(ToQ(r.title));
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        prompt_ = ToQLines(r.prompt);
        label_ = new QLabel(prompt_, this);
        label_->setTextFormat(Qt::PlainText);
        layout->addWidget(label_);
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);  // no steps to count: the bar just moves
        bar->setTextVisible(false);
        layout->addWidget(bar);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
        cancelButton_ = buttons->button(QDialogButtonBox::Cancel);
        cancelButton_->setText(QStringLiteral("Cancel"));
        connect(cancelButton_, &QPushButton::clicked, this, &BusyDialog::Cancel);
        layout->addWidget(buttons);
        // A small window of fixed size, as wide as its text needs and 320 pixels at least: the
        // user cannot resize or maximize it.
        label_->setMinimumWidth(320 - layout->contentsMargins().left() - layout->contentsMargins().right());
        layout->setSizeConstraint(QLayout::SetFixedSize);
        setWindowFlag(Qt::WindowMaximizeButtonHint, false);
        setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    }

    // While the work holds Cancel off, its prompt shows and Cancel is disabled; "" gives the
    // indicator back its own prompt and Cancel.
    void Held(const QString& prompt) {
        if (cancel_.Cancelled()) return;
        label_->setText(prompt.isEmpty() ? prompt_ : prompt);
        cancelButton_->setEnabled(prompt.isEmpty());
    }

    void Finished() {
        finished_ = true;
        accept();
    }
    bool IsFinished() const { return finished_; }
    void reject() override { Cancel(); }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (finished_) return QDialog::closeEvent(event);
        event->ignore();
        Cancel();
    }

private:
    void Cancel() {
        if (cancel_.Cancelled() || !cancel_.Cancel()) return;
        label_->setText(QStringLiteral("Cancelling\u2026"));
        cancelButton_->setEnabled(false);
    }

    services::CancelFlag& cancel_;
    QString prompt_;
    QLabel* label_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    bool finished_ = false;
};

}  // namespace

void QtDialogs::RunBusy(const services::BusyRequest& r, const std::function<void(services::CancelFlag&)>& work) {
    services::CancelFlag cancel;
    BusyDialog dialog(DialogParent(), r, cancel);
    cancel.WhenHeld([&dialog](const std::string& prompt) {
        QMetaObject::invokeMethod(&dialog, [&dialog, p = ToQLines(prompt)] { dialog.Held(p); }, Qt::QueuedConnection);
    });
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work(cancel);
        } catch (...) {
            failure = std::current_exception();
        }
        // Runs on the window's thread, in the dialog's event loop.
        QMetaObject::invokeMethod(&dialog, [&dialog] { dialog.Finished(); }, Qt::QueuedConnection);
    });
    dialog.exec();
    // Only the work ends the dialog; should its loop end otherwise (the program quits), the work
    // is stopped, held or not, before it is waited for.
    if (!dialog.IsFinished()) cancel.Stop();
    worker.join();
    cancel.WhenHeld(nullptr);
    if (failure) std::rethrow_exception(failure);
}

}  // namespace qtui
