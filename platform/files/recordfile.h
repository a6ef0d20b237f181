#pragma once
// A whole file of fixed-length records, read and written through a record type's own codec.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/fileio.h"
#include "platform/files/records.h"
#include "platform/files/safesave.h"

namespace files {

// The records in file order, counted by the old loaders' rule (length / size rounded, halves to
// even); a trailing partial record reads its missing bytes as NUL. Failures throw vb::Error.
template <class Decode>
auto ReadRecordFile(const std::filesystem::path& path, std::size_t recordLength, Decode decode) {
    const std::string bytes = ReadAllBytes(path);
    const auto count = RecordCount(bytes.size(), recordLength);
    std::vector<decltype(decode(std::string_view{}))> records;
    records.reserve(static_cast<std::size_t>(count));
    for (std::int64_t k = 1; k <= count; ++k) records.push_back(decode(RecordAt(bytes, k, recordLength)));
    return records;
}

// A file of exactly these records, saved safely without a backup.
template <class T, class Encode>
void WriteRecordFile(const std::filesystem::path& path, const std::vector<T>& records, std::size_t recordLength,
                     Encode encode) {
    std::string bytes;
    bytes.reserve(records.size() * recordLength);
    for (const auto& r : records) bytes += encode(r);
    SafeSaveOrThrow(path, bytes, false);
}

}  // namespace files
