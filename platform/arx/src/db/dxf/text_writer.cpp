#include "db/dxf/text_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "db/dxf/number_format.h"
#include "db/dxf/tokenizer.h"

namespace arx::dxf {
namespace {

constexpr std::size_t kFlushThreshold = 1 << 20;
// Room for a group's code, its numeric value and two line ends of the usual length.
constexpr std::size_t kGroupRoom = 64;

// The code lines of every code that has a value type, right-aligned in three columns,
// built once: a group's code is copied, not formatted.
constexpr int kTabledCodes = 1072;

struct CodeText {
    char text[4];
    unsigned char size;
};

constexpr std::array<CodeText, kTabledCodes> buildCodeTexts()
{
    std::array<CodeText, kTabledCodes> table{};
    for (int code = 0; code < kTabledCodes; ++code) {
        CodeText& entry = table[code];
        char digits[4] = {};
        int count = 0;
        for (int rest = code; count == 0 || rest > 0; rest /= 10) digits[count++] = static_cast<char>('0' + rest % 10);
        const int width = count < 3 ? 3 : count;
        for (int i = 0; i < width; ++i) entry.text[i] = i < width - count ? ' ' : digits[width - 1 - i];
        entry.size = static_cast<unsigned char>(width);
    }
    return table;
}

constexpr std::array<CodeText, kTabledCodes> kCodeTexts = buildCodeTexts();

int integerWidth(GroupType type) { return (type == GroupType::Int16 || type == GroupType::Bool) ? 6 : 9; }

// A string value cannot hold a line end; control characters are written in the caret form
// the DXF reference gives for them (^J for a line feed, ^M for a carriage return). Eight
// characters are looked at a time: only a word with a byte below 14 is checked byte by byte.
bool needsCaretEscape(std::string_view value)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighBits = 0x8080808080808080ull;
    auto hasLineEnd = [](std::string_view part) {
        for (char c : part)
            if (c == '\n' || c == '\r') return true;
        return false;
    };
    std::size_t at = 0;
    for (; at + 8 <= value.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, value.data() + at, sizeof word);
        // Nonzero when some byte is below 14 (the classic test for a byte below n).
        if (((word - 14 * kOnes) & ~word & kHighBits) != 0 && hasLineEnd(value.substr(at, 8))) return true;
    }
    return hasLineEnd(value.substr(at));
}

}  // namespace

TextWriter::TextWriter(Sink sink, std::string_view lineEnd) : sink_(std::move(sink)), lineEnd_(lineEnd)
{
    reserve(kFlushThreshold + 4096);
}

TextWriter::TextWriter() : lineEnd_("\r\n") {}

TextWriter::~TextWriter() = default;

void TextWriter::fail(const std::string& problem)
{
    if (!failed_) problem_ = problem;
    failed_ = true;
}

// The writer's small members are inlined into each group's writing: they run for every group.
[[gnu::always_inline]] inline char* TextWriter::reserve(std::size_t count)
{
    if (capacity_ - size_ < count) [[unlikely]]
        grow(count);
    return buffer_.get() + size_;
}

void TextWriter::grow(std::size_t count)
{
    const std::size_t capacity = std::max(capacity_ * 2, size_ + count);
    auto grown = std::make_unique<char[]>(capacity);
    if (size_ > 0) std::memcpy(grown.get(), buffer_.get(), size_);
    buffer_ = std::move(grown);
    capacity_ = capacity;
}

[[gnu::always_inline]] inline char* TextWriter::codeLine(char* out, int code)
{
    if (code >= 0 && code < kTabledCodes) {
        const CodeText& entry = kCodeTexts[static_cast<std::size_t>(code)];
        std::memcpy(out, entry.text, 4);
        out += entry.size;
    } else {
        out += formatInteger(code, 3, out);
    }
    return endLine(out);
}

