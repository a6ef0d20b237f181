#pragma once
// The ingredient store "Ing.dat" and its table in memory, in file order: new records at the end,
// a deleted record's place taken by the last one. Every change rewrites the whole file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/error.h"
#include "recipe/store/ingrecord.h"

namespace recipe {

// The most ingredients the program holds (the lists count their items with 16 bits), and so the
// longest "Ing.dat" it reads: those records and a partial one.
inline constexpr std::int64_t kMaxIngredients = 32767;
inline constexpr std::uint64_t kMaxIngFileBytes = (kMaxIngredients + 1) * kIngRecordSize - 1;

class IngStore {
public:
    explicit IngStore(std::filesystem::path file = "Ing.dat");

    // Fills Ing_Table from the file (created empty when missing), each name trimmed of leading
    // blanks. Only whole records are read; a trailing partial record is left out, and the file is
    // kept aside (Ing.dat.damaged) before the first save over it. A file that cannot be read, or
    // one longer than kMaxIngFileBytes (refused before it is read), leaves the table empty and
    // refuses later saves.
    [[nodiscard]] std::optional<vb::Error> Load();
    // The same from the file's bytes.
    void LoadBytes(std::string_view bytes);
    // Takes a table read from this store's file elsewhere (whole, without fault, names trimmed),
    // as Load leaves it.
    void Adopt(std::vector<IngRecord> table);

    // Rewrites the file from Ing_Table through a safe save (the old file kept as "Ing.bak"); a
    // damaged file is first kept aside, and when that fails nothing is written.
    [[nodiscard]] std::optional<vb::Error> Save_Ing_File() const;

    // Appends a record to the table (the file is rewritten by the caller through Save_Ing_File).
    void Add(const IngRecord& rec);

    // True when a stored name, trimmed, equals the given name exactly (letter case counts).
    bool Ing_Exists(std::string_view name) const;

    // Removes the first record whose trimmed name equals the trimmed name; the last record takes
    // its place. Returns whether one was removed.
    bool Delete_Stored_Ingredient(std::string_view name);

    // The changes the screens make, each with its rewrite of the file. When the file is not
    // written the table is put back as it was, so memory never holds what the file does not.
    // Append: the record at the end.
    [[nodiscard]] std::optional<vb::Error> Append(const IngRecord& rec);
    // Replace: the first record of that name taken out (as Delete_Stored_Ingredient) and the new
    // one appended, in one rewrite.
    [[nodiscard]] std::optional<vb::Error> Replace(std::string_view name, const IngRecord& rec);
    // Remove: the first record of that name taken out; a name not stored changes and writes nothing.
    [[nodiscard]] std::optional<vb::Error> Remove(std::string_view name);

    // The last record whose trimmed name equals the name without regard to letter case, as the
    // builder and the viewer look ingredients up; nullptr when there is none.
    const IngRecord* FindText(std::string_view name) const;

    std::size_t Count() const { return Ing_Table.size(); }
    // Bytes after the last whole record that were not read.
    std::uint64_t partialBytes() const { return partial_; }
    bool readFailed() const { return readFailed_; }
    const std::filesystem::path& file() const { return file_; }

    std::vector<IngRecord> Ing_Table;

private:
    // Appends a record read from the file.
    void Take(std::string_view record);

    // What Delete_Stored_Ingredient took out, so that it can be put back in its place.
    struct Removed {
        std::size_t index;
        IngRecord record;
    };
    std::optional<Removed> TakeOut(std::string_view name);
    void PutBack(Removed removed);

    std::filesystem::path file_;
    std::uint64_t partial_ = 0;
    bool readFailed_ = false;
    mutable bool keptAside_ = false;  // the damaged file read at start-up has been kept aside
};

// The name as the lists show it: the field without blanks at either end.
std::string ListName(const IngRecord& rec);

}  // namespace recipe
