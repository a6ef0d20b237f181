#pragma once
// Record files: explicit little-endian codecs of each record's exact byte layout, fixed-width text
// fields, and the record count of a file.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace files {

// A fixed-width text field (the runtime's String * N): assigning pads with blanks or cuts; a field
// never assigned holds NULs.
template <std::size_t N>
class FixedString {
public:
    FixedString() { bytes_.fill('\0'); }
    // Implicit: assigning text to the field is the point.
    template <typename T>
        requires std::is_convertible_v<const T&, std::string_view>
    FixedString(const T& s) {  // NOLINT
        Assign(s);
    }
    template <typename T>
        requires std::is_convertible_v<const T&, std::string_view>
    FixedString& operator=(const T& s) {
        Assign(s);
        return *this;
    }
    // All N characters, trailing blanks and NULs included.
    std::string str() const { return std::string(bytes_.data(), N); }
    operator std::string() const { return str(); }  // NOLINT
    std::string_view view() const { return std::string_view(bytes_.data(), N); }
    // Sets the raw bytes as read from a file (no padding rule).
    void SetRaw(std::string_view raw) {
        const std::size_t n = raw.copy(bytes_.data(), N);
        std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(n), bytes_.end(), '\0');
    }
    static constexpr std::size_t size() { return N; }
    friend bool operator==(const FixedString& a, const FixedString& b) { return a.bytes_ == b.bytes_; }

private:
    void Assign(std::string_view s) {
        bytes_.fill(' ');
        s.copy(bytes_.data(), s.size() < N ? s.size() : N);
    }
    std::array<char, N> bytes_;
};

// Builds a record's bytes field by field.
class ByteWriter {
public:
    ByteWriter& Int16(std::int16_t v);
    ByteWriter& Int32(std::int32_t v);
    ByteWriter& Single(float v);
    ByteWriter& Double(double v);
    // Exactly `width` bytes: the text cut or padded with blanks.
    ByteWriter& Text(std::string_view s, std::size_t width);
    template <std::size_t N>
    ByteWriter& Text(const FixedString<N>& s) { return Raw(s.view()); }
    ByteWriter& Raw(std::string_view bytes);

    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

// Reads a record's fields in order. Bytes beyond the end of the data read as 0, so a trailing
// partial record comes back with zero numbers and NUL-filled texts.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
    explicit ByteReader(std::string&&) = delete;  // it only views the bytes
    std::int16_t Int16();
    std::int32_t Int32();
    float Single();
    double Double();
    std::string Text(std::size_t width);  // the raw bytes, NULs and blanks kept
    template <std::size_t N>
    FixedString<N> Text() {
        FixedString<N> f;
        f.SetRaw(Take(N));  // bytes beyond the end stay NUL
        return f;
    }
    void Skip(std::size_t n) { pos_ += n; }
    std::size_t position() const { return pos_; }

private:
    // The next `width` bytes as far as there are any.
    std::string_view Take(std::size_t width) {
        const std::string_view part = pos_ < bytes_.size() ? bytes_.substr(pos_, width) : std::string_view();
        pos_ += width;
        return part;
    }
    // A little-endian number of the next sizeof(U) bytes.
    template <typename U>
    U Number() {
        U v = 0;
        if (pos_ + sizeof(U) <= bytes_.size()) {
            for (std::size_t i = 0; i < sizeof(U); ++i)
                v |= static_cast<U>(static_cast<U>(static_cast<std::uint8_t>(bytes_[pos_ + i])) << (8 * i));
        } else {
            for (std::size_t i = 0; i < sizeof(U); ++i) v |= static_cast<U>(static_cast<U>(Byte(i)) << (8 * i));
        }
        pos_ += sizeof(U);
        return v;
    }
    std::uint8_t Byte(std::size_t offset) const {
        std::size_t at = pos_ + offset;
        return at < bytes_.size() ? static_cast<std::uint8_t>(bytes_[at]) : 0;
    }
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// How a caller turns a file length into a number of records.
enum class CountRule {
    NearestHalfEven,  // length / record length rounded, halves to even (189 / 126 -> 2, 63 / 126 -> 0)
    WholeRecords,     // only complete records
};
std::int64_t RecordCount(std::uint64_t fileLength, std::size_t recordLength,
                         CountRule rule = CountRule::NearestHalfEven);

// Record k (from 1) of a file's bytes; missing bytes at the end read as NUL.
std::string RecordAt(std::string_view fileBytes, std::int64_t k, std::size_t recordLength);

}  // namespace files
