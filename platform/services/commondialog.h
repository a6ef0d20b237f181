#pragma once
// The common dialog control: open, save and print dialogs with the old properties.
//     services::CommonDialog CommonDialog1{*this, "CommonDialog1"};
//     CommonDialog1.CancelError(true).Filter("Day files (*.dat)|*.dat");
//     CommonDialog1.ShowOpen();   // throws vb::Error(32755) on Cancel when CancelError is set
//     CommonDialog1.FileName();   // kept between uses
// The dialogs never change the current directory (whatever the flags say), so files the program
// opens by bare name stay where they were.
#include <string>

#include "platform/core/types.h"

namespace forms {
class Form;
}

namespace services {

// Open and save flags.
constexpr long cdlOFNReadOnly = 0x1;
constexpr long cdlOFNOverwritePrompt = 0x2;
constexpr long cdlOFNHideReadOnly = 0x4;
constexpr long cdlOFNNoChangeDir = 0x8;
constexpr long cdlOFNHelpButton = 0x10;
constexpr long cdlOFNNoValidate = 0x100;
constexpr long cdlOFNAllowMultiselect = 0x200;
constexpr long cdlOFNExtensionDifferent = 0x400;
constexpr long cdlOFNPathMustExist = 0x800;
constexpr long cdlOFNFileMustExist = 0x1000;
constexpr long cdlOFNCreatePrompt = 0x2000;
constexpr long cdlOFNShareAware = 0x4000;
constexpr long cdlOFNNoReadOnlyReturn = 0x8000;
constexpr long cdlOFNExplorer = 0x80000;
constexpr long cdlOFNLongNames = 0x200000;
// Print flags.
constexpr long cdlPDAllPages = 0x0;
constexpr long cdlPDSelection = 0x1;
constexpr long cdlPDPageNums = 0x2;
constexpr long cdlPDNoSelection = 0x4;
constexpr long cdlPDNoPageNums = 0x8;
constexpr long cdlPDCollate = 0x10;
constexpr long cdlPDPrintToFile = 0x20;
constexpr long cdlPDPrintSetup = 0x40;
constexpr long cdlPDNoWarning = 0x80;
constexpr long cdlPDReturnDC = 0x100;
constexpr long cdlPDReturnIC = 0x200;
constexpr long cdlPDHelpButton = 0x800;
constexpr long cdlPDUseDevModeCopies = 0x40000;
constexpr long cdlPDDisablePrintToFile = 0x80000;
constexpr long cdlPDHidePrintToFile = 0x100000;

class CommonDialog {
public:
    CommonDialog(forms::Form& form, std::string name);

    const std::string& Name() const { return name_; }
    forms::Form& Parent() const { return *form_; }

    const std::string& Filter() const { return filter_; }
    CommonDialog& Filter(std::string v) { filter_ = std::move(v); return *this; }
    int FilterIndex() const { return filterIndex_; }
    CommonDialog& FilterIndex(int v) { filterIndex_ = v; return *this; }
    // The chosen path; kept between uses and unchanged by a Cancel.
    const std::string& FileName() const { return fileName_; }
    CommonDialog& FileName(std::string v);
    // The chosen name without its folder.
    const std::string& FileTitle() const { return fileTitle_; }
    // Added (with a dot) to a chosen name that has no extension.
    const std::string& DefaultExt() const { return defaultExt_; }
    CommonDialog& DefaultExt(std::string v) { defaultExt_ = std::move(v); return *this; }
    long Flags() const { return flags_; }
    CommonDialog& Flags(long v) { flags_ = v; return *this; }
    const std::string& DialogTitle() const { return dialogTitle_; }
    CommonDialog& DialogTitle(std::string v) { dialogTitle_ = std::move(v); return *this; }
    const std::string& InitDir() const { return initDir_; }
    CommonDialog& InitDir(std::string v) { initDir_ = std::move(v); return *this; }
    bool CancelError() const { return cancelError_; }
    CommonDialog& CancelError(bool v) { cancelError_ = v; return *this; }
    int Copies() const { return copies_; }
    CommonDialog& Copies(int v) { copies_ = v; return *this; }

    // Each returns true when the user confirmed; on Cancel false, or vb::Error(32755) with
    // CancelError set.
    bool ShowOpen();
    bool ShowSave();
    bool ShowPrinter();
    // The old Action property: 1 open, 2 save, 5 print.
    bool Action(int action);

private:
    bool ShowFile(bool save);
    bool Cancelled();

    forms::Form* form_;
    std::string name_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string fileName_;
    std::string fileTitle_;
    std::string defaultExt_;
    long flags_ = 0;
    std::string dialogTitle_;
    std::string initDir_;
    bool cancelError_ = false;
    int copies_ = 1;
};

}  // namespace services
