#include "platform/files/profile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <list>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "platform/files/locations.h"
#include "platform/files/safesave.h"

namespace files {

namespace fs = std::filesystem;

namespace {

thread_local std::optional<vb::Error> lastError;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && vb::StrComp(a, b, vb::Compare::Text) == 0;
}

enum class Kind { Other, Header, Entry };

struct Line {
    std::size_t start = 0;  // first byte of the content
    std::size_t end = 0;    // one past the content, before the line end
    std::size_t next = 0;   // first byte of the following line
    Kind kind = Kind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // entry value, trimmed
};

std::size_t TextStart(std::string_view text) { return text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0; }

// The line that starts at `pos`.
Line ParseLine(std::string_view text, std::size_t pos) {
    Line l;
    l.start = pos;
    std::size_t lf = text.find('\n', pos);
    if (lf == std::string_view::npos) {
        l.end = l.next = text.size();
    } else {
        l.end = (lf > pos && text[lf - 1] == '\r') ? lf - 1 : lf;
        l.next = lf + 1;
    }
    std::string_view content = TrimBlanks(text.substr(l.start, l.end - l.start));
    if (!content.empty() && content.front() == '[') {
        l.kind = Kind::Header;
        std::string_view inner = content.substr(1);
        l.name = TrimBlanks(inner.substr(0, inner.find(']')));
    } else if (!content.empty() && content.front() != ';') {
        std::size_t eq = content.find('=');
        if (eq != std::string_view::npos) {
            l.kind = Kind::Entry;
            l.name = TrimBlanks(content.substr(0, eq));
            l.value = TrimBlanks(content.substr(eq + 1));
        }
    }
    return l;
}

std::vector<Line> Parse(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t pos = TextStart(text); pos < text.size(); pos = lines.back().next)
        lines.push_back(ParseLine(text, pos));
    return lines;
}

// The value as a read gives it: one pair of matching quotes taken off.
std::string Unquoted(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// Index of the section's header line, or lines.size().
std::size_t FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == Kind::Header && SameName(lines[i].name, section)) return i;
    return lines.size();
}

// One past the section's last line.
std::size_t SectionEnd(const std::vector<Line>& lines, std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.size() && lines[i].kind != Kind::Header) ++i;
    return i;
}

std::string LineEnd(std::string_view text) {
    std::size_t lf = text.find('\n');
    if (lf != std::string_view::npos && (lf == 0 || text[lf - 1] != '\r')) return "\n";
    return "\r\n";
}

// What ends a last line that has no line end, before more lines follow. A line that ends in a
// lone CR gets CR LF: a bare LF would join that CR into its line end and change the line.
std::string EndOfLastLine(std::string_view text, const std::string& eol) {
    return !text.empty() && text.back() == '\r' ? std::string("\r\n") : eol;
}

bool HasBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::optional<vb::Error> Fail(int number, std::string source) {
    return vb::Error(number, vb::ErrorDescription(number), std::move(source));
}

// The image of a file that batches are open on, on this thread.
struct Image {
    fs::path path;
    int batches = 0;
    bool read = false;                 // `text` holds the file as this thread sees it
    std::optional<std::string> text;   // nullopt: no file
    bool changed = false;              // the file does not hold `text` yet
    bool makeFolder = false;
};

thread_local std::list<Image> images;

std::string UpperName(const fs::path& path) { return vb::UCase(path.filename().string()); }

// The image of the file at the path; a bare name's file that no batch has made yet is found
// by its name in any case, as a read of the made file would find it.
Image* FindImage(const fs::path& path, bool bare) {
    for (Image& i : images)
        if (i.path == path) return &i;
    if (bare)
        for (Image& i : images)
            if (i.path.parent_path() == path.parent_path() && UpperName(i.path) == UpperName(path)) return &i;
    return nullptr;
}

std::optional<vb::Error> Store(const fs::path& path, std::string_view bytes, bool makeFolder) {
    if (makeFolder) {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
    }
    return SafeSave(path, bytes, false);
}

std::optional<std::string> ReadValue(const fs::path& path, bool bare, std::string_view section, std::string_view key) {
    if (const Image* image = FindImage(path, bare); image && image->read)
        return image->text ? IniDocument(*image->text).Get(section, key) : std::nullopt;
    auto file = ReadIniFile(path);
    return file ? file->Get(section, key) : std::nullopt;
}

