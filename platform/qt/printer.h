#pragma once
// The printer: pages laid out by services::Printer are painted onto a QPrinter, which is the
// printer the user chose, else the default printer, else a PDF file (the user is told where).
#include <QPrinter>
#include <memory>
#include <string>

#include "platform/qt/backend.h"
#include "platform/services/printer.h"

namespace qtui {

class QtPrinter : public services::PrinterDevice {
public:
    QtPrinter();
    ~QtPrinter() override;

    const forms::FontMetrics& Metrics() const override { return metrics_; }
    services::PageSetup Page() const override;
    void Print(const services::PrintedDocument& document) override;

    QPrinter& Device();
    // Before the print dialog: it proposes a fresh PDF file name when printing to a file.
    void Prepare();
    // The print dialog was confirmed: print where it says.
    void Chosen() { chosen_ = true; }
    // Where PDF files go when there is no printer (default: the Documents folder, else home).
    void SetPdfFolder(std::string folder) { pdfFolder_ = std::move(folder); }
    // Tells the user where a PDF went (default: a message box that does not wait).
    void SetPdfNotice(std::function<void(const std::string& path)> notice) { notice_ = std::move(notice); }
    // The last PDF file written ("" when none).
    const std::string& LastPdf() const { return lastPdf_; }

private:
    std::string NextPdfPath() const;

    QtFontMetrics metrics_{1200};
    std::unique_ptr<QPrinter> printer_;
    bool chosen_ = false;
    std::string pdfFolder_;
    std::string lastPdf_;
    std::function<void(const std::string&)> notice_;
};

}  // namespace qtui
