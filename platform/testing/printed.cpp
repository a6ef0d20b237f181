#include "platform/testing/printed.h"

#include <algorithm>
#include <cmath>

namespace drive {

std::vector<TextRun> Runs(const services::PrintedPage& page, const forms::FontMetrics& metrics) {
    std::vector<TextRun> runs;
    for (const auto& op : page.ops) {
        if (op.kind != forms::DrawOp::Kind::Text) continue;
        runs.push_back({op.x1, op.y1, metrics.TextWidth(op.font, op.text), op.text, op.font});
    }
    return runs;
}

std::vector<std::string> Lines(const services::PrintedPage& page, const forms::FontMetrics& metrics) {
    std::vector<TextRun> runs = Runs(page, metrics);
    std::stable_sort(runs.begin(), runs.end(), [](const TextRun& a, const TextRun& b) {
        if (std::abs(a.y - b.y) > 0.5) return a.y < b.y;
        return a.x < b.x;
    });
    std::vector<std::string> lines;
    double lineY = 0, end = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const TextRun& r = runs[i];
        if (i == 0 || std::abs(r.y - lineY) > 0.5) {
            lines.push_back(r.text);
            lineY = r.y;
        } else {
            if (std::abs(r.x - end) > 0.5) lines.back() += ' ';
            lines.back() += r.text;
        }
        end = r.x + r.width;
    }
    return lines;
}

int Column(const TextRun& run, const forms::FontMetrics& metrics) {
    return static_cast<int>(std::lround(run.x / metrics.AverageCharWidth(run.font))) + 1;
}

}  // namespace drive
