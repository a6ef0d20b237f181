#pragma once
// Message boxes, input boxes, file and print dialogs and the busy indicator on Qt.
#include <QStringList>
#include <QWidget>

#include "platform/services/dialogs.h"

namespace qtui {

class QtPrinter;

// What a dialog opens over: the modal window on top, else the active one.
QWidget* DialogParent();

// Qt name filters for a common-dialog filter ("Text (*.txt)|*.txt|All|*.*").
QStringList NameFilters(std::string_view filter);

class QtDialogs : public services::Dialogs {
public:
    explicit QtDialogs(QtPrinter& printer) : printer_(printer) {}
    int MessageBox(const services::MessageBoxRequest& request) override;
    std::optional<std::string> InputBox(const services::InputBoxRequest& request) override;
    std::optional<services::FileDialogResult> FileDialog(const services::FileDialogRequest& request) override;
    bool PrintDialog(const services::PrintDialogRequest& request) override;
    // The work runs on a thread of its own while a modal indicator runs the event loop (busy.cpp).
    void RunBusy(const services::BusyRequest& request,
                 const std::function<void(services::CancelFlag&)>& work) override;

private:
    QtPrinter& printer_;
};

}  // namespace qtui
