#include "calories/recordtable.h"

#include "platform/core/convert.h"
#include "platform/files/fileio.h"
#include "platform/files/safesave.h"

namespace calories {

namespace fs = std::filesystem;

OpenedRecordFile OpenRecordFile(const fs::path& path, std::size_t recordLength) {
    if (path.empty()) throw vb::Error(vb::errBadFileNameOrNumber);
    OpenedRecordFile file;
    // Only a missing file is created: a file that may be read but not written still loads.
    if (files::IsMissing(path)) {
        files::EnsureFile(path);
        file.created = true;
    }
    file.reader = OpenTableFile(path, recordLength);
    return file;
}

std::unique_ptr<files::RecordReader> OpenTableFile(const fs::path& path, std::size_t recordLength) {
    if (path.empty()) throw vb::Error(vb::errBadFileNameOrNumber);
    // A file longer than a table can take is refused by its length, before it is read.
    const auto most = static_cast<std::uint64_t>(kMaxFileRecords + 1) * recordLength;
    auto reader = std::make_unique<files::RecordReader>(path, recordLength, most);
    if (reader->count() > kMaxFileRecords) throw vb::Error(vb::errOverflow);
    return reader;
}

std::optional<vb::Error> SaveRecordFile(const fs::path& path, std::string_view bytes) {
    if (path.empty()) return vb::Error(vb::errBadFileNameOrNumber);
    return files::SafeSave(path, bytes, true);
}

std::string ErrorTitle(const vb::Error& e) { return vb::Str(static_cast<vb::Long>(e.number)) + ":" + e.description; }

}  // namespace calories
