#pragma once
// Message boxes, input boxes, file and print dialogs on Qt.
#include <QStringList>

#include "platform/services/dialogs.h"

namespace qtui {

class QtPrinter;

// Qt name filters for a common-dialog filter ("Text (*.txt)|*.txt|All|*.*").
QStringList NameFilters(std::string_view filter);

class QtDialogs : public services::Dialogs {
public:
    explicit QtDialogs(QtPrinter& printer) : printer_(printer) {}
    int MessageBox(const services::MessageBoxRequest& request) override;
    std::optional<std::string> InputBox(const services::InputBoxRequest& request) override;
    std::optional<services::FileDialogResult> FileDialog(const services::FileDialogRequest& request) override;
    bool PrintDialog(const services::PrintDialogRequest& request) override;

private:
    QtPrinter& printer_;
};

}  // namespace qtui
