#include "db/dxf/text_writer.h"

#include <cmath>

#include "db/dxf/number_format.h"
#include "db/dxf/tokenizer.h"

namespace arx::dxf {
namespace {

constexpr std::size_t kFlushThreshold = 1 << 20;

int integerWidth(GroupType type)
{
    return (type == GroupType::Int16 || type == GroupType::Bool) ? 6 : 9;
}

// A string value cannot hold a line end; control characters are written in the caret form
// the DXF reference gives for them (^J for a line feed, ^M for a carriage return).
bool needsCaretEscape(std::string_view value)
{
    for (char c : value)
        if (c == '\n' || c == '\r') return true;
    return false;
}

}  // namespace

TextWriter::TextWriter(Sink sink, std::string_view lineEnd) : sink_(std::move(sink)), lineEnd_(lineEnd)
{
    buffer_.reserve(kFlushThreshold + 4096);
}

TextWriter::TextWriter() : lineEnd_("\r\n") {}

TextWriter::~TextWriter() = default;

void TextWriter::fail(const std::string& problem)
{
    if (!failed_) problem_ = problem;
    failed_ = true;
}

void TextWriter::codeLine(int code)
{
    char digits[8];
    buffer_.append(digits, formatInteger(code, 3, digits));
    endLine();
}

void TextWriter::endLine() { buffer_.append(lineEnd_); }

void TextWriter::maybeFlush()
{
    if (sink_ && buffer_.size() >= kFlushThreshold) flush();
}

bool TextWriter::flush()
{
    if (!sink_ || failed_) return !failed_;
    if (!buffer_.empty()) {
        if (!sink_(buffer_)) fail("the file could not be written");
        written_ += buffer_.size();
        buffer_.clear();
    }
    return !failed_;
}

void TextWriter::string(int code, std::string_view value)
{
    codeLine(code);
    if (needsCaretEscape(value)) {
        for (char c : value) {
            if (c == '\n' || c == '\r') {
                buffer_ += '^';
                buffer_ += static_cast<char>(c + 64);
            } else {
                buffer_ += c;
            }
        }
    } else {
        buffer_.append(value);
    }
    endLine();
    maybeFlush();
}

void TextWriter::real(int code, double value)
{
    if (!std::isfinite(value)) {
        fail("group " + std::to_string(code) + " holds a value that is not a finite number");
        value = 0;
    }
    codeLine(code);
    char text[kRealBufferSize];
    buffer_.append(text, formatReal(value, text));
    endLine();
    maybeFlush();
}

void TextWriter::integer(int code, std::int64_t value)
{
    codeLine(code);
    char text[32];
    buffer_.append(text, formatInteger(value, integerWidth(groupTypeOf(code)), text));
    endLine();
    maybeFlush();
}

void TextWriter::handle(int code, std::uint64_t value)
{
    codeLine(code);
    char text[20];
    buffer_.append(text, formatHandle(value, text));
    endLine();
    maybeFlush();
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
