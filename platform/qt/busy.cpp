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
        label_ = new QLabel(ToQLines(r.prompt), this);
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
        setMinimumWidth(320);
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
        if (cancel_.Cancelled()) return;
        cancel_.Cancel();
        label_->setText(QStringLiteral("Cancelling\u2026"));
        cancelButton_->setEnabled(false);
    }

    services::CancelFlag& cancel_;
    QLabel* label_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    bool finished_ = false;
};

}  // namespace

void QtDialogs::RunBusy(const services::BusyRequest& r, const std::function<void(services::CancelFlag&)>& work) {
    services::CancelFlag cancel;
    BusyDialog dialog(DialogParent(), r, cancel);
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
    // is asked to stop before it is waited for.
    if (!dialog.IsFinished()) cancel.Cancel();
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace qtui
