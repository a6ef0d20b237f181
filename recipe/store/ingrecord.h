#pragma once
// One ingredient of the ingredient store "Ing.dat", and its 164-byte record: no header, no padding,
// numbers little-endian (singles as IEEE 754), texts Windows-1252 blank padded.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/types.h"
#include "platform/files/records.h"

namespace recipe {

constexpr std::size_t kIngRecordSize = 164;
constexpr std::size_t kIngNameWidth = 60;
constexpr std::size_t kIngUnitWidth = 30;

// What kinds of measure the two unit words are.
enum MeasureKindValue : vb::Integer {
    kVolumeAndWeight = 0,
    kVolumeOnly = 1,
    kWeightOnly = 2,
    kNeitherKind = 3,
};

// All nutrients describe Qty1 of Unit1. Texts pad with blanks on assignment, NULs until assigned.
struct IngRecord {
    files::FixedString<kIngNameWidth> Name;
    vb::Single Qty1 = 0;
    files::FixedString<kIngUnitWidth> Unit1;
    vb::Single Qty2 = 0;  // amount of Unit2 equal to Qty1 of Unit1; 0 without a second measure
    files::FixedString<kIngUnitWidth> Unit2;
    vb::Single Cal = 0;
    vb::Single Fat = 0;     // g
    vb::Single SatFat = 0;  // g
    vb::Long Chol = 0;      // mg
    vb::Single Sodium = 0;  // mg
    vb::Single TotalCarbs = 0;
    vb::Single Fiber = 0;
    vb::Single Protein = 0;
    vb::Integer MeasureKind = 0;
    vb::Integer UniqueMeasure = vb::False;  // vb::True when Unit1 is a measure named by the user

    friend bool operator==(const IngRecord&, const IngRecord&) = default;
};

// Exactly kIngRecordSize bytes.
std::string encode(const IngRecord& rec);
// Bytes missing at the end (a trailing partial record) read as NUL.
IngRecord decode(std::string_view bytes);

// Whole files: the records in file order (count = length / 164 rounded, halves to even), and a
// file of exactly these records. Failures come back as the runtime's file errors.
std::vector<IngRecord> ReadIngFile(const std::filesystem::path& path);
void WriteIngFile(const std::filesystem::path& path, const std::vector<IngRecord>& records);

}  // namespace recipe
