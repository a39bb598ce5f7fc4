#include "tape/ini_object.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <random>

#include "tape/ini_text.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"

namespace vc {

namespace {

// Upper-case table built from UpperChar once, so sorting and looking up keys do not go through a
// switch per character.
struct tUpperTable {
    std::array<char, 256> Map{};
    tUpperTable() {
        for (int c = 0; c < 256; ++c) {
            Map[static_cast<std::size_t>(c)] = UpperChar(static_cast<char>(c));
        }
    }
};
const tUpperTable kUpper;

void UpperInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[i] = kUpper.Map[static_cast<unsigned char>(text[i])];
    }
}

// Text up to the first line break. A value, key or section holding one would otherwise split
// into lines of its own when saved, and a following "key=value" would come back as a real key.
std::string_view BeforeLineBreak(std::string_view text, bool& cut) {
    const auto br = ini::FindLineBreak(text);
    cut = br != std::string_view::npos;
    return cut ? text.substr(0, br) : text;
}

// ---- Scrambled form ----------------------------------------------------------------------------

constexpr std::int64_t kScrambleTop = 35000;
constexpr std::int64_t kScrambleRestart = 6852;

// One character: each of the three ranges is rotated by the running key; everything else stays.
// The key of a character is the running key before it; the key then moves on by one.
char ScrambleChar(char c, std::int64_t key, bool encode) {
    const int code = static_cast<unsigned char>(c);
    int base = 0;
    int size = 0;
    if (code >= 32 && code <= 57) {
        base = 32;
        size = 26;
    } else if (code >= 58 && code <= 96) {
        base = 58;
        size = 39;
    } else if (code >= 97 && code <= 122) {
        base = 97;
        size = 26;
    } else {
        return c;
    }
    const std::int64_t shift = encode ? key : -key;
    std::int64_t offset = (code - base + shift) % size;
    if (offset < 0) {
        offset += size;
    }
    return static_cast<char>(base + offset);
}

std::int64_t NextKey(std::int64_t key) {
    return key + 1 > kScrambleTop ? kScrambleRestart : key + 1;
}

void ScrambleInPlace(char* text, std::size_t size, std::int64_t& key, bool encode) {
    for (std::size_t i = 0; i < size; ++i) {
        text[i] = ScrambleChar(text[i], key, encode);
        key = NextKey(key);
    }
}

// ---- Value encodings ---------------------------------------------------------------------------

std::string FloatText(double value) {
    if (!std::isfinite(value) || value == 0) {
        value = 0; // also turns -0 into 0
    }
    char buffer[400]; // the longest double in fixed notation with 6 decimals fits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    constexpr std::size_t kWidth = 20;
    if (text.size() >= kWidth) {
        return std::string(text.substr(0, kWidth));
    }
    return std::string(kWidth - text.size(), ' ') + std::string(text);
}

// "DD/MM/YYYY HH:MM:SS"; a date-time not above 0 or above 700000 days has no date part, so 0 is
// " 00:00:00". Times are rounded to the millisecond first, so 0.99999999 is the next day at midnight.
std::string DateTimeText(double value) {
    if (!std::isfinite(value)) {
        value = 0;
    }
    return DateOf(value) + ' ' + TimeOf(value);
}

// The date and the time parts each count only when they are well formed; the rest of the text is
// ignored.
double DateTimeFromText(std::string_view text) {
    const double date = text.size() >= 10 ? ParseDate(text.substr(0, 10)) : 0;
    double time = 0;
    if (text.size() >= 19) {
        const std::string_view clock = text.substr(11, 8);
        time = ValidTime(clock) ? ParseTime(clock) : 0;
    }
    return date + time;
}

std::string ListKey(std::size_t number) {
    std::string key = std::to_string(number);
    if (key.size() < 5) {
        key.insert(0, 5 - key.size(), '0');
    }
    return key;
}

int SystemRandom(int bound) {
    std::random_device device;
    return std::uniform_int_distribution<int>(0, bound - 1)(device);
}

// The index is merged once the side list holds this many entries.
constexpr std::size_t kRecentLimit = 512;

} // namespace

// ---- Life --------------------------------------------------------------------------------------

tIniObject::tIniObject(std::string fileName) : fileName_(std::move(fileName)) {
    if (!fileName_.empty()) {
        Load();
    }
}

