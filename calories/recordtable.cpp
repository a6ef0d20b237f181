#include "calories/recordtable.h"

#include "platform/core/convert.h"
#include "platform/files/fileio.h"
#include "platform/files/safesave.h"

namespace calories {

namespace fs = std::filesystem;

RecordFileBytes OpenRecordFile(const fs::path& path, std::size_t recordLength) {
    if (path.empty()) throw vb::Error(vb::errBadFileNameOrNumber);
    RecordFileBytes file;
    // Only a missing file is created: a file that may be read but not written still loads.
    if (files::IsMissing(path)) {
        files::EnsureFile(path);
        file.created = true;
    }
    // A file longer than a table can take is refused by its length, before it is read.
    const auto most = static_cast<std::uint64_t>(kMaxFileRecords + 1) * recordLength;
    if (files::RecordCount(files::FileLength(path), recordLength) > kMaxFileRecords) throw vb::Error(vb::errOverflow);
    file.bytes = files::ReadAllBytes(path, most);  // 6 too when the file grew meanwhile
    file.count = files::RecordCount(file.bytes.size(), recordLength);
    if (file.count > kMaxFileRecords) throw vb::Error(vb::errOverflow);
    return file;
}

std::optional<vb::Error> SaveRecordFile(const fs::path& path, std::string_view bytes) {
    if (path.empty()) return vb::Error(vb::errBadFileNameOrNumber);
    return files::SafeSave(path, bytes, true);
}

std::string ErrorTitle(const vb::Error& e) { return vb::Str(static_cast<vb::Long>(e.number)) + ":" + e.description; }

}  // namespace calories
