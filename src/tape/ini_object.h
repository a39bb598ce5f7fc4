// tIniObject: an in-memory copy of a whole settings-style text file ("[Section]" headers and
// "key=value" lines, Windows-1252, CR LF), with typed values and numbered lists. It is used for the
// tape's sections of the settings file, the item records, skin descriptions, selection files and
// foreign configuration files. The file is read when the object is made and rewritten, sorted by
// section and key, when a modified object is saved or destroyed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "toolkit/atomic_file.h"
#include "toolkit/colors.h"

namespace vc {

class tIniObject {
public:
    // Draws a whole number from 0 to bound - 1; used for the key of the scrambled form.
    using tRandomFn = std::function<int(int bound)>;

    // Keeps the file name and, when it is not empty, loads the file. An empty name makes an object
    // that lives in memory only and is never saved.
    explicit tIniObject(std::string fileName = {});
    // Saves when modified, so dropping a changed object writes its file.
    ~tIniObject();
    tIniObject(const tIniObject&) = delete;
    tIniObject& operator=(const tIniObject&) = delete;

    const std::string& FileName() const { return fileName_; }
    bool Modified() const { return modified_; }
    // The file was (and will be saved) in the scrambled form.
    bool Scrambled() const { return scrambled_; }
    // The key of the scrambled form as the "#" line of the file gives it.
    int ScrambleKey() const { return scrambleKey_; }
    std::size_t ValueCount() const { return values_.size(); }

    // Seams for tests: the low-level write of Save and the source of the scramble key.
    void SetWriteFunction(tWriteFn write) { write_ = std::move(write); }
    void SetRandomSource(tRandomFn random) { random_ = std::move(random); }

    // Replaces the contents with the file's; false (and an empty object) when it cannot be read.
    // A file larger than a settings file can be (ini::MaxFileBytes) is not read at all; the first
    // save then keeps it under a new name (ini::SetAsideIfTooLarge) before writing its own.
    bool Load();
    // The last load found the file too large to read.
    bool TooLarge() const { return tooLarge_; }
    // Replaces the contents with what the given file bytes hold; Load reads through this.
    void LoadFromBytes(std::string_view bytes);
    // Writes the file when modified and named. The file is replaced as a whole, so when writing
    // fails the old file stays as it was; the object then stays modified and the result is false.
    // A file that was too large to load is kept aside first, or, when that fails, not written.
    bool Save();
    // The file text Save writes. For a scrambled object this draws a new scramble key.
    std::string SaveText();

    // Appends a value without looking for an existing entry of the same section and key. Load builds
    // the object with it, so unlike the write operations it leaves Modified as it is.
    void AddValue(std::string_view section, std::string_view key, std::string value);

    // Read operations return the default when the key is absent. Section and key names are trimmed
    // and compared without regard to case.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Replaces the value of an existing entry, else adds one. Sets Modified even when nothing changed.
    void WriteString(std::string_view section, std::string_view key, std::string value);

    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    void WriteInteger(std::string_view section, std::string_view key, int value);
    // Written with 6 decimals right-aligned in 20 characters, "." as decimal mark.
    double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;
    void WriteFloat(std::string_view section, std::string_view key, double value);
    // "1" is true, anything else false.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // Date-times as days since 30 December 1899, stored as "DD/MM/YYYY HH:MM:SS".
    double ReadDateTime(std::string_view section, std::string_view key, double defaultValue) const;
    void WriteDateTime(std::string_view section, std::string_view key, double value);
    // A colour name or number; an empty value is kClNone, a value that is no colour is 0 (black).
    tColor ReadColor(std::string_view section, std::string_view key, tColor defaultValue) const;

    // Every section name met while loading (a header without keys included) or written to, spelled
    // as first met, in that order. Spellings that differ only in case are each listed, though they
    // are one section for look-ups.
    std::vector<std::string> SectionNames() const { return sectionNames_; }

    // Lists live in their own section under the keys "00001", "00002", ... Reading takes every entry
    // from "00001" on, skips "----" and stops at an empty value.
    void ReadList(std::string_view section, std::vector<std::string>& list) const;
    // Writes element i under key i (five digits, from 1). Keys past the list's end are left alone.
    void WriteList(std::string_view section, const std::vector<std::string>& list);

    // Every entry of the section as "key=value", in index order; nothing when the section is empty.
    std::optional<std::vector<std::string>> ReadSection(std::string_view section) const;
    // Writes each "key=value" line with WriteString, emptying the list from the front.
    void WriteSection(std::string_view section, std::vector<std::string>& lines);

private:
    struct tEntry {
        std::uint32_t Section; // into sectionNames_ / sectionUpper_
        std::string Key;
        std::string UpperKey;
    };
    struct tProbe {
        std::string_view UpperSection;
        std::string_view UpperKey;
    };

    void Clear();
    std::uint32_t SectionId(std::string_view name);
    std::uint32_t AppendEntry(std::uint32_t section, std::string_view key, std::string value);
    bool Less(std::uint32_t a, std::uint32_t b) const;
    int Compare(std::uint32_t id, const tProbe& probe) const;
    void MergeIndex() const;
    // The entry a look-up finds (the first of equal ones), or -1.
    std::int64_t Find(std::string_view section, std::string_view key) const;
    const std::string* FindValue(std::string_view section, std::string_view key) const;

    std::string fileName_;
    bool modified_ = false;
    bool scrambled_ = false;
    bool tooLarge_ = false;
    int scrambleKey_ = 0;
    tWriteFn write_;
    tRandomFn random_;

    // Values in insertion order; entries_[i] is the section and key of values_[i].
    std::vector<std::string> values_;
    std::vector<tEntry> entries_;
    std::vector<std::string> sectionNames_;
    std::vector<std::string> sectionUpper_;
    std::unordered_map<std::string, std::uint32_t> sectionIds_;
    // The key index: entry numbers sorted by upper-cased section, then upper-cased key, equal ones
    // in insertion order. New entries go into a small sorted side list that is merged into the main
    // one now and then, so writing thousands of new keys does not shift the whole index each time.
    mutable std::vector<std::uint32_t> index_;
    mutable std::vector<std::uint32_t> recent_;
};

} // namespace vc