tIniObject::~tIniObject() {
    Save();
}

void tIniObject::Clear() {
    values_.clear();
    entries_.clear();
    sectionNames_.clear();
    sectionUpper_.clear();
    sectionIds_.clear();
    index_.clear();
    recent_.clear();
}

bool tIniObject::Load() {
    Clear();
    scrambled_ = false;
    modified_ = false;
    tooLarge_ = false;
    std::string bytes;
    const tReadResult result = ReadFileLimited(fileName_, ini::MaxFileBytes(), bytes);
    if (result == tReadResult::Truncated) {
        // Only a part could be read, and saving that part would lose the rest: the object stays
        // empty and the file is kept aside before a save takes its name.
        tooLarge_ = true;
        return false;
    }
    if (result == tReadResult::Missing || result == tReadResult::Failed) {
        return false;
    }
    if (ini::HasTooManyValues(bytes)) {
        tooLarge_ = true;
        return false;
    }
    LoadFromBytes(bytes);
    return true;
}

void tIniObject::LoadFromBytes(std::string_view bytes) {
    Clear();
    scrambled_ = false;
    scrambleKey_ = 0;
    std::int64_t runningKey = 0;
    std::int64_t section = -1;
    std::size_t lineNumber = 0;
    // One entry per line at most; reserving spares the moves of growing the lists line by line.
    const std::size_t lines = ini::CountLineFeeds(bytes) + 1;
    const std::size_t expected = std::min(lines, ini::kMaxValues);
    values_.reserve(expected);
    entries_.reserve(expected);
    index_.reserve(expected);
    std::string plain;
    std::string key;
    ini::ForEachLine(bytes, [&](std::string_view line) {
        const std::size_t number = lineNumber++;
        if (number == 0 && !line.empty() && line.front() == '#') {
            scrambled_ = true;
            scrambleKey_ = ini::IntegerFromText(line.substr(1));
            runningKey = scrambleKey_;
            return;
        }
        if (scrambled_) {
            plain.assign(line);
            ScrambleInPlace(plain.data(), plain.size(), runningKey, false);
            line = plain;
        }
        const std::string_view trimmed = TrimView(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::string name = ini::SectionFromHeader(trimmed);
            section = name.empty() ? -1 : static_cast<std::int64_t>(SectionId(name));
            return;
        }
        std::string_view value;
        if (section >= 0 && values_.size() < ini::kMaxValues && ini::SplitKeyLine(line, key, value)) {
            const std::uint32_t id =
                AppendEntry(static_cast<std::uint32_t>(section), key, std::string(value));
            index_.push_back(id);
        }
    });
    // A file this program saved is sorted already; only foreign or hand-edited ones need the sort.
    if (!std::is_sorted(index_.begin(), index_.end(),
                        [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); })) {
        std::stable_sort(index_.begin(), index_.end(),
                         [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); });
    }
    modified_ = false;
}

bool tIniObject::Save() {
    if (!modified_ || fileName_.empty()) {
        return true;
    }
    if (tooLarge_) {
        // A file that could not be kept aside is not overwritten.
        if (!ini::MayBeReplaced(fileName_)) {
            return false;
        }
        tooLarge_ = false;
    }
    if (!WriteFileAtomically(fileName_, SaveText(), write_)) {
        return false;
    }
    modified_ = false;
    return true;
}

std::string tIniObject::SaveText() {
    MergeIndex();
    std::string out;
    std::size_t estimate = 64;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        estimate += entries_[i].Key.size() + values_[i].size() + 3;
    }
    out.reserve(estimate + sectionNames_.size() * 8);

    std::int64_t runningKey = 0;
    if (scrambled_) {
        int key = 6341 + (random_ ? random_(3000) : SystemRandom(3000));
        // A multiple of a range's size would leave the first character of that range as it is.
        if (key % 39 == 0 || key % 26 == 0) {
            key = 7;
        }
        scrambleKey_ = key;
        runningKey = key;
        out += '#';
        out += std::to_string(key);
        out += "\r\n\r\n";
    }
    const auto endLine = [&](std::size_t lineStart) {
        if (scrambled_) {
            ScrambleInPlace(out.data() + lineStart, out.size() - lineStart, runningKey, true);
        }
        out += "\r\n";
    };

    const std::string* previousUpper = nullptr;
    bool cut = false;
    for (const std::uint32_t id : index_) {
        const tEntry& entry = entries_[id];
        const std::string& upper = sectionUpper_[entry.Section];
        if (previousUpper == nullptr || *previousUpper != upper) {
            if (previousUpper != nullptr) {
                out += "\r\n";
            }
            const std::size_t start = out.size();
            out += '[';
            out += TrimView(BeforeLineBreak(sectionNames_[entry.Section], cut));
            out += ']';
            endLine(start);
            previousUpper = &upper;
        }
        const std::size_t start = out.size();
        out += TrimView(BeforeLineBreak(entry.Key, cut));
        out += '=';
        const std::string_view value = BeforeLineBreak(values_[id], cut);
        out += cut ? TrimView(value) : value;
        endLine(start);
    }
    return out;
}

