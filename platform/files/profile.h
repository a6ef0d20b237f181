#pragma once
// INI files with the Windows profile functions' rules: case-insensitive section and key names,
// blanks around names and values ignored on reading, other content kept byte for byte on writing,
// CR LF line ends, Windows-1252 bytes.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/error.h"
#include "platform/files/fileio.h"

namespace files {

// The text of one INI file, edited in place.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string bytes) : bytes_(std::move(bytes)) {}

    // The value as written after '=' with the blanks around it removed and one pair of matching
    // quotes taken off; nullopt when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Sets the key (adding the section at the end when it is missing, or the key after the
    // section's last entry), or removes it when the value is nullopt (the section stays). False
    // when a name or the value cannot be stored in an INI line (line breaks, '=' in a key, ']' in
    // a section name, an empty name).
    bool Set(std::string_view section, std::string_view key, const std::optional<std::string>& value);
    // Removes the section's header and every line up to the next section.
    void DeleteSection(std::string_view section);

    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// An INI file as it was read: where each section starts, for lookups.
class IniFile;

// The INI file at a path, read once and then kept while the file keeps its identity, size and
// modification time (and that time lies far enough back that an edit within the same clock tick
// is ruled out), so a run of reads costs one read of the file. nullptr when nothing is at the
// path; raises vb::Error when something there cannot be read (a folder, a FIFO, a link loop).
std::shared_ptr<const IniFile> ReadIniFile(const std::filesystem::path& path);
// Drops every kept file, so the next read goes to the disk.
void ForgetIniFiles();

class IniFile {
public:
    // A text held in memory.
    explicit IniFile(std::string text);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // As IniDocument::Get.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The whole text.
    std::string Text() const;

private:
    friend std::shared_ptr<const IniFile> ReadIniFile(const std::filesystem::path& path);
    // A file read once to find its sections and kept open, so a lookup reads only its section.
    IniFile(FileHandle file, std::filesystem::path path);
    std::string Range(std::size_t begin, std::size_t end) const;

    struct Sections;
    std::string text_;  // the text, when it is held in memory
    FileHandle file_;   // or the file it is read from
    std::filesystem::path path_;
    std::size_t size_ = 0;
    std::unique_ptr<Sections> sections_;
};

// Reads a key of a bare INI name from the Windows directory (or of a path as given) into a buffer
// of `bufferLength` characters: at most bufferLength - 1 characters come back, the text before the
// terminating NUL. A missing file, section or key gives the default (its trailing blanks removed).
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferLength, std::string_view fileName);

// Writes a key; a nullopt value removes the key and keeps the section (and writes nothing when the
// section is not there). The file is rewritten through a temporary file and a rename, without a
// backup; a bare name's Windows directory is created when missing. True when the file (inside a
// ProfileBatch of the file, its image) holds the value afterwards; on false, ProfileError() says why.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               const std::optional<std::string>& value, std::string_view fileName);
// The whole section goes (the profile functions' null key).
bool DeletePrivateProfileSection(std::string_view section, std::string_view fileName);

// Why the last failed write on this thread failed.
std::optional<vb::Error> ProfileError();

// The writes one action makes to one INI file, saved together. While a batch is open on this
// thread, the writes to its file (WritePrivateProfileString, DeletePrivateProfileSection, and
// SaveSetting and DeleteSetting for a settings file) change an image of the file in memory, and
// reads on this thread see that image; Save, or the end of the outermost batch on the file, puts
// the image in the file by one safe save. Other programs and threads see the file as it was until
// then. Inside a batch a write is true when the image holds the value and only Save tells whether
// the file does, so a batch goes only around writes whose results nobody acts on one by one.
class ProfileBatch {
public:
    // The file as the profile functions take it: a bare INI name or a path.
    explicit ProfileBatch(std::string_view fileName);
    // Saves what is unsaved when this is the outermost batch on the file; a failure is left in
    // ProfileError().
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    // Saves the writes made so far; nullopt when the file holds them. On failure the file is as it
    // was, the writes are dropped and the error names the file.
    std::optional<vb::Error> Save();

private:
    std::filesystem::path path_;
};

// A run of writes to one INI file, saved together and reported once: the file is saved by Save,
// and the first failure is kept.
class ProfileWriter {
public:
    explicit ProfileWriter(std::string fileName) : fileName_(std::move(fileName)), batch_(fileName_) {}
    // WritePrivateProfileString in the run's batch: false when the file cannot be read or the
    // value cannot be stored.
    bool Write(std::string_view section, std::string_view key, const std::optional<std::string>& value);
    // Saves the run's writes so far; the run's first failure, with the file in its source.
    const std::optional<vb::Error>& Save();
    // The first failure so far.
    const std::optional<vb::Error>& failure() const { return failure_; }
    // The file the name stands for.
    std::filesystem::path file() const;

private:
    void Keep(const std::optional<vb::Error>& error);

    std::string fileName_;
    ProfileBatch batch_;
    std::optional<vb::Error> failure_;
};

// The profile functions' reading and editing of an INI file at a path, for stores kept in INI
// files (the settings store). A read sees an open batch's image. An edit is saved at once, or kept
// in the image of an open batch; a missing file (with its folder) is made only when `create`.
// `edit` returns false when a name or value cannot be stored. A file that cannot be read makes
// the read raise its error and the edit return it.
std::optional<std::string> ReadIniValue(const std::filesystem::path& path, std::string_view section,
                                        std::string_view key);
[[nodiscard]] std::optional<vb::Error> EditIniFile(const std::filesystem::path& path, bool create,
                                                   const std::function<bool(IniDocument&)>& edit);

}  // namespace files
