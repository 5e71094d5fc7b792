#include "lisp/reader.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "lisp/errors.h"
#include "lisp/stack_guard.h"

namespace arx::lisp {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// [+-]digits
bool isIntegerSpelling(std::string_view s)
{
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i)
        if (!isDigit(s[i])) return false;
    return true;
}

// [+-](digits[.digits*] | .digits)([eE][+-]digits)
bool isRealSpelling(std::string_view s)
{
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    std::size_t mantissaDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++mantissaDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < s.size() && isDigit(s[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return i == s.size();
}

double toDouble(std::string_view s)
{
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    double value = 0;
    auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the range of a double: zero for a huge negative exponent, else infinity,
        // with the sign kept, as the host's runtime reads it.
        bool negative = !s.empty() && s[0] == '-';
        auto e = s.find_first_of("eE");
        bool tiny = e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
        if (tiny) return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    return value;
}

}  // namespace

bool isDelimiter(char c) { return isBlank(c) || c == '(' || c == ')' || c == '\'' || c == '"' || c == ';'; }

Value parseAtom(std::string_view spelling)
{
    if (isIntegerSpelling(spelling)) {
        std::string_view digits = spelling[0] == '+' ? spelling.substr(1) : spelling;
        std::int64_t value = 0;
        auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (result.ec == std::errc() && value >= std::numeric_limits<std::int32_t>::min() &&
            value <= std::numeric_limits<std::int32_t>::max())
            return makeInteger(static_cast<std::int32_t>(value));
        return makeReal(toDouble(spelling));  // integer overflow: the host reads a real
    }
    if (isRealSpelling(spelling)) return makeReal(toDouble(spelling));
    Value symbol = Symbol::intern(spelling);
    if (symbolOf(symbol).name() == "NIL") return Value();
    return symbol;
}

void Reader::skipBlanksAndComments()
{
    while (!atEnd()) {
        char c = peek();
        if (isBlank(c)) {
            ++pos_;
        } else if (c == ';') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '|') {
                auto close = text_.find("|;", pos_ + 2);
                pos_ = close == std::string_view::npos ? text_.size() : close + 2;
            } else {
                auto eol = text_.find('\n', pos_);
                pos_ = eol == std::string_view::npos ? text_.size() : eol + 1;
            }
        } else {
            return;
        }
    }
}

bool Reader::dotStandsAlone() const
{
    return peek() == '.' && (pos_ + 1 >= text_.size() || isDelimiter(text_[pos_ + 1]));
}

bool Reader::next(Value& out)
{
    skipBlanksAndComments();
    if (atEnd()) return false;
    out = readExpression();
    return true;
}

Value Reader::readExpression()
{
    StackGuard guard;
    skipBlanksAndComments();
    if (atEnd()) throw errors::malformedList();
    char c = peek();
    if (c == '(') {
        ++pos_;
        return readListBody();
    }
    if (c == ')') throw errors::extraRightParen();
    if (c == '\'') {
        ++pos_;
        skipBlanksAndComments();
        if (atEnd()) throw errors::malformedList();
        if (peek() == ')') throw errors::malformedList();
        Value quoted = readExpression();
        return makeList({symbolQuote(), quoted});
    }
    if (c == '"') return readString();
    if (dotStandsAlone()) throw errors::misplacedDot();
    return readAtom();
}

Value Reader::readListBody()
{
    ListBuilder list;
    for (;;) {
        skipBlanksAndComments();
        if (atEnd()) throw errors::malformedList();
        if (peek() == ')') {
            ++pos_;
            return list.result();
        }
        if (dotStandsAlone()) {
            if (list.empty()) throw errors::misplacedDot();
            ++pos_;
            skipBlanksAndComments();
            if (atEnd()) throw errors::malformedList();
            if (peek() == ')' || dotStandsAlone()) throw errors::misplacedDot();
            list.setTail(readExpression());
            skipBlanksAndComments();
            if (atEnd()) throw errors::malformedList();
            if (peek() != ')') throw errors::extraCdrs();
            ++pos_;
            return list.result();
        }
        list.append(readExpression());
    }
}

Value Reader::readString()
{
    ++pos_;  // opening quote
    std::string text;
    while (!atEnd()) {
        char c = text_[pos_++];
        if (c == '"') return makeString(std::move(text));
        if (c != '\\') {
            text += c;
            continue;
        }
        if (atEnd()) break;
        char e = text_[pos_++];
        switch (e) {
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case 'r': text += '\r'; break;
        case 'e': text += '\x1b'; break;
        case '\\': text += '\\'; break;
        case '"': text += '"'; break;
        default:
            if (isOctalDigit(e)) {
                int code = e - '0';
                for (int i = 0; i < 2 && !atEnd() && isOctalDigit(peek()); ++i) code = code * 8 + (text_[pos_++] - '0');
                text += static_cast<char>(code & 0xff);
            } else {
                text += e;  // any other escaped character stands for itself
            }
        }
    }
    throw errors::malformedString();
}

Value Reader::readAtom()
{
    std::size_t start = pos_;
    while (!atEnd() && !isDelimiter(peek())) ++pos_;
    return parseAtom(text_.substr(start, pos_ - start));
}

Value readFirst(std::string_view text)
{
    Reader reader(text);
    Value value;
    if (!reader.next(value)) return Value();
    return value;
}

}  // namespace arx::lisp