[[gnu::always_inline]] inline char* TextWriter::endLine(char* out)
{
    // The usual line ends are copied as a fixed size, without a call.
    if (lineEnd_.size() == 2) {
        std::memcpy(out, lineEnd_.data(), 2);
        return out + 2;
    }
    std::memcpy(out, lineEnd_.data(), lineEnd_.size());
    return out + lineEnd_.size();
}

[[gnu::always_inline]] inline void TextWriter::finishGroup(char* end)
{
    size_ = static_cast<std::size_t>(end - buffer_.get());
    if (size_ >= kFlushThreshold && sink_) [[unlikely]]
        flush();
}

bool TextWriter::flush()
{
    if (!sink_ || failed_) return !failed_;
    if (size_ > 0) {
        if (!sink_(std::string_view(buffer_.get(), size_))) fail("the file could not be written");
        written_ += size_;
        size_ = 0;
    }
    return !failed_;
}

void TextWriter::string(int code, std::string_view value)
{
    // A value with line breaks grows by one character for each.
    const bool escape = needsCaretEscape(value);
    char* out = reserve(kGroupRoom + 2 * lineEnd_.size() + value.size() * (escape ? 2 : 1));
    out = codeLine(out, code);
    if (escape) {
        for (char c : value) {
            if (c == '\n' || c == '\r') {
                *out++ = '^';
                *out++ = static_cast<char>(c + 64);
            } else {
                *out++ = c;
            }
        }
    } else if (!value.empty()) {
        std::memcpy(out, value.data(), value.size());
        out += value.size();
    }
    finishGroup(endLine(out));
}

void TextWriter::real(int code, double value)
{
    if (!std::isfinite(value)) {
        fail("group " + std::to_string(code) + " holds a value that is not a finite number");
        value = 0;
    }
    char* out = codeLine(reserve(kGroupRoom + kRealBufferSize + 2 * lineEnd_.size()), code);
    out += formatReal(value, out);
    finishGroup(endLine(out));
}

void TextWriter::integer(int code, std::int64_t value)
{
    char* out = codeLine(reserve(kGroupRoom + 2 * lineEnd_.size()), code);
    out += formatInteger(value, integerWidth(groupTypeOf(code)), out);
    finishGroup(endLine(out));
}

void TextWriter::handle(int code, std::uint64_t value)
{
    char* out = codeLine(reserve(kGroupRoom + 2 * lineEnd_.size()), code);
    out += formatHandle(value, out);
    finishGroup(endLine(out));
}

void TextWriter::binary(int code, const unsigned char* data, std::size_t size)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char* out = codeLine(reserve(kGroupRoom + 2 * lineEnd_.size() + 2 * size), code);
    for (std::size_t i = 0; i < size; ++i) {
        *out++ = kDigits[data[i] >> 4];
        *out++ = kDigits[data[i] & 15];
    }
    finishGroup(endLine(out));
}

void TextWriter::point(int xCode, double x, double y, double z)
{
    real(xCode, x);
    real(xCode + 10, y);
    real(xCode + 20, z);
}

void TextWriter::point2d(int xCode, double x, double y)
{
    real(xCode, x);
    real(xCode + 10, y);
}

bool TextWriter::raw(int code, std::string_view text)
{
    const GroupType type = groupTypeOf(code);
    bool fits = type != GroupType::Invalid;
    if (fits && type == GroupType::Real) {
        double value = 0;
        fits = parseReal(text, value);
        if (fits) real(code, value);
    } else if (fits && isIntegerType(type)) {
        std::int64_t value = 0, lowest = 0, highest = 0;
        integerRange(type, lowest, highest);
        fits = parseInteger(text, value) && value >= lowest && value <= highest;
        if (fits) integer(code, value);
    }
    if (!fits) {
        fail("group " + std::to_string(code) + " cannot hold \"" + std::string(text.substr(0, 40)) + "\"");
        return false;
    }
    if (type == GroupType::Real || isIntegerType(type)) return true;
    string(code, text);
    return true;
}

}  // namespace arx::dxf