// Applies `edit` to the file's text and saves it when it changed, or keeps it in the image.
std::optional<vb::Error> Edit(const fs::path& path, bool bare, bool create, bool makeFolder,
                              const std::function<bool(IniDocument&)>& edit) {
    Image* image = FindImage(path, bare);
    std::optional<std::string> before;
    if (image && image->read) {
        before = image->text;
    } else {
        try {
            if (auto file = ReadIniFile(path)) before = file->Text();
        } catch (const vb::Error& e) {
            return e;
        }
        if (image) {
            image->read = true;
            image->text = before;
        }
    }
    if (!before && !create) return std::nullopt;
    IniDocument doc(before.value_or(std::string()));
    if (!edit(doc)) return Fail(vb::errInvalidProcedureCall, path.string() + ": name or value cannot be stored");
    if (before && doc.bytes() == *before) return std::nullopt;
    if (!image) return Store(path, doc.bytes(), makeFolder);
    image->text = doc.bytes();
    image->changed = true;
    image->makeFolder = image->makeFolder || makeFolder;
    return std::nullopt;
}

bool EditFile(std::string_view fileName, bool create, const std::function<bool(IniDocument&)>& edit) {
    const bool bare = IsBareName(fileName);
    lastError = Edit(ResolveIni(fileName), bare, create, bare, edit);
    return !lastError;
}

}  // namespace

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    auto lines = Parse(bytes_);
    std::size_t h = FindSection(lines, section);
    if (h == lines.size()) return std::nullopt;
    std::size_t end = SectionEnd(lines, h);
    for (std::size_t i = h + 1; i < end; ++i) {
        if (lines[i].kind == Kind::Entry && SameName(lines[i].name, key)) return Unquoted(lines[i].value);
    }
    return std::nullopt;
}

bool IniDocument::Set(std::string_view section, std::string_view key, const std::optional<std::string>& value) {
    std::string_view s = TrimBlanks(section), k = TrimBlanks(key);
    if (s.empty() || k.empty() || HasBreak(s) || HasBreak(k) || s.find(']') != std::string_view::npos ||
        k.find('=') != std::string_view::npos || k.front() == '[' || k.front() == ';' ||
        (value && HasBreak(*value)))
        return false;

    auto lines = Parse(bytes_);
    const std::string eol = LineEnd(bytes_);
    std::size_t h = FindSection(lines, s);
    if (h == lines.size()) {
        if (!value) return true;
        if (!bytes_.empty() && bytes_.back() != '\n') bytes_ += EndOfLastLine(bytes_, eol);
        bytes_ += "[" + std::string(s) + "]" + eol + std::string(k) + "=" + *value + eol;
        return true;
    }
    if (!value) {
        // Every copy goes, in every section of that name, so no older line shows through.
        std::vector<const Line*> doomed;
        bool inSection = false;
        for (const Line& l : lines) {
            if (l.kind == Kind::Header) inSection = SameName(l.name, s);
            else if (inSection && l.kind == Kind::Entry && SameName(l.name, k)) doomed.push_back(&l);
        }
        for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) bytes_.erase((*it)->start, (*it)->next - (*it)->start);
        return true;
    }
    std::size_t end = SectionEnd(lines, h);
    for (std::size_t i = h + 1; i < end; ++i) {
        const Line& l = lines[i];
        if (l.kind != Kind::Entry || !SameName(l.name, k)) continue;
        // The key keeps the spelling it has in the file.
        bytes_.replace(l.start, l.end - l.start, std::string(l.name) + "=" + *value);
        return true;
    }
    // After the section's last non-blank line, so blank lines before the next section stay there.
    std::size_t last = h;
    for (std::size_t i = h + 1; i < end; ++i)
        if (!TrimBlanks(std::string_view(bytes_).substr(lines[i].start, lines[i].end - lines[i].start)).empty())
            last = i;
    std::string insert = std::string(k) + "=" + *value + eol;
    std::size_t at = lines[last].next;
    if (lines[last].end == lines[last].next) insert = EndOfLastLine(bytes_, eol) + insert;  // last line, no end
    bytes_.insert(at, insert);
    return true;
}

