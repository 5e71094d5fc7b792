// Finds where one AutoLISP expression ends in text that arrives piece by piece: the script
// runner and the command line read an expression that starts with "(" whole, across lines,
// before it is evaluated. Only the extent is found here; reading is the reader's job.
#pragma once
#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace arx::lisp {

class ExpressionScanner {
public:
    enum class Step {
        Skipped,          // a blank or comment before the expression; not part of it
        Consumed,         // part of the expression, which goes on
        Complete,         // this character ends the expression
        CompleteBefore,   // the expression (an atom) ended just before this character
        ExtraRightParen,  // a ")" with no expression open
    };

    Step feed(char c);
    bool started() const { return started_; }
    // True when the text so far holds a whole atom that only waits for a delimiter.
    bool completeAtEnd() const { return inAtom_ && depth_ == 0; }

private:
    Step general(char c);
    Step inside() const { return started_ ? Step::Consumed : Step::Skipped; }

    int depth_ = 0;
    bool started_ = false;
    bool inString_ = false;
    bool escape_ = false;
    bool inAtom_ = false;
    bool afterSemicolon_ = false;
    bool inLineComment_ = false;
    bool inBlockComment_ = false;
    bool sawPipe_ = false;
};

enum class ScanResult {
    Complete,         // [begin, end) holds one whole expression
    Incomplete,       // the text ends inside the expression (more lines are needed)
    ExtraRightParen,  // [begin, end) is a stray ")"
    Empty,            // only blanks and comments from start on
};

struct ExpressionExtent {
    ScanResult result;
    std::size_t begin;
    std::size_t end;
};

// The first expression of text at or after start.
ExpressionExtent findExpression(std::string_view text, std::size_t start = 0);

// Reads exactly one expression from a stream and leaves the stream just after it (an atom is
// ended by the delimiter, which stays in the stream). Leading blanks and comments are dropped.
// At the end of input inside an expression the partial text is returned (evaluating it
// reports the host's syntax error); nullopt when no expression is left.
std::optional<std::string> readExpressionText(std::istream& in);

}  // namespace arx::lisp
