#include "platform/files/recordfile.h"

#include <algorithm>
#include <cstring>

namespace files {

RecordReader::RecordReader(const std::filesystem::path& path, std::size_t recordLength, std::uint64_t limit,
                           CountRule rule, std::size_t pieceBytes)
    : path_(path), file_(OpenToRead(path)), recordLength_(recordLength), rule_(rule) {
    if (recordLength_ == 0) throw vb::Error(vb::errBadRecordLength);
    length_ = OpenLength(file_, path_);
    if (length_ > limit)
        throw vb::Error(vb::errOverflow, vb::ErrorDescription(vb::errOverflow),
                        path_.string() + ": " + std::to_string(length_) + " bytes, more than the " +
                            std::to_string(limit) + " that can be read");
    count_ = RecordCount(length_, recordLength_, rule_);
    // Whole records at a time, and no more than the file holds (a padded last record included).
    const std::uint64_t padded = static_cast<std::uint64_t>(count_) * recordLength_;
    const std::size_t records = std::max<std::size_t>(1, pieceBytes / recordLength_);
    capacity_ = static_cast<std::size_t>(std::min<std::uint64_t>(records * recordLength_, std::max(padded, length_)));
}

RecordReader::~RecordReader() = default;

// Moves what is left of the piece to its front and reads on behind it; false at the end of what
// there is to read.
bool RecordReader::Fill() {
    if (consumed_ >= length_) return false;
    if (!piece_) piece_ = std::make_unique_for_overwrite<char[]>(std::max(capacity_, recordLength_));
    const std::size_t held = end_ - begin_;
    if (begin_ > 0 && held > 0) std::memmove(piece_.get(), piece_.get() + begin_, held);
    begin_ = 0;
    end_ = held;
    const std::size_t room = std::max(capacity_, recordLength_) - end_;
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(room, length_ - consumed_));
    const std::size_t got = ReadInto(file_, piece_.get() + end_, want, path_);
    end_ += got;
    consumed_ += got;
    if (got < want) {
        // Cut short since it was opened: what is there is the file.
        length_ = consumed_;
        count_ = std::max(handed_, RecordCount(length_, recordLength_, rule_));
    }
    return got > 0;
}

std::optional<std::string_view> RecordReader::Next() {
    if (handed_ >= count_) return std::nullopt;
    while (end_ - begin_ < recordLength_ && Fill()) {
    }
    const std::size_t held = end_ - begin_;
    if (handed_ >= count_ || held == 0) return std::nullopt;
    if (held < recordLength_) {
        // The partial last record, padded in place.
        std::memset(piece_.get() + end_, 0, recordLength_ - held);
        end_ = begin_ + recordLength_;
    }
    const std::string_view record(piece_.get() + begin_, recordLength_);
    begin_ += recordLength_;
    ++handed_;
    return record;
}

}  // namespace files