void IniDocument::DeleteSection(std::string_view section) {
    // Every section of that name goes, from the last one back.
    auto lines = Parse(bytes_);
    std::string_view name = TrimBlanks(section);
    for (std::size_t h = lines.size(); h-- > 0;) {
        if (lines[h].kind != Kind::Header || !SameName(lines[h].name, name)) continue;
        std::size_t end = SectionEnd(lines, h);
        std::size_t to = end < lines.size() ? lines[end].start : bytes_.size();
        bytes_.erase(lines[h].start, to - lines[h].start);
    }
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> out;
    for (const Line& l : Parse(bytes_))
        if (l.kind == Kind::Header) out.emplace_back(l.name);
    return out;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> out;
    auto lines = Parse(bytes_);
    std::size_t h = FindSection(lines, section);
    if (h == lines.size()) return out;
    std::size_t end = SectionEnd(lines, h);
    for (std::size_t i = h + 1; i < end; ++i)
        if (lines[i].kind == Kind::Entry) out.emplace_back(lines[i].name);
    return out;
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferLength, std::string_view fileName) {
    if (bufferLength == 0) return {};
    std::optional<std::string> found;
    try {
        found = ReadValue(ResolveIni(fileName), IsBareName(fileName), section, key);
    } catch (const vb::Error&) {
        found.reset();  // an unreadable file reads like a missing one
    }
    std::string value;
    if (found) {
        value = std::move(*found);
    } else {
        std::string_view d = defaultValue;
        while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
        value = d;
    }
    if (std::size_t nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
    if (value.size() > bufferLength - 1) value.resize(bufferLength - 1);
    return value;
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               const std::optional<std::string>& value, std::string_view fileName) {
    return EditFile(fileName, value.has_value(),
                    [&](IniDocument& doc) { return doc.Set(section, key, value); });
}

bool DeletePrivateProfileSection(std::string_view section, std::string_view fileName) {
    return EditFile(fileName, false, [&](IniDocument& doc) {
        doc.DeleteSection(section);
        return true;
    });
}

// --- INI files read once for a run of reads ---

namespace {

// A kept file and what it looked like on disk when it was read.
struct KeptIni {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    std::shared_ptr<const IniFile> file;
};

std::mutex keptMutex;
std::map<std::string, KeptIni> kept;
constexpr std::size_t kMostKept = 16;

// Two edits within one tick of the file system's clock leave the same time behind, so only a file
// whose time lies this far back may be taken as unchanged by its time and size.
constexpr time_t kSettledSeconds = 2;

bool Settled(const struct stat& st) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return st.st_mtim.tv_sec + kSettledSeconds < now.tv_sec;
}

bool Unchanged(const KeptIni& k, const struct stat& st) {
    return k.dev == st.st_dev && k.ino == st.st_ino && k.size == st.st_size && k.mtime.tv_sec == st.st_mtim.tv_sec &&
           k.mtime.tv_nsec == st.st_mtim.tv_nsec;
}

}  // namespace

struct IniFile::Sections {
    struct Header {
        std::size_t line = 0;    // where the header line starts
        std::size_t size = 0;    // the name's length
        std::uint64_t lead = 0;  // its first bytes, ASCII letters in lower case (see Lead)
    };
    std::vector<Header> headers;  // in file order
    // The sections asked for so far (the index of the first header of that name, or none) and
    // the text of those found.
    std::mutex mutex;
    std::map<std::string, std::size_t, std::less<>> asked;
    std::map<std::size_t, std::string> text;

    void Index(std::string_view lines, std::size_t offset, bool fileStart);
};

namespace {

// Up to eight leading bytes of a name, ASCII letters in lower case and every byte of the upper half
// alike (those fold among themselves only), so names that compare equal have equal leads.
std::uint64_t Lead(std::string_view name) {
    std::uint64_t lead = 0;
    for (std::size_t i = 0; i < 8 && i < name.size(); ++i) {
        auto c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
        if (c >= 0x80) c = 0x80;
        lead |= static_cast<std::uint64_t>(c) << (8 * i);
    }
    return lead;
}

constexpr std::size_t kChunk = 1 << 20;
// Any INI a person keeps is smaller than this: it is read once and held as it is.
constexpr std::size_t kHeld = 64 << 10;

}  // namespace

