#include "tape/ini_text.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <sys/stat.h>

#include "toolkit/atomic_file.h"
#include "toolkit/text.h"

namespace vc::ini {

namespace {
std::atomic<std::size_t> gMaxFileBytes{kMaxFileBytes};
} // namespace

std::size_t MaxFileBytes() {
    return gMaxFileBytes;
}

void SetMaxFileBytes(std::size_t limit) {
    gMaxFileBytes = limit;
}

bool HasTooManyValues(std::string_view bytes) {
    std::size_t values = 0;
    ForEachLine(bytes, [&values](std::string_view line) {
        if (line.find('=') != std::string_view::npos) {
            ++values;
        }
    });
    return values > kMaxValues;
}

bool IsTooLarge(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > MaxFileBytes()) {
        return true;
    }
    // A value line takes three bytes at the least ("a=" and its break): only a file that long can
    // hold too many, and only such a file is read for the count.
    if (size < 3 * kMaxValues) {
        return false;
    }
    std::string bytes;
    return ReadFileLimited(fileName, MaxFileBytes(), bytes) == tReadResult::Ok && HasTooManyValues(bytes);
}

std::string SetAsideIfTooLarge(const std::string& fileName) {
    return IsTooLarge(fileName) ? KeepUnderNewName(fileName, kTooLargeSuffix) : std::string();
}

bool MayBeReplaced(const std::string& fileName) {
    return !IsTooLarge(fileName) || !KeepUnderNewName(fileName, kTooLargeSuffix).empty();
}

std::string SectionFromHeader(std::string_view trimmedLine) {
    std::string name = Trim(trimmedLine.substr(1, 255));
    if (!name.empty()) {
        name.pop_back();
    }
    return Trim(name);
}

bool SplitKeyLine(std::string_view line, std::string& key, std::string_view& value) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    key = Trim(line.substr(0, equals));
    if (key.empty()) {
        return false;
    }
    value = line.substr(equals + 1);
    return true;
}

namespace {

// A leading "+" is allowed as well as "-"; from_chars itself takes only "-".
std::string_view SignedDigits(std::string_view text, std::string& scratch) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
        scratch.assign(text.substr(1));
        return scratch;
    }
    return text;
}

bool ParseDouble(std::string_view text, double& value) {
    if (text.empty()) {
        return false;
    }
    // from_chars also reads "inf" and "nan"; a settings value never means either.
    const char first = text.front() == '-' && text.size() > 1 ? text[1] : text.front();
    if (!((first >= '0' && first <= '9') || first == '.')) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

} // namespace

int IntegerFromText(std::string_view text) {
    std::string scratch;
    const std::string trimmed = Trim(text);
    const std::string_view digits = SignedDigits(trimmed, scratch);
    if (digits.empty()) {
        return 0;
    }
    std::int64_t whole = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), whole);
    if (error == std::errc() && end == digits.data() + digits.size()) {
        return static_cast<int>(std::clamp<std::int64_t>(whole, INT_MIN, INT_MAX));
    }
    double value = 0;
    if (!ParseDouble(digits, value)) {
        return 0;
    }
    value = std::trunc(value);
    if (value <= INT_MIN) {
        return INT_MIN;
    }
    if (value >= INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

double FloatFromText(std::string_view text) {
    std::string scratch;
    const std::string trimmed = Trim(text);
    double value = 0;
    return ParseDouble(SignedDigits(trimmed, scratch), value) ? value : 0.0;
}

} // namespace vc::ini
