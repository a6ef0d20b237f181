#pragma once
// Reading back a PDF the Qt printer wrote, with poppler's tools (poppler-utils).
#include <filesystem>
#include <string>
#include <string_view>

namespace drive {

// The text of the PDF as `pdftotext -layout` gives it (UTF-8, lines kept); "" when it cannot be
// read or the tool is missing.
std::string PdfText(const std::filesystem::path& pdf);
// Renders one page (from 1) to a PNG file with pdftoppm at the given resolution; true when the
// picture was written.
bool PdfPageToPng(const std::filesystem::path& pdf, int page, const std::filesystem::path& png, int dpi = 80);
// Runs of blanks made one: PDF text keeps the words, not the exact spacing.
std::string OneBlank(std::string_view text);

}  // namespace drive
