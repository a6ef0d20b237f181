#pragma once
// The old Printer object. One per program, reached through services::printer(). It lays out a
// document in twips with its device's font metrics (forms::Surface: Print with Semi, Comma,
// Tab(n), Spc(n), numbers with a sign blank and a trailing blank; Line, Box, TextWidth), and hands
// the finished pages to the device at EndDoc.
//     auto& p = services::printer();
//     p.FontSize(8); p.FontName("arial"); p.FontSize(10);
//     p.Print({"Food Name", forms::Tab(45), "Serv", forms::Tab(55), 120});
//     p.EndDoc();
// Coordinates: physical twips from the top-left of the printable area; CurrentX/CurrentY are in
// scale coordinates (physical = scale - ScaleLeft). A text line that would pass the bottom of
// the printable area starts a new page.
#include <string>
#include <vector>

#include "platform/core/types.h"
#include "platform/forms/font.h"
#include "platform/forms/surface.h"

namespace services {

using forms::Comma;
using forms::PrintItem;
using forms::Semi;
using forms::Spc;
using forms::Tab;

struct PrintedPage {
    std::vector<forms::DrawOp> ops;  // in printing order
};

struct PrintedDocument {
    std::vector<PrintedPage> pages;
    double pageWidth = 0, pageHeight = 0;  // twips
    int printQuality = -4;
    int copies = 1;
};

struct PageSetup {
    double width = 12240;   // the page, twips (US Letter)
    double height = 15840;
    double printableWidth = 11520;   // the printable area, from its top-left
    double printableHeight = 15120;
};

// The toolkit side: metrics, page size, and printing a finished document.
class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;
    virtual const forms::FontMetrics& Metrics() const = 0;
    virtual PageSetup Page() const = 0;
    // Prints the document; throws vb::Error (482 "Printer error") on failure.
    virtual void Print(const PrintedDocument& document) = 0;
};

class Printer : public forms::Surface {
public:
    explicit Printer(PrinterDevice& device);

    const std::string& FontName() const { return font_.Name; }
    void FontName(std::string v) { font_.Name = std::move(v); }
    vb::Single FontSize() const { return font_.Size; }
    void FontSize(vb::Single v) { font_.Size = v; }
    bool FontBold() const { return font_.Bold; }
    void FontBold(bool v) { font_.Bold = v; }
    bool FontItalic() const { return font_.Italic; }
    void FontItalic(bool v) { font_.Italic = v; }
    bool FontUnderline() const { return font_.Underline; }
    void FontUnderline(bool v) { font_.Underline = v; }
    bool FontStrikethru() const { return font_.Strikethrough; }
    void FontStrikethru(bool v) { font_.Strikethrough = v; }
    const forms::Font& Font() const { return font_; }
    void Font(const forms::Font& f) { font_ = f; }
    vb::Long ForeColor() const { return color_; }
    void ForeColor(vb::Long v) { color_ = v; }
    int PrintQuality() const { return quality_; }
    void PrintQuality(int v) { quality_ = v; }
    int Copies() const { return copies_; }
    void Copies(int v) { copies_ = v; }

    // Page size in twips; the printable area.
    vb::Single Width() const;
    vb::Single Height() const;
    vb::Single ScaleWidth() const;
    vb::Single ScaleHeight() const;
    // The page being printed, from 1.
    int Page() const { return page_; }

    void NewPage();
    // Sends the document to the device (nothing when nothing was drawn) and starts afresh.
    void EndDoc();
    // Drops the document.
    void KillDoc();
    // Pages drawn so far and not yet sent.
    const std::vector<PrintedPage>& PendingPages() const { return pages_; }

protected:
    const forms::FontMetrics& SurfaceMetrics() const override;
    const forms::Font& SurfaceFont() const override { return font_; }
    vb::Long SurfaceColor() const override { return color_; }
    void Emit(forms::DrawOp op) override;
    void BeforeText(double height) override;

private:
    PageSetup Setup() const;
    void Reset();

    PrinterDevice* device_;
    forms::Font font_{"Arial", 10.0f};
    vb::Long color_ = 0;
    int quality_ = -4;
    int copies_ = 1;
    int page_ = 1;
    bool newPagePending_ = false;
    std::vector<PrintedPage> pages_;
};

}  // namespace services
