#pragma once
// The in-memory tables of records (foods, meal entries) and their files: fixed-length records,
// no header. A table is indexed from 0 with a signed 16-bit index, so it holds at most 32768
// elements; a file's record count is a signed 16-bit number, so it holds at most 32767 records.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/error.h"
#include "platform/files/recordfile.h"
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

// Opens a record file for loading. A missing file is created empty, as opening it for random
// access did. Raises vb::Error: the file's own error, or 6 (overflow), before anything is read,
// when its record count (length / record length, halves to even) passes kMaxFileRecords.
struct OpenedRecordFile {
    std::unique_ptr<files::RecordReader> reader;
    bool created = false;
};
OpenedRecordFile OpenRecordFile(const std::filesystem::path& path, std::size_t recordLength);
// The same without making a missing file (53, file not found).
std::unique_ptr<files::RecordReader> OpenTableFile(const std::filesystem::path& path, std::size_t recordLength);

// The records of a file read ahead, and the file's length.
template <class Record>
struct ReadTable {
    std::vector<Record> records;
    std::uint64_t length = 0;
};

// Empties the table to one unfilled element, then reads every record of the file in order, so
// after n records (n >= 1) it holds exactly those at 0 .. n - 1. Records are decoded straight from
// the file's pieces into the table, which is sized once; records read ahead are taken as they
// are. `progress(i)` runs after record i, which is table[i - 1].
template <class Record, class Decode, class Progress>
LoadResult LoadTable(const std::filesystem::path& path, std::size_t recordLength, Decode decode,
                     std::vector<Record>& table, Progress progress) {
    table.assign(1, Record{});
    LoadResult result;
    try {
        OpenedRecordFile file = OpenRecordFile(path, recordLength);
        files::RecordReader& reader = *file.reader;
        result.created = file.created;
        table.reserve(static_cast<std::size_t>(std::max<std::int64_t>(1, reader.count())));
        for (std::int64_t i = 1; auto bytes = reader.Next(); ++i) {
            if (i > 1) table.emplace_back();
            table.back() = decode(*bytes);
            result.records = i;
            progress(i);
        }
        result.length = reader.length();
        result.damaged = reader.length() % recordLength != 0;
    } catch (const vb::Error& e) {
        result.error = e;
    }
    return result;
}

// The same, taking the records read ahead when there are any.
template <class Record, class Decode, class Progress>
LoadResult LoadTable(const std::filesystem::path& path, std::size_t recordLength, Decode decode,
                     std::vector<Record>& table, Progress progress, std::optional<ReadTable<Record>>&& ahead) {
    if (!ahead) return LoadTable(path, recordLength, decode, table, progress);
    table.assign(1, Record{});
    LoadResult result;
    const auto count = static_cast<std::int64_t>(ahead->records.size());
    if (count > 0) table = std::move(ahead->records);
    result.length = ahead->length;
    result.damaged = ahead->length % recordLength != 0;
    for (std::int64_t i = 1; i <= count; ++i) {
        result.records = i;
        progress(i);
    }
    return result;
}

// A table file read on a thread of its own, so that it is read while the windows are made. The
// load at its usual place takes the records when the file was read without fault and is still as
// it was then; otherwise (a missing, unreadable, too long or changed file) it reads the file
// itself, with its messages.
template <class Record>
class TableReadAhead {
public:
    TableReadAhead() = default;
    ~TableReadAhead() {
        if (pending_.valid()) pending_.wait();
    }
    TableReadAhead(const TableReadAhead&) = delete;
    TableReadAhead& operator=(const TableReadAhead&) = delete;

    template <class Decode>
    void Start(const std::filesystem::path& path, std::size_t recordLength, Decode decode) {
        if (pending_.valid()) return;
        path_ = path;
        pending_ = std::async(std::launch::async, [this, path, recordLength, decode] {
            Done done;
            try {
                done.stamp = files::StampOf(path);
                if (!done.stamp) return done;
                const auto reader = OpenTableFile(path, recordLength);
                done.read.records.reserve(static_cast<std::size_t>(reader->count()));
                while (auto bytes = reader->Next()) {
                    done.read.records.push_back(decode(*bytes));
                    if (done.read.records.size() % 256 == 0)
                        read_.store(static_cast<std::int64_t>(done.read.records.size()), std::memory_order_relaxed);
                }
                done.read.length = reader->length();
                if (files::StampOf(path) != done.stamp) done.stamp.reset();
            } catch (...) {
                done.stamp.reset();
            }
            return done;
        });
    }

    // Waits for the records, running `waiting(records read so far)` every few milliseconds while
    // it waits. Once, and only for the file it reads.
    template <class Waiting>
    std::optional<ReadTable<Record>> Take(const std::filesystem::path& path, Waiting waiting) {
        if (!pending_.valid() || path != path_) return std::nullopt;
        while (pending_.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            waiting(read_.load(std::memory_order_relaxed));
        Done done = pending_.get();
        if (!done.stamp || files::StampOf(path) != done.stamp) return std::nullopt;
        return std::move(done.read);
    }

private:
    struct Done {
        std::optional<files::FileStamp> stamp;  // none: nothing to take
        ReadTable<Record> read;
    };
    std::filesystem::path path_;
    std::future<Done> pending_;
    std::atomic<std::int64_t> read_{0};
};

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
