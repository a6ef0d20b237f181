#include "platform/qt/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <map>

#include "platform/services/commondialog.h"
#include "platform/services/desktop.h"
#include "platform/qt/convert.h"
#include "platform/qt/printer.h"

namespace qtui {

QWidget* DialogParent() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    return QApplication::activeWindow();
}

namespace {

QMessageBox::StandardButton ButtonFor(int code) {
    switch (code) {
    case services::vbOK: return QMessageBox::Ok;
    case services::vbCancel: return QMessageBox::Cancel;
    case services::vbAbort: return QMessageBox::Abort;
    case services::vbRetry: return QMessageBox::Retry;
    case services::vbIgnore: return QMessageBox::Ignore;
    case services::vbYes: return QMessageBox::Yes;
    case services::vbNo: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon IconFor(services::MsgBoxIcon icon) {
    switch (icon) {
    case services::MsgBoxIcon::Critical: return QMessageBox::Critical;
    case services::MsgBoxIcon::Question: return QMessageBox::Question;
    case services::MsgBoxIcon::Exclamation: return QMessageBox::Warning;
    case services::MsgBoxIcon::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

QStringList NameFilters(std::string_view filter) {
    QStringList out;
    for (const services::FilterEntry& e : services::ParseFilter(filter)) {
        QString description = ToQ(e.description).trimmed();
        // Qt reads the patterns from the last parentheses: drop any the description brings.
        if (description.endsWith(QChar(')'))) {
            qsizetype open = description.lastIndexOf(QChar('('));
            if (open >= 0) description = description.left(open).trimmed();
        }
        QStringList patterns;
        for (const std::string& p : e.patterns) patterns << ToQ(p == "*.*" ? std::string("*") : p);
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        if (description.isEmpty()) description = patterns.join(QChar(' '));
        out << description + QStringLiteral(" (") + patterns.join(QChar(' ')) + QChar(')');
    }
    return out;
}

int QtDialogs::MessageBox(const services::MessageBoxRequest& r) {
    QMessageBox box(DialogParent());
    box.setWindowTitle(ToQ(r.title));
    box.setText(ToQLines(r.prompt));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(IconFor(services::MsgBoxIconOf(r.style)));
    std::map<QAbstractButton*, int> codes;
    for (int code : services::MsgBoxButtons(r.style)) codes[box.addButton(ButtonFor(code))] = code;
    box.setDefaultButton(ButtonFor(services::MsgBoxDefault(r.style)));
    QAbstractButton* help = nullptr;
    if (!r.helpFile.empty() || (r.style & services::vbMsgBoxHelpButton)) help = box.addButton(QMessageBox::Help);
    if (r.style & services::vbSystemModal) box.setWindowModality(Qt::ApplicationModal);
    for (;;) {
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        if (help && clicked == help) {
            // Help shows the topic and leaves the question open, as the old box did.
            if (!r.helpFile.empty()) services::ShowHelp(r.helpFile, services::HELP_CONTEXT, r.context);
            continue;
        }
        auto it = codes.find(clicked);
        if (it != codes.end()) return it->second;
        // Closed without a button: Cancel when there is one, else the only button.
        std::vector<int> buttons = services::MsgBoxButtons(r.style);
        for (int b : buttons)
            if (b == services::vbCancel) return b;
        return buttons.size() == 1 ? buttons.front() : services::MsgBoxDefault(r.style);
    }
}

std::optional<std::string> QtDialogs::InputBox(const services::InputBoxRequest& r) {
    QInputDialog dlg(DialogParent());
    dlg.setWindowTitle(ToQ(r.title));
    dlg.setLabelText(ToQLines(r.prompt));
    dlg.setInputMode(QInputDialog::TextInput);
    dlg.setTextValue(ToQ(r.defaultText));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return FromQ(dlg.textValue());
}

std::optional<services::FileDialogResult> QtDialogs::FileDialog(const services::FileDialogRequest& r) {
    QFileDialog dlg(DialogParent());
    bool save = r.kind == services::FileDialogKind::Save;
    dlg.setWindowTitle(r.title.empty() ? (save ? QStringLiteral("Save As") : QStringLiteral("Open")) : ToQ(r.title));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) dlg.setFileMode(QFileDialog::AnyFile);
    else if (r.flags & services::cdlOFNAllowMultiselect) dlg.setFileMode(QFileDialog::ExistingFiles);
    else if (r.flags & services::cdlOFNFileMustExist) dlg.setFileMode(QFileDialog::ExistingFile);
    else dlg.setFileMode(QFileDialog::AnyFile);
    if (save && !(r.flags & services::cdlOFNOverwritePrompt)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters = NameFilters(r.filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        int i = std::clamp(r.filterIndex, 1, static_cast<int>(filters.size())) - 1;
        dlg.selectNameFilter(filters.at(i));
    }
    QString name = ToQ(r.fileName);
    name.replace(QChar('\\'), QChar('/'));
    QFileInfo proposed(name);
    QString dir = !r.initDir.empty() ? ToQ(r.initDir)
                  : (name.contains(QChar('/')) ? proposed.absolutePath() : QDir::currentPath());
    dir.replace(QChar('\\'), QChar('/'));
    dlg.setDirectory(dir);
    if (!name.isEmpty()) dlg.selectFile(proposed.fileName());
    if (!r.defaultExt.empty()) {
        QString ext = ToQ(r.defaultExt);
        if (ext.startsWith(QChar('.'))) ext.remove(0, 1);
        dlg.setDefaultSuffix(ext);
    }
    for (;;) {
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
        // An open dialog that may create its file asks before it names one that is not there.
        const QString chosen = dlg.selectedFiles().first();
        if (save || !(r.flags & services::cdlOFNCreatePrompt) || QFileInfo::exists(chosen)) break;
        const QString prompt = QDir::toNativeSeparators(chosen) + QStringLiteral("\nThis file does not exist.\nCreate the file?");
        if (QMessageBox::question(dlg.parentWidget(), dlg.windowTitle(), prompt) == QMessageBox::Yes) break;
    }
    services::FileDialogResult result;
    result.fileName = FromQ(QDir::toNativeSeparators(dlg.selectedFiles().first()));
    qsizetype index = filters.indexOf(dlg.selectedNameFilter());
    result.filterIndex = index >= 0 ? static_cast<int>(index) + 1 : r.filterIndex;
    return result;
}

bool QtDialogs::PrintDialog(const services::PrintDialogRequest& r) {
    printer_.Prepare();
    QPrinter& printer = printer_.Device();
    printer.setCopyCount(std::max(1, r.copies));
    QPrintDialog dlg(&printer, DialogParent());
    if (r.flags & services::cdlPDDisablePrintToFile) dlg.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (r.flags & services::cdlPDNoPageNums) dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dlg.exec() != QDialog::Accepted) return false;
    printer_.Chosen();
    return true;
}

}  // namespace qtui
