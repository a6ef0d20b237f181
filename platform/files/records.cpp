#include "platform/files/records.h"

#include <bit>
#include <cstring>

namespace files {

namespace {

template <typename U>
void PutLE(std::string& out, U v) {
    for (std::size_t i = 0; i < sizeof(U); ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

ByteWriter& ByteWriter::Int16(std::int16_t v) {
    PutLE(bytes_, static_cast<std::uint16_t>(v));
    return *this;
}

ByteWriter& ByteWriter::Int32(std::int32_t v) {
    PutLE(bytes_, static_cast<std::uint32_t>(v));
    return *this;
}

ByteWriter& ByteWriter::Single(float v) {
    PutLE(bytes_, std::bit_cast<std::uint32_t>(v));
    return *this;
}

ByteWriter& ByteWriter::Double(double v) {
    PutLE(bytes_, std::bit_cast<std::uint64_t>(v));
    return *this;
}

ByteWriter& ByteWriter::Text(std::string_view s, std::size_t width) {
    std::size_t n = s.size() < width ? s.size() : width;
    bytes_.append(s.substr(0, n));
    bytes_.append(width - n, ' ');
    return *this;
}

ByteWriter& ByteWriter::Raw(std::string_view bytes) {
    bytes_.append(bytes);
    return *this;
}

std::int16_t ByteReader::Int16() { return static_cast<std::int16_t>(Number<std::uint16_t>()); }

std::int32_t ByteReader::Int32() { return static_cast<std::int32_t>(Number<std::uint32_t>()); }

float ByteReader::Single() { return std::bit_cast<float>(Number<std::uint32_t>()); }

double ByteReader::Double() { return std::bit_cast<double>(Number<std::uint64_t>()); }

std::string ByteReader::Text(std::size_t width) {
    std::string out(width, '\0');
    for (std::size_t i = 0; i < width; ++i) out[i] = static_cast<char>(Byte(i));
    pos_ += width;
    return out;
}

std::int64_t RecordCount(std::uint64_t fileLength, std::size_t recordLength, CountRule rule) {
    if (recordLength == 0) return 0;
    std::uint64_t q = fileLength / recordLength;
    std::uint64_t r = fileLength % recordLength;
    if (rule == CountRule::NearestHalfEven) {
        if (2 * r > recordLength || (2 * r == recordLength && (q % 2) == 1)) ++q;
    }
    return static_cast<std::int64_t>(q);
}

std::string RecordAt(std::string_view fileBytes, std::int64_t k, std::size_t recordLength) {
    std::string out(recordLength, '\0');
    if (k < 1) return out;
    std::uint64_t start = static_cast<std::uint64_t>(k - 1) * recordLength;
    if (start >= fileBytes.size()) return out;
    std::string_view part = fileBytes.substr(static_cast<std::size_t>(start), recordLength);
    std::memcpy(out.data(), part.data(), part.size());
    return out;
}

}  // namespace files
