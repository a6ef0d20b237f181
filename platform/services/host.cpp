#include "platform/services/host.h"

#include "platform/forms/form.h"

namespace services {

namespace {

// No desktop at all: message boxes take their default button, busy work runs as it is, everything
// else is cancelled or reports failure.
class HeadlessHost : public Host, Dialogs, PrinterDevice, Desktop {
public:
    forms::Backend& FormsBackend() override { return forms::backend(); }
    Dialogs& DialogService() override { return *this; }
    PrinterDevice& PrinterService() override { return *this; }
    Desktop& DesktopService() override { return *this; }
    std::unique_ptr<MailSender> CreateMailSender(std::string_view) override { return nullptr; }

    int MessageBox(const MessageBoxRequest& r) override { return MsgBoxDefault(r.style); }
    std::optional<std::string> InputBox(const InputBoxRequest&) override { return std::nullopt; }
    std::optional<FileDialogResult> FileDialog(const FileDialogRequest&) override { return std::nullopt; }
    bool PrintDialog(const PrintDialogRequest&) override { return false; }
    void RunBusy(const BusyRequest&, const std::function<void(CancelFlag&)>& work) override {
        CancelFlag never;
        work(never);
    }

    const forms::FontMetrics& Metrics() const override { return metrics_; }
    PageSetup Page() const override { return {}; }
    void Print(const PrintedDocument&) override { throw vb::Error(482, "Printer error"); }

    bool Open(const std::string&) override { return false; }
    std::optional<std::string> DefaultApplication(const std::string&) override { return std::nullopt; }
    long Start(const std::vector<std::string>&) override { return 0; }
    void ShowHelp(const HelpRequest&) override {}
    bool TrayAdd(const TrayIcon&) override { return false; }
    bool TrayModify(const TrayIcon&) override { return false; }
    bool TrayDelete(int) override { return false; }
    bool PlaySound(const std::string&, bool) override { return false; }

private:
    forms::FixedMetrics metrics_;
};

HeadlessHost& Headless() {
    static HeadlessHost h;
    return h;
}

Host* g_host = nullptr;

std::unique_ptr<Printer>& PrinterSlot() {
    static std::unique_ptr<Printer> p;
    return p;
}

}  // namespace

void Host::Install(Host* h) {
    g_host = h;
    forms::SetBackend(h ? &h->FormsBackend() : nullptr);
    PrinterSlot() = std::make_unique<Printer>(host().PrinterService());
}

Host& host() { return g_host ? *g_host : Headless(); }

Printer& printer() {
    auto& p = PrinterSlot();
    if (!p) p = std::make_unique<Printer>(host().PrinterService());
    return *p;
}

}  // namespace services
