#include "recipe/store/ingstore.h"

#include <utility>

#include "platform/core/text.h"
#include "platform/files/fileio.h"
#include "platform/files/recordfile.h"
#include "platform/files/records.h"
#include "platform/files/safesave.h"
#include "recipe/Improved.h"

namespace recipe {

std::string ListName(const IngRecord& rec) { return vb::Trim(rec.Name.view()); }

IngStore::IngStore(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<vb::Error> IngStore::Load() {
    Ing_Table.clear();
    partial_ = 0;
    readFailed_ = false;
    keptAside_ = false;
    try {
        if (files::IsMissing(file_)) {
            files::EnsureFile(file_);
            return std::nullopt;
        }
        files::RecordReader reader(file_, kIngRecordSize, kMaxIngFileBytes, files::CountRule::WholeRecords);
        Ing_Table.reserve(static_cast<std::size_t>(reader.count()));
        while (auto bytes = reader.Next()) Take(*bytes);
        partial_ = reader.length() - Ing_Table.size() * kIngRecordSize;
    } catch (const vb::Error& e) {
        // Whatever is there and could not be read is never written over.
        Ing_Table.clear();
        readFailed_ = !files::IsMissing(file_);
        if (e.number == vb::errOverflow)
            return TooLarge(file_, files::FileLength(file_), std::to_string(kMaxIngredients) + " ingredients");
        return e;
    }
    return std::nullopt;
}

void IngStore::LoadBytes(std::string_view bytes) {
    Ing_Table.clear();
    const auto count = files::RecordCount(bytes.size(), kIngRecordSize, files::CountRule::WholeRecords);
    partial_ = bytes.size() - static_cast<std::uint64_t>(count) * kIngRecordSize;
    Ing_Table.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i)
        Take(bytes.substr(static_cast<std::size_t>(i) * kIngRecordSize, kIngRecordSize));
}

void IngStore::Adopt(std::vector<IngRecord> table) {
    Ing_Table = std::move(table);
    partial_ = 0;
    readFailed_ = false;
    keptAside_ = false;
}

void IngStore::Take(std::string_view record) {
    IngRecord& rec = Ing_Table.emplace_back(decode(record));
    // Stored back trimmed, so a name with leading blanks is written back without them (a name
    // without them keeps its bytes as they are).
    if (rec.Name.view().front() == ' ') rec.Name = vb::Trim(rec.Name.view());
}

std::optional<vb::Error> IngStore::Save_Ing_File() const {
    if (readFailed_) return NotOverwritten(file_);
    if (partial_ > 0 && !keptAside_ && !files::IsMissing(file_)) {
        if (auto kept = files::KeepAside(file_); kept.error) return kept.error;
        keptAside_ = true;
    }
    std::string bytes;
    bytes.reserve(Ing_Table.size() * kIngRecordSize);
    for (const auto& rec : Ing_Table) bytes += encode(rec);
    return files::SafeSave(file_, bytes, true);
}

void IngStore::Add(const IngRecord& rec) { Ing_Table.push_back(rec); }

bool IngStore::Ing_Exists(std::string_view name) const {
    for (const auto& rec : Ing_Table)
        if (vb::Trim(rec.Name.view()) == name) return true;
    return false;
}

bool IngStore::Delete_Stored_Ingredient(std::string_view name) { return TakeOut(name).has_value(); }

std::optional<IngStore::Removed> IngStore::TakeOut(std::string_view name) {
    for (std::size_t i = 0; i < Ing_Table.size(); ++i) {
        if (SameName(Ing_Table[i].Name.view(), name)) {
            Removed removed{i, std::move(Ing_Table[i])};
            if (i + 1 != Ing_Table.size()) Ing_Table[i] = std::move(Ing_Table.back());
            Ing_Table.pop_back();
            return removed;
        }
    }
    return std::nullopt;
}

void IngStore::PutBack(Removed removed) {
    // The last record had moved into the freed place; it goes back to the end.
    if (removed.index < Ing_Table.size()) {
        Ing_Table.push_back(std::move(Ing_Table[removed.index]));
        Ing_Table[removed.index] = std::move(removed.record);
    } else {
        Ing_Table.push_back(std::move(removed.record));
    }
}

std::optional<vb::Error> IngStore::Append(const IngRecord& rec) {
    Ing_Table.push_back(rec);
    auto error = Save_Ing_File();
    if (error) Ing_Table.pop_back();
    return error;
}

std::optional<vb::Error> IngStore::Replace(std::string_view name, const IngRecord& rec) {
    std::optional<Removed> removed = TakeOut(name);
    Ing_Table.push_back(rec);
    auto error = Save_Ing_File();
    if (error) {
        Ing_Table.pop_back();
        if (removed) PutBack(std::move(*removed));
    }
    return error;
}

std::optional<vb::Error> IngStore::Remove(std::string_view name) {
    std::optional<Removed> removed = TakeOut(name);
    if (!removed) return std::nullopt;
    auto error = Save_Ing_File();
    if (error) PutBack(std::move(*removed));
    return error;
}

const IngRecord* IngStore::FindText(std::string_view name) const {
    const IngRecord* found = nullptr;
    for (const auto& rec : Ing_Table)
        if (vb::StrComp(vb::Trim(rec.Name.view()), name, vb::Compare::Text) == 0) found = &rec;
    return found;
}

}  // namespace recipe
