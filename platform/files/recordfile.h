#pragma once
// A whole file of fixed-length records, read and written through a record type's own codec.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/fileio.h"
#include "platform/files/records.h"
#include "platform/files/safesave.h"

namespace files {

// The one way a record file is read: opened on ReadAllBytes's rules (a regular file only, never
// waiting), counted from its length, then read front to back in large pieces, each record handed
// over from the piece just read, so a caller decodes straight into its table and the file is
// never held whole in memory. Failures throw vb::Error.
class RecordReader {
public:
    // How much is read at a time.
    static constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

    // Opens the file and takes its length; a file of more than `limit` bytes is refused (6,
    // overflow) before anything is read.
    RecordReader(const std::filesystem::path& path, std::size_t recordLength, std::uint64_t limit = kMostBytesRead,
                 CountRule rule = CountRule::NearestHalfEven, std::size_t pieceBytes = kPieceBytes);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // The length and the record count by the rule: as opened, until the end of the file comes
    // early (the file was cut short meanwhile); then from what was there.
    std::uint64_t length() const { return length_; }
    std::int64_t count() const { return count_; }

    // The next record's bytes, valid until the next call; a trailing partial record that the rule
    // counts comes with its missing bytes as NUL. nullopt after the last record.
    std::optional<std::string_view> Next();

private:
    bool Fill();

    std::filesystem::path path_;
    FileHandle file_;
    std::size_t recordLength_;
    CountRule rule_;
    std::uint64_t length_ = 0;
    std::int64_t count_ = 0;
    std::int64_t handed_ = 0;     // records handed over
    std::uint64_t consumed_ = 0;  // bytes read from the file
    std::unique_ptr<char[]> piece_;
    std::size_t capacity_ = 0, begin_ = 0, end_ = 0;  // the unread part of the piece
};

// The records in file order, counted by the old loaders' rule (length / size rounded, halves to
// even); a trailing partial record reads its missing bytes as NUL. Failures throw vb::Error.
template <class Decode>
auto ReadRecordFile(const std::filesystem::path& path, std::size_t recordLength, Decode decode) {
    RecordReader reader(path, recordLength);
    std::vector<decltype(decode(std::string_view{}))> records;
    records.reserve(static_cast<std::size_t>(reader.count()));
    while (auto bytes = reader.Next()) records.push_back(decode(*bytes));
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
