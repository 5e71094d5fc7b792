#include "db/dxf/tokenizer.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "db/dxf/format_error.h"

namespace arx::dxf {
namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view text)
{
    std::size_t first = 0;
    while (first < text.size() && (text[first] == ' ' || text[first] == '\t')) ++first;
    std::size_t last = text.size();
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t' || text[last - 1] == '\r')) --last;
    return text.substr(first, last - first);
}

// The number of a group code line. Codes are written right-aligned with at most four digits
// ("  0", " 10", "1071"): those are read digit by digit; anything else (leading zeros, more
// digits, tabs) goes through the general conversion, with the same answers.
bool parseCodeLine(std::string_view line, int& code)
{
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n && line[i] == ' ') ++i;
    const bool negative = i < n && line[i] == '-';
    if (negative) ++i;
    const std::size_t first = i;
    int value = 0;
    while (i < n && i - first < 4 && line[i] >= '0' && line[i] <= '9') value = value * 10 + (line[i++] - '0');
    if (i > first && (i == n || (i + 1 == n && line[i] == '\r'))) {
        code = negative ? -value : value;
        return true;
    }
    const std::string_view text = trimBlanks(line);
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), code);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}

// A short, printable excerpt of a line for an error message.
std::string quoted(std::string_view text)
{
    std::string result = "\"";
    for (char c : text.substr(0, 40)) result += (c >= 32 && c < 127) ? c : '?';
    if (text.size() > 40) result += "...";
    return result + "\"";
}

const char* typeName(GroupType type)
{
    switch (type) {
    case GroupType::Int16: return "a 16-bit integer";
    case GroupType::Int32: return "a 32-bit integer";
    case GroupType::Int64: return "a 64-bit integer";
    case GroupType::Bool: return "a boolean";
    default: return "an integer";
    }
}

}  // namespace

Tokenizer::Tokenizer(std::string_view text, bool complete)
    : begin_(text.data()), pos_(text.data()), end_(text.data() + text.size()), complete_(complete)
{
    if (text.substr(0, kBinarySentinel.size()) == kBinarySentinel)
        throw FormatError(1, "binary DXF files are not supported; save the drawing as ASCII DXF");
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) pos_ += kByteOrderMark.size();
}

void Tokenizer::extend(std::string_view text, bool complete)
{
    end_ = text.data() + text.size();
    complete_ = complete;
    waiting_ = false;
}

bool Tokenizer::readLine(std::string_view& line)
{
    if (pos_ >= end_) {
        waiting_ = !complete_;
        return false;
    }
    const void* found = std::memchr(pos_, '\n', static_cast<std::size_t>(end_ - pos_));
    if (found == nullptr && !complete_) {
        waiting_ = true;
        return false;
    }
    const char* lineEnd = found ? static_cast<const char*>(found) : end_;
    const char* valueEnd = lineEnd;
    if (valueEnd > pos_ && valueEnd[-1] == '\r') --valueEnd;
    line = std::string_view(pos_, static_cast<std::size_t>(valueEnd - pos_));
    pos_ = found ? lineEnd + 1 : end_;
    ++line_;
    return true;
}

bool Tokenizer::next(Group& group)
{
    if (hasPushedBack_) {
        hasPushedBack_ = false;
        group = pushedBack_;
        return true;
    }
    for (;;) {
        const char* groupStart = pos_;
        std::string_view codeLine;
        if (!readLine(codeLine)) return false;
        const long codeLineNumber = line_;
        int code = 0;
        if (!parseCodeLine(codeLine, code)) throw FormatError(codeLineNumber, "invalid group code " + quoted(codeLine));
        if (groupTypeOf(code) == GroupType::Invalid)
            throw FormatError(codeLineNumber, "unknown group code " + std::to_string(code));
        std::string_view value;
        if (!readLine(value)) {
            if (waiting_) {
                // The value line has not arrived: the group is read again when it has.
                pos_ = groupStart;
                line_ = codeLineNumber - 1;
                return false;
            }
            throw FormatError(codeLineNumber,
                              "group code " + std::to_string(code) + " has no value (unexpected end of file)");
        }
        if (code == 999) continue;  // comment
        group.code = code;
        group.value = value;
        group.line = codeLineNumber;
        return true;
    }
}

