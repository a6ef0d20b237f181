#pragma once
// Reading printed pages in tests.
#include <string>
#include <vector>

#include "platform/forms/font.h"
#include "platform/services/printer.h"

namespace drive {

struct TextRun {
    double x = 0, y = 0;  // twips on the page
    double width = 0;
    std::string text;
    forms::Font font;
};

// The text runs of a page, in printing order (width from the given metrics).
std::vector<TextRun> Runs(const services::PrintedPage& page, const forms::FontMetrics& metrics);
// The page as lines of text, top to bottom: runs on one line ordered by x; a run that starts where
// the previous one ended is joined directly, others after one blank.
std::vector<std::string> Lines(const services::PrintedPage& page, const forms::FontMetrics& metrics);
// The Tab column a run starts at (1 + x / average character width, rounded).
int Column(const TextRun& run, const forms::FontMetrics& metrics);

}  // namespace drive
