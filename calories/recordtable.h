#pragma once
// The in-memory tables of records (foods, meal entries) and their files: fixed-length records,
// no header. A table is indexed from 0 with a signed 16-bit index, so it holds at most 32768
// elements; a file's record count is a signed 16-bit number, so it holds at most 32767 records.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/error.h"
#include "platform/files/records.h"

namespace calories {

inline constexpr std::size_t kMaxTableElements = 32768;
inline constexpr std::int64_t kMaxFileRecords = 32767;

// How a load ended. A table whose load failed holds only part of its file, so it must not be
// written back over that file.
struct LoadResult {
    std::int64_t records = 0;  // records read into the table
    std::optional<vb::Error> error;
    bool created = false;      // the file was missing and has been created empty
    std::uint64_t length = 0;  // the file's length in bytes
    bool damaged = false;      // the length is not a whole number of records
    bool ok() const { return !error.has_value(); }
};

// A record file's bytes and record count (length / record length, halves to even). A missing
// file is created empty, as opening it for random access did. Raises vb::Error: the file's own
// error, or 6 (overflow), before anything is read, when the count passes kMaxFileRecords.
struct RecordFileBytes {
    std::string bytes;
    std::int64_t count = 0;
    bool created = false;
};
RecordFileBytes OpenRecordFile(const std::filesystem::path& path, std::size_t recordLength);

// Empties the table to one unfilled element, then reads every record of the file in order, so
// after n records (n >= 1) it holds exactly those at 0 .. n - 1. `progress(i)` runs after record i.
template <class Record, class Decode, class Progress>
LoadResult LoadTable(const std::filesystem::path& path, std::size_t recordLength, Decode decode,
                     std::vector<Record>& table, Progress progress) {
    table.assign(1, Record{});
    LoadResult result;
    try {
        const RecordFileBytes file = OpenRecordFile(path, recordLength);
        result.created = file.created;
        result.length = file.bytes.size();
        result.damaged = file.bytes.size() % recordLength != 0;
        table.reserve(static_cast<std::size_t>(file.count));
        for (std::int64_t i = 1; i <= file.count; ++i) {
            if (i > 1) table.emplace_back();
            table.back() = decode(files::RecordAt(file.bytes, i, recordLength));
            result.records = i;
            progress(i);
        }
    } catch (const vb::Error& e) {
        result.error = e;
    }
    return result;
}

// The bytes of every element not marked deleted, in table order, without gaps.
template <class Record, class Encode>
std::string LiveRecordBytes(const std::vector<Record>& table, Encode encode) {
    std::string bytes;
    for (const Record& r : table)
        if (r.deleted != 1) bytes += encode(r);
    return bytes;
}

// Writes the bytes as the file's whole content; the previous file becomes the backup (the path
// without its last four characters, followed by ".bak"). On failure, a backup that could not be
// made among them, the file is unchanged.
std::optional<vb::Error> SaveRecordFile(const std::filesystem::path& path, std::string_view bytes);

// The title of a record-file routine's message: the error number with its leading blank, a colon
// and the runtime's description (" 53:File not found").
std::string ErrorTitle(const vb::Error& e);

}  // namespace calories
