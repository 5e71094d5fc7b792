#include "ut/wcmatch.h"

#include <string>
#include <utility>
#include <vector>

#include "acutads.h"

namespace arx::ut {

namespace {

bool isDigitChar(unsigned char c) { return c >= '0' && c <= '9'; }
bool isLetterChar(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

struct Token {
    enum Kind { Literal, Digit, Letter, NonAlphanumeric, AnyOne, AnySequence, Set };
    explicit Token(Kind k, char c = 0) : kind(k), literal(c) {}

    Kind kind;
    char literal;
    bool negated = false;                                         // [~...]
    std::vector<std::pair<unsigned char, unsigned char>> ranges;  // [...]

    bool matches(char c) const
    {
        auto code = static_cast<unsigned char>(c);
        switch (kind) {
        case Literal: return c == literal;
        case Digit: return isDigitChar(code);
        case Letter: return isLetterChar(code);
        case NonAlphanumeric: return !isDigitChar(code) && !isLetterChar(code);
        case AnyOne: return true;
        case AnySequence: return false;
        case Set: {
            bool inSet = false;
            for (auto [low, high] : ranges) inSet = inSet || (code >= low && code <= high);
            return inSet != negated;
        }
        }
        return false;
    }
};

struct Alternative {
    bool negated = false;  // a leading ~
    std::vector<Token> tokens;
};

// Where the bracket expression opened at `open` closes, or npos when it never does. A "]"
// right after "[" or "[~" belongs to the set; "`" escapes the next character.
std::size_t closingBracket(std::string_view pattern, std::size_t open)
{
    std::size_t i = open + 1;
    if (i < pattern.size() && pattern[i] == '~') ++i;
    if (i < pattern.size() && pattern[i] == ']') ++i;
    for (; i < pattern.size(); ++i) {
        if (pattern[i] == '`') {
            ++i;
            continue;
        }
        if (pattern[i] == ']') return i;
    }
    return std::string_view::npos;
}

Token parseSet(std::string_view body)
{
    Token set(Token::Set);
    std::size_t i = 0;
    if (i < body.size() && body[i] == '~') {
        set.negated = true;
        ++i;
    }
    std::vector<unsigned char> chars;
    std::vector<bool> escaped;
    for (; i < body.size(); ++i) {
        bool isEscape = body[i] == '`' && i + 1 < body.size();
        if (isEscape) ++i;
        chars.push_back(static_cast<unsigned char>(body[i]));
        escaped.push_back(isEscape);
    }
    for (std::size_t k = 0; k < chars.size(); ++k) {
        // a-z: a range when "-" stands between two characters
        if (k + 2 < chars.size() && chars[k + 1] == '-' && !escaped[k + 1]) {
            set.ranges.emplace_back(chars[k], chars[k + 2]);
            k += 2;
        } else {
            set.ranges.emplace_back(chars[k], chars[k]);
        }
    }
    return set;
}

std::vector<Alternative> compile(std::string_view pattern)
{
    std::vector<Alternative> alternatives(1);
    std::size_t i = 0;
    auto atStart = [&] { return alternatives.back().tokens.empty() && !alternatives.back().negated; };
    while (i < pattern.size()) {
        char c = pattern[i];
        auto& tokens = alternatives.back().tokens;
        if (c == ',') {
            alternatives.emplace_back();
            ++i;
        } else if (c == '~' && atStart()) {
            alternatives.back().negated = true;
            ++i;
        } else if (c == '`' && i + 1 < pattern.size()) {
            tokens.push_back(Token{Token::Literal, pattern[i + 1]});
            i += 2;
        } else if (c == '[') {
            std::size_t close = closingBracket(pattern, i);
            if (close == std::string_view::npos) {
                tokens.push_back(Token{Token::Literal, c});
                ++i;
            } else {
                tokens.push_back(parseSet(pattern.substr(i + 1, close - i - 1)));
                i = close + 1;
            }
        } else {
            switch (c) {
            case '#': tokens.push_back(Token{Token::Digit}); break;
            case '@': tokens.push_back(Token{Token::Letter}); break;
            case '.': tokens.push_back(Token{Token::NonAlphanumeric}); break;
            case '?': tokens.push_back(Token{Token::AnyOne}); break;
            case '*': tokens.push_back(Token{Token::AnySequence}); break;
            default: tokens.push_back(Token{Token::Literal, c}); break;
            }
            ++i;
        }
    }
    return alternatives;
}

// Each token but "*" takes exactly one character, so the classic single-backtrack scan is
// exact: on a mismatch, let the last "*" take one more character.
bool matchTokens(std::string_view text, const std::vector<Token>& tokens)
{
    std::size_t t = 0, p = 0;
    std::size_t starToken = std::string_view::npos, starText = 0;
    while (t < text.size()) {
        if (p < tokens.size() && tokens[p].kind == Token::AnySequence) {
            starToken = p++;
            starText = t;
        } else if (p < tokens.size() && tokens[p].matches(text[t])) {
            ++t;
            ++p;
        } else if (starToken != std::string_view::npos) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == Token::AnySequence) ++p;
    return p == tokens.size();
}

}  // namespace

bool wildcardMatch(std::string_view text, std::string_view pattern)
{
    for (const Alternative& alternative : compile(pattern))
        if (matchTokens(text, alternative.tokens) != alternative.negated) return true;
    return false;
}

}  // namespace arx::ut

int acutWcMatch(const char* string, const char* pattern)
{
    if (!string || !pattern) return RTERROR;
    return arx::ut::wildcardMatch(string, pattern) ? RTNORM : RTERROR;
}
