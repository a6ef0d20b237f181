#include "platform/testing/pdf.h"

#include <cstdio>
#include <cstdlib>

namespace drive {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& p) {
    std::string out = "'";
    for (char c : p.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

}  // namespace

std::string PdfText(const fs::path& pdf) { return Output("pdftotext -layout " + Quoted(pdf) + " - 2>/dev/null"); }

bool PdfPageToPng(const fs::path& pdf, int page, const fs::path& png, int dpi) {
    std::error_code ec;
    fs::create_directories(png.parent_path(), ec);
    fs::path stem = png;
    stem.replace_extension();
    const std::string n = std::to_string(page);
    const std::string command = "pdftoppm -png -r " + std::to_string(dpi) + " -f " + n + " -l " + n + " -singlefile " +
                                Quoted(pdf) + " " + Quoted(stem);
    return std::system(command.c_str()) == 0 && fs::exists(png, ec);
}

std::string OneBlank(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    return out;
}

}  // namespace drive
