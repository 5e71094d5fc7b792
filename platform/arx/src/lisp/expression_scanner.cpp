#include "lisp/expression_scanner.h"

#include "lisp/reader.h"

namespace arx::lisp {

ExpressionScanner::Step ExpressionScanner::feed(char c)
{
    if (inString_) {
        if (escape_) {
            escape_ = false;
        } else if (c == '\\') {
            escape_ = true;
        } else if (c == '"') {
            inString_ = false;
            if (depth_ == 0) return Step::Complete;
        }
        return Step::Consumed;
    }
    if (afterSemicolon_) {
        afterSemicolon_ = false;
        if (c == '|') {
            inBlockComment_ = true;
            sawPipe_ = false;
            return inside();
        }
        inLineComment_ = c != '\n';
        return inside();
    }
    if (inLineComment_) {
        if (c == '\n') inLineComment_ = false;
        return inside();
    }
    if (inBlockComment_) {
        if (sawPipe_ && c == ';') inBlockComment_ = false;
        sawPipe_ = c == '|';
        return inside();
    }
    if (inAtom_) {
        if (!isDelimiter(c)) return Step::Consumed;
        inAtom_ = false;
        if (depth_ == 0) return Step::CompleteBefore;
    }
    return general(c);
}

ExpressionScanner::Step ExpressionScanner::general(char c)
{
    if (isBlank(c)) return inside();
    switch (c) {
    case ';': afterSemicolon_ = true; return inside();
    case '(':
        started_ = true;
        ++depth_;
        return Step::Consumed;
    case ')':
        if (depth_ == 0) return Step::ExtraRightParen;
        return --depth_ == 0 ? Step::Complete : Step::Consumed;
    case '"':
        started_ = true;
        inString_ = true;
        return Step::Consumed;
    case '\'':
        started_ = true;  // the quoted expression that follows completes it
        return Step::Consumed;
    default:
        started_ = true;
        inAtom_ = true;
        return Step::Consumed;
    }
}

ExpressionExtent findExpression(std::string_view text, std::size_t start)
{
    ExpressionScanner scanner;
    std::size_t begin = text.size();
    for (std::size_t i = start; i < text.size(); ++i) {
        auto step = scanner.feed(text[i]);
        if (step == ExpressionScanner::Step::Skipped) continue;
        if (begin == text.size()) begin = i;
        switch (step) {
        case ExpressionScanner::Step::Complete: return {ScanResult::Complete, begin, i + 1};
        case ExpressionScanner::Step::CompleteBefore: return {ScanResult::Complete, begin, i};
        case ExpressionScanner::Step::ExtraRightParen: return {ScanResult::ExtraRightParen, begin, i + 1};
        default: break;
        }
    }
    if (!scanner.started()) return {ScanResult::Empty, text.size(), text.size()};
    if (scanner.completeAtEnd()) return {ScanResult::Complete, begin, text.size()};
    return {ScanResult::Incomplete, begin, text.size()};
}

std::optional<std::string> readExpressionText(std::istream& in)
{
    ExpressionScanner scanner;
    std::string text;
    for (int next = in.peek(); next != std::istream::traits_type::eof(); next = in.peek()) {
        char c = static_cast<char>(next);
        auto step = scanner.feed(c);
        if (step == ExpressionScanner::Step::CompleteBefore) return text;
        in.get();
        if (step == ExpressionScanner::Step::Skipped) continue;
        text += c;
        if (step == ExpressionScanner::Step::Complete || step == ExpressionScanner::Step::ExtraRightParen) return text;
    }
    in.clear(in.rdstate() & ~std::ios::failbit);
    if (!scanner.started()) return std::nullopt;
    return text;
}

}  // namespace arx::lisp