// ---- Index -------------------------------------------------------------------------------------

std::uint32_t tIniObject::SectionId(std::string_view name) {
    const auto found = sectionIds_.find(std::string(name));
    if (found != sectionIds_.end()) {
        return found->second;
    }
    const auto id = static_cast<std::uint32_t>(sectionNames_.size());
    sectionNames_.emplace_back(name);
    std::string upper;
    UpperInto(name, upper);
    sectionUpper_.push_back(std::move(upper));
    sectionIds_.emplace(std::string(name), id);
    return id;
}

std::uint32_t tIniObject::AppendEntry(std::uint32_t section, std::string_view key, std::string value) {
    const auto id = static_cast<std::uint32_t>(values_.size());
    tEntry entry{section, std::string(key), {}};
    UpperInto(key, entry.UpperKey);
    entries_.push_back(std::move(entry));
    values_.push_back(std::move(value));
    return id;
}

bool tIniObject::Less(std::uint32_t a, std::uint32_t b) const {
    const tEntry& left = entries_[a];
    const tEntry& right = entries_[b];
    if (left.Section != right.Section) {
        const int bySection = sectionUpper_[left.Section].compare(sectionUpper_[right.Section]);
        if (bySection != 0) {
            return bySection < 0;
        }
    }
    return left.UpperKey < right.UpperKey;
}

int tIniObject::Compare(std::uint32_t id, const tProbe& probe) const {
    const tEntry& entry = entries_[id];
    const int bySection = std::string_view(sectionUpper_[entry.Section]).compare(probe.UpperSection);
    if (bySection != 0) {
        return bySection;
    }
    return std::string_view(entry.UpperKey).compare(probe.UpperKey);
}

void tIniObject::MergeIndex() const {
    if (recent_.empty()) {
        return;
    }
    std::vector<std::uint32_t> merged;
    merged.reserve(index_.size() + recent_.size());
    // std::merge takes the main list's entry first among equal ones: those are the older entries.
    std::merge(index_.begin(), index_.end(), recent_.begin(), recent_.end(), std::back_inserter(merged),
               [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); });
    index_ = std::move(merged);
    recent_.clear();
}

std::int64_t tIniObject::Find(std::string_view section, std::string_view key) const {
    std::string upperSection;
    std::string upperKey;
    UpperInto(TrimView(section), upperSection);
    UpperInto(TrimView(key), upperKey);
    const tProbe probe{upperSection, upperKey};
    const auto before = [this](std::uint32_t id, const tProbe& p) { return Compare(id, p) < 0; };
    for (const auto* list : {&index_, &recent_}) {
        const auto found = std::lower_bound(list->begin(), list->end(), probe, before);
        if (found != list->end() && Compare(*found, probe) == 0) {
            return *found;
        }
    }
    return -1;
}

const std::string* tIniObject::FindValue(std::string_view section, std::string_view key) const {
    const std::int64_t id = Find(section, key);
    return id < 0 ? nullptr : &values_[static_cast<std::size_t>(id)];
}

void tIniObject::AddValue(std::string_view section, std::string_view key, std::string value) {
    const std::uint32_t id = AppendEntry(SectionId(TrimView(section)), TrimView(key), std::move(value));
    const auto position = std::upper_bound(recent_.begin(), recent_.end(), id,
                                           [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); });
    recent_.insert(position, id);
    if (recent_.size() >= kRecentLimit) {
        MergeIndex();
    }
}

// ---- Typed values ------------------------------------------------------------------------------