// Finds the headers among whole lines that start at `offset` of the file: a header is the only
// line whose first non-blank character is '[', so the lines are searched for '[' and each find is
// checked back to its line start. The name is taken as ParseLine takes it: up to the first ']'
// or the end of the line, blanks around it removed.
void IniFile::Sections::Index(std::string_view lines, std::size_t offset, bool fileStart) {
    const std::size_t start = fileStart ? TextStart(lines) : 0;
    for (std::size_t at = lines.find('[', start); at != std::string_view::npos;) {
        std::size_t line = at;
        while (line > start && IsBlank(lines[line - 1])) --line;
        const std::size_t lf = lines.find('\n', at);
        if (line == start || lines[line - 1] == '\n') {
            std::size_t end = lf == std::string_view::npos ? lines.size() : lf;
            if (lf != std::string_view::npos && lf > line && lines[lf - 1] == '\r') --end;
            const std::string_view inner = lines.substr(at + 1, end - at - 1);
            const std::string_view name = TrimBlanks(inner.substr(0, inner.find(']')));
            headers.push_back({offset + line, name.size(), Lead(name)});
        }
        if (lf == std::string_view::npos) break;
        at = lines.find('[', lf + 1);
    }
}

IniFile::IniFile(std::string text)
    : text_(std::move(text)), size_(text_.size()), sections_(std::make_unique<Sections>()) {
    sections_->Index(text_, 0, true);
}

// A small file is read once and held, like a text; a larger one is read through once, a piece at
// a time, and only its headers are kept.
IniFile::IniFile(FileHandle file, fs::path path)
    : file_(std::move(file)), path_(std::move(path)), sections_(std::make_unique<Sections>()) {
    if (const std::uint64_t length = OpenLength(file_, path_); length <= kHeld) {
        std::string text(static_cast<std::size_t>(length), '\0');
        text.resize(ReadInto(file_, text.data(), text.size(), path_));
        char more;
        if (ReadInto(file_, &more, 1, path_) == 0) {  // else it grew meanwhile: read it in pieces
            file_ = FileHandle();
            text_ = std::move(text);
            size_ = text_.size();
            sections_->Index(text_, 0, true);
            return;
        }
    }
    // Whole lines, after the part of a line the previous read ended in; a line longer than a
    // piece makes the buffer grow.
    std::size_t capacity = 2 * kChunk;
    auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t held = 0, offset = 0;
    for (;;) {
        if (capacity - held < kChunk) {
            auto bigger = std::make_unique_for_overwrite<char[]>(capacity *= 2);
            std::memcpy(bigger.get(), buffer.get(), held);
            buffer = std::move(bigger);
        }
        ssize_t n = ::pread(file_.get(), buffer.get() + held, kChunk, static_cast<off_t>(offset + held));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrorFromErrno(errno, path_);
        }
        held += static_cast<std::size_t>(n);
        const std::string_view piece(buffer.get(), held);
        const bool end = n == 0;
        const std::size_t lf = piece.rfind('\n');
        const std::size_t whole = end ? held : (lf == std::string_view::npos ? 0 : lf + 1);
        sections_->Index(piece.substr(0, whole), offset, offset == 0);
        if (end) {
            size_ = offset + held;
            break;
        }
        std::memmove(buffer.get(), buffer.get() + whole, held - whole);
        held -= whole;
        offset += whole;
        if (offset + held > kMostBytesRead)
            throw vb::Error(vb::errOverflow, vb::ErrorDescription(vb::errOverflow), path_.string());
    }
}

IniFile::~IniFile() = default;

std::string IniFile::Range(std::size_t begin, std::size_t end) const {
    if (file_.get() < 0) return text_.substr(begin, end - begin);
    return ReadAt(file_, begin, end - begin, path_);
}

