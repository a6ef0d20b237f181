#include "platform/qt/printer.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "platform/core/error.h"
#include "platform/forms/form.h"
#include "platform/qt/convert.h"
#include "platform/qt/paint.h"

namespace qtui {

namespace {

constexpr double kTwipsPerPoint = 20.0;

void ShowPdfNotice(const std::string& path) {
    auto* box = new QMessageBox(QMessageBox::Information, ToQ(forms::App().Title().empty() ? "Print" : forms::App().Title()),
                                QStringLiteral("No printer is set up, so the document was saved as a PDF file:\n\n") +
                                    QString::fromStdString(path),
                                QMessageBox::Ok, QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

}  // namespace

QtPrinter::QtPrinter() : notice_(ShowPdfNotice) {}

QtPrinter::~QtPrinter() = default;

QPrinter& QtPrinter::Device() {
    if (printer_) return *printer_;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        // No printer: a PDF with the quarter-inch margins the old printers had.
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    } else {
        printer_->setPrinterName(info.printerName());
    }
    return *printer_;
}

services::PageSetup QtPrinter::Page() const {
    QPageLayout layout = const_cast<QtPrinter*>(this)->Device().pageLayout();
    QRectF full = layout.fullRect(QPageLayout::Point);
    QRectF paint = layout.paintRect(QPageLayout::Point);
    services::PageSetup s;
    s.width = full.width() * kTwipsPerPoint;
    s.height = full.height() * kTwipsPerPoint;
    s.printableWidth = paint.width() * kTwipsPerPoint;
    s.printableHeight = paint.height() * kTwipsPerPoint;
    return s;
}

void QtPrinter::Prepare() {
    QPrinter& p = Device();
    p.setDocName(ToQ(forms::App().Title()));
    if (!chosen_ || p.outputFileName().isEmpty()) p.setOutputFileName(QString::fromStdString(NextPdfPath()));
}

std::string QtPrinter::NextPdfPath() const {
    QString folder = QString::fromStdString(pdfFolder_);
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    }
    QDir().mkpath(folder);
    QString title = ToQ(forms::App().Title().empty() ? std::string("Printout") : forms::App().Title());
    for (QChar& c : title)
        if (c == QChar('/') || c == QChar('\\') || c == QChar(':')) c = QChar('-');
    QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString base = QDir(folder).filePath(title + QChar(' ') + stamp);
    QString path = base + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n) path = base + QStringLiteral(" (%1).pdf").arg(n);
    return path.toStdString();
}

void QtPrinter::Print(const services::PrintedDocument& document) {
    QPrinter& p = Device();
    bool toPdf = p.outputFormat() == QPrinter::PdfFormat;
    bool userFile = false;
    std::string pdf;
    if (toPdf) {
        // A file the user picked in the print dialog, else a fresh one in the PDF folder.
        QFileInfo picked(p.outputFileName());
        bool usable = chosen_ && !p.outputFileName().isEmpty() && !picked.isDir() && !p.outputFileName().endsWith(QChar('/'));
        userFile = usable;
        pdf = usable ? p.outputFileName().toStdString() : NextPdfPath();
        p.setOutputFileName(QString::fromStdString(pdf));
    }
    p.setCopyCount(std::max(1, document.copies));
    p.setDocName(ToQ(forms::App().Title()));
    QPainter painter;
    // A job that fails half-way is cancelled rather than sent, and a half-written PDF removed.
    // A file that could not be opened is left alone.
    bool begun = false;
    auto abandon = [&] {
        p.abort();
        if (painter.isActive()) painter.end();
        if (toPdf && begun) QFile::remove(QString::fromStdString(pdf));
        throw vb::Error(482, "Printer error");
    };
    begun = painter.begin(&p);
    if (!begun) abandon();
    const double dpi = p.resolution();
    PaintTarget target{dpi / 1440.0, dpi / 96.0, true};
    for (std::size_t i = 0; i < document.pages.size(); ++i) {
        if (i > 0 && !p.newPage()) abandon();
        PaintOps(painter, document.pages[i].ops, target);
    }
    if (!painter.end()) abandon();
    if (toPdf) {
        lastPdf_ = pdf;
        chosen_ = false;  // the next document gets a file of its own
        if (!userFile && notice_) notice_(pdf);
    }
}

}  // namespace qtui