std::string tIniObject::ReadString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
    const std::string* value = FindValue(section, key);
    return value != nullptr ? *value : std::string(defaultValue);
}

void tIniObject::WriteString(std::string_view section, std::string_view key, std::string value) {
    const std::int64_t id = Find(section, key);
    if (id >= 0) {
        values_[static_cast<std::size_t>(id)] = std::move(value);
    } else {
        AddValue(section, key, std::move(value));
    }
    modified_ = true;
}

int tIniObject::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string* value = FindValue(section, key);
    return value != nullptr ? ini::IntegerFromText(*value) : defaultValue;
}

void tIniObject::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

double tIniObject::ReadFloat(std::string_view section, std::string_view key, double defaultValue) const {
    const std::string* value = FindValue(section, key);
    return value != nullptr ? ini::FloatFromText(*value) : defaultValue;
}

void tIniObject::WriteFloat(std::string_view section, std::string_view key, double value) {
    WriteString(section, key, FloatText(value));
}

bool tIniObject::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    const std::string* value = FindValue(section, key);
    return value != nullptr ? *value == "1" : defaultValue;
}

void tIniObject::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

double tIniObject::ReadDateTime(std::string_view section, std::string_view key, double defaultValue) const {
    const std::string* value = FindValue(section, key);
    return value != nullptr ? DateTimeFromText(*value) : defaultValue;
}

void tIniObject::WriteDateTime(std::string_view section, std::string_view key, double value) {
    WriteString(section, key, DateTimeText(value));
}

tColor tIniObject::ReadColor(std::string_view section, std::string_view key, tColor defaultValue) const {
    const std::string* value = FindValue(section, key);
    if (value == nullptr) {
        return defaultValue;
    }
    const std::string_view text = TrimView(*value);
    if (text.empty()) {
        return kClNone;
    }
    return ColorFromText(text).value_or(kClBlack);
}

// ---- Lists and sections ------------------------------------------------------------------------

void tIniObject::ReadList(std::string_view section, std::vector<std::string>& list) const {
    list.clear();
    const std::string_view name = TrimView(section);
    MergeIndex();
    std::string upperSection;
    UpperInto(name, upperSection);
    const tProbe probe{upperSection, "00001"};
    auto it = std::lower_bound(index_.begin(), index_.end(), probe,
                               [this](std::uint32_t id, const tProbe& p) { return Compare(id, p) < 0; });
    if (it == index_.end() || Compare(*it, probe) != 0) {
        return;
    }
    for (; it != index_.end(); ++it) {
        // The look-up ignores case, but the walk keeps to the section exactly as it is spelled.
        if (sectionNames_[entries_[*it].Section] != name) {
            break;
        }
        const std::string& value = values_[*it];
        if (value.empty()) {
            break;
        }
        if (value != "----") {
            list.push_back(value);
        }
    }
}

void tIniObject::WriteList(std::string_view section, const std::vector<std::string>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        WriteString(section, ListKey(i + 1), list[i]);
    }
}

std::optional<std::vector<std::string>> tIniObject::ReadSection(std::string_view section) const {
    MergeIndex();
    std::string upper;
    UpperInto(TrimView(section), upper);
    const auto before = [this](std::uint32_t id, std::string_view probe) {
        return std::string_view(sectionUpper_[entries_[id].Section]) < probe;
    };
    const auto after = [this](std::string_view probe, std::uint32_t id) {
        return probe < std::string_view(sectionUpper_[entries_[id].Section]);
    };
    const auto first = std::lower_bound(index_.begin(), index_.end(), std::string_view(upper), before);
    const auto last = std::upper_bound(first, index_.end(), std::string_view(upper), after);
    if (first == last) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(last - first));
    for (auto it = first; it != last; ++it) {
        lines.push_back(entries_[*it].Key + "=" + values_[*it]);
    }
    return lines;
}

void tIniObject::WriteSection(std::string_view section, std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const auto equals = line.find('=');
        const std::string_view text(line);
        const std::string_view key =
            equals == std::string::npos ? std::string_view() : text.substr(0, equals);
        // A line without "=" or with an empty key could never be read back from the file.
        if (TrimView(key).empty()) {
            continue;
        }
        WriteString(section, key, std::string(text.substr(equals + 1)));
    }
    lines.clear();
}

} // namespace vc
