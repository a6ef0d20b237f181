#include "platform/services/printer.h"

namespace services {

Printer::Printer(PrinterDevice& device) : device_(&device) {}

PageSetup Printer::Setup() const { return device_->Page(); }

vb::Single Printer::Width() const { return static_cast<vb::Single>(Setup().width); }
vb::Single Printer::Height() const { return static_cast<vb::Single>(Setup().height); }
vb::Single Printer::ScaleWidth() const { return static_cast<vb::Single>(Setup().printableWidth); }
vb::Single Printer::ScaleHeight() const { return static_cast<vb::Single>(Setup().printableHeight); }

const forms::FontMetrics& Printer::SurfaceMetrics() const { return device_->Metrics(); }

void Printer::Emit(forms::DrawOp op) {
    if (pages_.empty() || newPagePending_) {
        pages_.emplace_back();
        newPagePending_ = false;
    }
    pages_.back().ops.push_back(std::move(op));
}

// A line that would reach below the printable area goes to the top of a new page.
void Printer::BeforeText(double height) {
    bool pageHasContent = !pages_.empty() && !newPagePending_ && !pages_.back().ops.empty();
    if (!pageHasContent || PenY() <= 0) return;
    if (PenY() + height <= Setup().printableHeight) return;
    double x = PenX();
    NewPage();
    SetPen(x, 0);
}

void Printer::NewPage() {
    if (pages_.empty() || newPagePending_) pages_.emplace_back();
    newPagePending_ = true;
    ++page_;
    SetPen(0, 0);
}

void Printer::Reset() {
    pages_.clear();
    newPagePending_ = false;
    page_ = 1;
    SetPen(0, 0);
}

void Printer::EndDoc() {
    if (pages_.empty()) {
        Reset();
        return;
    }
    PrintedDocument doc;
    doc.pages = std::move(pages_);
    PageSetup s = Setup();
    doc.pageWidth = s.width;
    doc.pageHeight = s.height;
    doc.printQuality = quality_;
    doc.copies = copies_;
    Reset();
    device_->Print(doc);
}

void Printer::KillDoc() { Reset(); }

}  // namespace services
