// Splits the text of an ASCII DXF file into group code / value pairs. The text stays in the
// caller's buffer: a group is a code and a view of its value line, so reading allocates
// nothing per line. Lines end in LF or CRLF.
#pragma once
#include <bit>
#include <cstdint>
#include <string_view>

#include "db/dxf/group_code.h"

namespace arx::dxf {

struct Group {
    // What a reader that converts numbers ahead found in the value (see convertNumber).
    enum class Converted : unsigned char { None, Real, Integer, Handle };

    int code = 0;
    std::string_view value;  // the value line without its line end
    long line = 0;           // line number of the group code; the value is on the next line
    Converted converted = Converted::None;
    // The converted value: a double's bits, an integer in two's complement, or a handle.
    std::uint64_t number = 0;

    long valueLine() const { return line + 1; }
    GroupType type() const { return groupTypeOf(code); }
    bool is(int c, std::string_view v) const { return code == c && value == v; }
};

class Tokenizer {
public:
    // Refuses binary DXF (FormatError at line 1) and skips a UTF-8 byte order mark. A text that
    // is not `complete` is the beginning of one that is still arriving (see extend); it holds at
    // least the file's first line.
    explicit Tokenizer(std::string_view text, bool complete = true);

    // The next group, skipping comments (999). False at the end of the text. A code line that
    // is not a known group code, or a code without its value line, throws FormatError.
    bool next(Group& group);
    // Hands the last group back: the next call to next() returns it again.
    void pushBack(const Group& group);

    // For a text still arriving: next() returns false with waiting() true when the rest of a
    // group has not arrived yet; extend() then gives the same text with more of it.
    bool waiting() const { return waiting_; }
    void extend(std::string_view text, bool complete);

    // Line number of the last line read (0 before the first).
    long line() const { return line_; }
    // Fraction of the text consumed, for progress reporting.
    std::size_t offset() const { return static_cast<std::size_t>(pos_ - begin_); }

private:
    bool readLine(std::string_view& line);

    const char* begin_;
    const char* pos_;
    const char* end_;
    long line_ = 0;
    Group pushedBack_;
    bool hasPushedBack_ = false;
    bool complete_ = true;
    bool waiting_ = false;
};

// Typed values of a group, checked against the group's type; a value that does not fit
// throws FormatError naming the value line. Leading and trailing blanks are allowed around
// numbers, as other programs write them.
double realValueOfText(const Group& group);
inline double realValue(const Group& group)
{
    if (group.converted == Group::Converted::Real) return std::bit_cast<double>(group.number);
    return realValueOfText(group);
}
std::int64_t integerValue(const Group& group);
// Text of a handle group (5, 105, 320-369, 390-399, 480, 1005) as a number.
std::uint64_t handleValueOfText(const Group& group);
inline std::uint64_t handleValue(const Group& group)
{
    if (group.converted == Group::Converted::Handle) return group.number;
    return handleValueOfText(group);
}

// The same checks on bare text, for values that do not come from a tokenizer.
bool parseReal(std::string_view text, double& value);
bool parseInteger(std::string_view text, std::int64_t& value);
bool parseHandle(std::string_view text, std::uint64_t& value);
// The inclusive range an integer group of this type may hold.
void integerRange(GroupType type, std::int64_t& lowest, std::int64_t& highest);

}  // namespace arx::dxf
