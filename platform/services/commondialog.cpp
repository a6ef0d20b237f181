#include "platform/services/commondialog.h"

#include "platform/core/error.h"
#include "platform/services/host.h"

namespace services {

namespace {

std::string TitleOf(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CommonDialog::CommonDialog(forms::Form& form, std::string name) : form_(&form), name_(std::move(name)) {}

CommonDialog& CommonDialog::FileName(std::string v) {
    fileName_ = std::move(v);
    fileTitle_ = TitleOf(fileName_);
    return *this;
}

bool CommonDialog::Cancelled() {
    if (cancelError_) throw vb::Error(vb::errCancel, vb::ErrorDescription(vb::errCancel), name_);
    return false;
}

bool CommonDialog::ShowFile(bool save) {
    FileDialogRequest r;
    r.kind = save ? FileDialogKind::Save : FileDialogKind::Open;
    r.title = dialogTitle_;
    r.filter = filter_;
    r.filterIndex = filterIndex_;
    r.fileName = fileName_;
    r.initDir = initDir_;
    r.defaultExt = defaultExt_;
    r.flags = flags_;
    auto result = host().DialogService().FileDialog(r);
    if (!result) return Cancelled();
    std::string chosen = result->fileName;
    std::string title = TitleOf(chosen);
    if (!defaultExt_.empty() && !title.empty() && title.find('.') == std::string::npos) {
        std::string ext = defaultExt_.front() == '.' ? defaultExt_.substr(1) : defaultExt_;
        chosen += "." + ext;
    }
    filterIndex_ = result->filterIndex;
    FileName(chosen);
    return true;
}

bool CommonDialog::ShowOpen() { return ShowFile(false); }
bool CommonDialog::ShowSave() { return ShowFile(true); }

bool CommonDialog::ShowPrinter() {
    PrintDialogRequest r{flags_, copies_};
    if (!host().DialogService().PrintDialog(r)) return Cancelled();
    return true;
}

bool CommonDialog::Action(int action) {
    switch (action) {
    case 1: return ShowOpen();
    case 2: return ShowSave();
    case 5: return ShowPrinter();
    default: throw vb::Error(vb::errInvalidPropertyValue);
    }
}

}  // namespace services
