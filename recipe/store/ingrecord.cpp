#include "recipe/store/ingrecord.h"

#include <algorithm>

#include "platform/files/recordfile.h"

namespace recipe {

std::string encode(const IngRecord& rec) {
    files::ByteWriter w;
    w.Text(rec.Name)
        .Single(rec.Qty1)
        .Text(rec.Unit1)
        .Single(rec.Qty2)
        .Text(rec.Unit2)
        .Single(rec.Cal)
        .Single(rec.Fat)
        .Single(rec.SatFat)
        .Int32(rec.Chol)
        .Single(rec.Sodium)
        .Single(rec.TotalCarbs)
        .Single(rec.Fiber)
        .Single(rec.Protein)
        .Int16(rec.MeasureKind)
        .Int16(rec.UniqueMeasure);
    return w.take();
}

IngRecord decode(std::string_view bytes) {
    files::ByteReader r(bytes.substr(0, std::min(bytes.size(), kIngRecordSize)));
    IngRecord rec;
    rec.Name = r.Text<kIngNameWidth>();
    rec.Qty1 = r.Single();
    rec.Unit1 = r.Text<kIngUnitWidth>();
    rec.Qty2 = r.Single();
    rec.Unit2 = r.Text<kIngUnitWidth>();
    rec.Cal = r.Single();
    rec.Fat = r.Single();
    rec.SatFat = r.Single();
    rec.Chol = r.Int32();
    rec.Sodium = r.Single();
    rec.TotalCarbs = r.Single();
    rec.Fiber = r.Single();
    rec.Protein = r.Single();
    rec.MeasureKind = r.Int16();
    rec.UniqueMeasure = r.Int16();
    return rec;
}

std::vector<IngRecord> ReadIngFile(const std::filesystem::path& path) {
    return files::ReadRecordFile(path, kIngRecordSize, [](std::string_view bytes) { return decode(bytes); });
}

void WriteIngFile(const std::filesystem::path& path, const std::vector<IngRecord>& records) {
    files::WriteRecordFile(path, records, kIngRecordSize, [](const IngRecord& r) { return encode(r); });
}

}  // namespace recipe