std::string IniFile::Text() const { return Range(0, size_); }

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const auto& headers = sections_->headers;
    std::lock_guard<std::mutex> lock(sections_->mutex);
    std::size_t h = headers.size();
    auto asked = sections_->asked.find(section);
    if (asked != sections_->asked.end()) {
        h = asked->second;
    } else {
        const std::uint64_t lead = Lead(section);
        for (h = 0; h < headers.size(); ++h) {
            // Names that differ in length or in their first bytes differ; the rest is compared in full.
            if (headers[h].size != section.size() || headers[h].lead != lead) continue;
            const std::size_t end = h + 1 < headers.size() ? headers[h + 1].line : size_;
            std::string text = Range(headers[h].line, end);
            if (!SameName(ParseLine(text, 0).name, section)) continue;
            sections_->text.emplace(h, std::move(text));
            break;
        }
        sections_->asked.emplace(std::string(section), h);
    }
    if (h == headers.size()) return std::nullopt;
    const std::string_view text = sections_->text.at(h);
    for (std::size_t pos = ParseLine(text, 0).next; pos < text.size();) {
        const Line l = ParseLine(text, pos);
        if (l.kind == Kind::Entry && SameName(l.name, key)) return Unquoted(l.value);
        pos = l.next;
    }
    return std::nullopt;
}

std::shared_ptr<const IniFile> ReadIniFile(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return nullptr;
        throw ErrorFromErrno(errno, path);
    }
    if (static_cast<std::uint64_t>(st.st_size) > kMostBytesRead)
        throw vb::Error(vb::errOverflow, vb::ErrorDescription(vb::errOverflow), path.string());
    const std::string name = path.string();
    {
        std::lock_guard<std::mutex> lock(keptMutex);
        auto it = kept.find(name);
        if (it != kept.end() && Unchanged(it->second, st)) return it->second.file;
    }
    // Read after the look: a file changed in between is read again next time, never kept stale.
    auto file = std::shared_ptr<const IniFile>(new IniFile(OpenToRead(path), path));
    if (Settled(st)) {
        std::lock_guard<std::mutex> lock(keptMutex);
        if (kept.size() >= kMostKept) kept.clear();
        kept[name] = {st.st_dev, st.st_ino, st.st_size, st.st_mtim, file};
    }
    return file;
}

void ForgetIniFiles() {
    std::lock_guard<std::mutex> lock(keptMutex);
    kept.clear();
}

std::optional<vb::Error> ProfileError() { return lastError; }

std::optional<std::string> ReadIniValue(const fs::path& path, std::string_view section, std::string_view key) {
    return ReadValue(path, false, section, key);
}

std::optional<vb::Error> EditIniFile(const fs::path& path, bool create, const std::function<bool(IniDocument&)>& edit) {
    return Edit(path, false, create, create, edit);
}

ProfileBatch::ProfileBatch(std::string_view fileName) : path_(ResolveIni(fileName)) {
    Image* image = FindImage(path_, IsBareName(fileName));
    if (!image) {
        image = &images.emplace_back();
        image->path = path_;
    }
    path_ = image->path;
    ++image->batches;
}

ProfileBatch::~ProfileBatch() {
    auto it = std::find_if(images.begin(), images.end(), [&](const Image& i) { return i.path == path_; });
    if (it == images.end() || --it->batches > 0) return;
    try {
        (void)Save();
    } catch (...) {
        // nothing is left to tell
    }
    images.erase(it);
}

std::optional<vb::Error> ProfileBatch::Save() {
    Image* image = FindImage(path_, false);
    if (!image) return std::nullopt;
    std::optional<vb::Error> error;
    if (image->changed) error = Store(image->path, *image->text, image->makeFolder);
    // The next write starts from the file again, whatever became of this one.
    image->read = image->changed = false;
    image->text.reset();
    if (error) lastError = error;
    return error;
}

bool ProfileWriter::Write(std::string_view section, std::string_view key, const std::optional<std::string>& value) {
    if (WritePrivateProfileString(section, key, value, fileName_)) return true;
    Keep(ProfileError());
    return false;
}

const std::optional<vb::Error>& ProfileWriter::Save() {
    Keep(batch_.Save());
    return failure_;
}

void ProfileWriter::Keep(const std::optional<vb::Error>& error) {
    if (!failure_ && error) failure_ = error;
}

fs::path ProfileWriter::file() const { return ResolveIni(fileName_); }

}  // namespace files