void Tokenizer::pushBack(const Group& group)
{
    pushedBack_ = group;
    hasPushedBack_ = true;
}

namespace {

// Most reals of a drawing are short plain decimals ("12.5", "-0.25"). When the digits
// without the point make an integer below 2^53 and at most 22 of them follow the point,
// the integer and the power of ten are both exact doubles and one division rounds
// correctly: the value from_chars gives, without its general algorithm. False (value
// untouched) for anything else, which from_chars then reads.
bool parseShortDecimal(std::string_view text, double& value)
{
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    std::uint64_t digits = 0;
    int count = 0, fractionDigits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<unsigned>(c - '0');
            if (digits >= kExactLimit) return false;
            ++count;
            if (point) ++fractionDigits;
        } else {
            return false;
        }
    }
    if (count == 0 || fractionDigits > 22) return false;
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[fractionDigits];
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

bool parseReal(std::string_view text, double& value)
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    if (parseShortDecimal(text, value)) return true;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && std::isfinite(value);
}

bool parseInteger(std::string_view text, std::int64_t& value)
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    // Up to 18 digits cannot overflow: read them here; longer ones go to the general conversion.
    const bool negative = text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (!digits.empty() && digits.size() <= 18) {
        std::int64_t magnitude = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return false;
            magnitude = magnitude * 10 + (c - '0');
        }
        value = negative ? -magnitude : magnitude;
        return true;
    }
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size();
}

bool parseHandle(std::string_view text, std::uint64_t& value)
{
    text = trimBlanks(text);
    if (text.empty() || text.size() > 16) return false;
    std::uint64_t result = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0) return false;
        result = result * 16 + static_cast<unsigned>(digit);
    }
    value = result;
    return true;
}

void integerRange(GroupType type, std::int64_t& lowest, std::int64_t& highest)
{
    switch (type) {
    case GroupType::Int16:
    case GroupType::Bool:
        lowest = std::numeric_limits<std::int16_t>::min();
        highest = std::numeric_limits<std::int16_t>::max();
        return;
    case GroupType::Int32:
        lowest = std::numeric_limits<std::int32_t>::min();
        highest = std::numeric_limits<std::int32_t>::max();
        return;
    default:
        lowest = std::numeric_limits<std::int64_t>::min();
        highest = std::numeric_limits<std::int64_t>::max();
        return;
    }
}

// The value functions' conversion of a group's text (the header has the converted-ahead path).
double realValueOfText(const Group& group)
{
    double value = 0;
    if (!parseReal(group.value, value))
        throw FormatError(group.valueLine(),
                          "group " + std::to_string(group.code) + " needs a real number, found " + quoted(group.value));
    return value;
}

std::int64_t integerValue(const Group& group)
{
    const GroupType type = group.type();
    std::int64_t value = 0;
    if (group.converted == Group::Converted::Integer) value = static_cast<std::int64_t>(group.number);
    else if (!parseInteger(group.value, value))
        throw FormatError(group.valueLine(), "group " + std::to_string(group.code) + " needs " + typeName(type) +
                                                 ", found " + quoted(group.value));
    std::int64_t lowest = 0, highest = 0;
    integerRange(type, lowest, highest);
    if (value < lowest || value > highest)
        throw FormatError(group.valueLine(), "group " + std::to_string(group.code) + " value " + std::to_string(value) +
                                                 " does not fit " + typeName(type));
    return value;
}

std::uint64_t handleValueOfText(const Group& group)
{
    std::uint64_t value = 0;
    if (!parseHandle(group.value, value))
        throw FormatError(group.valueLine(), "group " + std::to_string(group.code) +
                                                 " needs a hexadecimal handle, found " + quoted(group.value));
    return value;
}

}  // namespace arx::dxf
