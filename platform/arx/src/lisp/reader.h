// The AutoLISP reader: text to values. Comments (";" to the end of the line and ";|...|;"),
// strings with the host's escapes, quote, dotted pairs, numbers (an integer literal beyond
// 32 bits becomes a real, as the host reads it) and case-insensitive symbols. Syntax errors
// are thrown as LispError with the host's messages.
#pragma once
#include <cstddef>
#include <string_view>

#include "lisp/value.h"

namespace arx::lisp {

// The characters AutoLISP reads as blanks between expressions.
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

class Reader {
public:
    explicit Reader(std::string_view text, std::size_t start = 0) : text_(text), pos_(start) {}

    // Reads the next expression into out; false when only blanks and comments remain.
    bool next(Value& out);
    // Where reading continues: just after the last expression read.
    std::size_t position() const { return pos_; }

private:
    Value readExpression();
    Value readListBody();
    Value readString();
    Value readAtom();
    void skipBlanksAndComments();
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }
    bool dotStandsAlone() const;

    std::string_view text_;
    std::size_t pos_;
};

// The first expression of a text, as (read string) does it: nil when there is none.
Value readFirst(std::string_view text);

// What an atom's spelling denotes: an integer, a real or a symbol (nil for "nil").
Value parseAtom(std::string_view spelling);

bool isDelimiter(char c);

}  // namespace arx::lisp
