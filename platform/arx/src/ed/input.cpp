#include "ed/input.h"

#include <algorithm>

#include "ed/console.h"

namespace arx::ed {

std::optional<size_t> endOfLispExpression(const std::string& text, size_t pos)
{
    int depth = 0;
    bool inString = false;
    for (size_t i = pos; i < text.size(); ++i) {
        char c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') inString = true;
        else if (c == ';') {
            while (i < text.size() && text[i] != '\n') ++i;
        } else if (c == '(') ++depth;
        else if (c == ')' && --depth == 0) return i + 1;
    }
    return std::nullopt;
}

namespace {

void stripLineEnd(std::string& line)
{
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

bool startsExpression(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    return first != std::string::npos && text[first] == '(';
}

}  // namespace

std::optional<Answer> TypedInput::next(const AnswerRequest& request)
{
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    stripLineEnd(line);
    line = utf8ToAnsi(line);
    if (request.atCommandPrompt && startsExpression(line)) {
        // An expression typed over several lines is read until its parentheses close.
        size_t start = line.find('(');
        while (!endOfLispExpression(line, start)) {
            std::string more;
            if (!std::getline(in_, more)) break;
            stripLineEnd(more);
            line += '\n';
            line += utf8ToAnsi(more);
        }
        return Answer::ofText(line.substr(start));
    }
    return Answer::ofText(line);
}

std::optional<Answer> ScriptInput::next(const AnswerRequest& request)
{
    if (pos_ >= text_.size()) return std::nullopt;
    if (text_[pos_] == '(') {
        auto end = endOfLispExpression(text_, pos_);
        size_t stop = end ? *end : text_.size();
        std::string expression = text_.substr(pos_, stop - pos_);
        pos_ = stop;
        // The blank or line end that closes the expression belongs to it.
        if (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n')) ++pos_;
        else if (pos_ + 1 < text_.size() && text_[pos_] == '\r' && text_[pos_ + 1] == '\n') pos_ += 2;
        return Answer::ofText(expression);
    }
    size_t stop = pos_;
    while (stop < text_.size() && text_[stop] != '\n' && text_[stop] != '\r' &&
           (request.spacesAllowed || text_[stop] != ' '))
        ++stop;
    std::string token = text_.substr(pos_, stop - pos_);
    pos_ = stop;
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size()) ++pos_;  // the separator itself is the Enter
    return Answer::ofText(token);
}

std::optional<Answer> ArgumentInput::next(const AnswerRequest&)
{
    if (pos_ >= answers_.size()) return std::nullopt;
    return answers_[pos_++];
}

Input& Input::instance()
{
    static Input input;
    return input;
}

void Input::push(InputSource* source) { sources_.push_back(source); }

void Input::pop(InputSource* source)
{
    auto it = std::find(sources_.rbegin(), sources_.rend(), source);
    if (it != sources_.rend()) sources_.erase(std::next(it).base());
}

Answer Input::nextFrom(size_t level, const AnswerRequest& request)
{
    for (size_t i = level; i-- > 0;) {
        if (auto answer = sources_[i]->next(request)) {
            answer->fromArguments = sources_[i]->isArguments();
            return *answer;
        }
    }
    return Answer::cancel();
}

Answer Input::next(const AnswerRequest& request) { return nextFrom(sources_.size(), request); }

Answer Input::nextBelowArguments(const AnswerRequest& request)
{
    size_t level = sources_.size();
    while (level > 0 && sources_[level - 1]->isArguments()) --level;
    return nextFrom(level, request);
}

bool Input::scriptActive() const
{
    for (size_t i = sources_.size(); i-- > 0;)
        if (!sources_[i]->isArguments()) return sources_[i]->isScript();
    return false;
}

bool Input::answerFromArguments() const
{
    for (size_t i = sources_.size(); i-- > 0;)
        if (sources_[i]->answerComing()) return sources_[i]->isArguments();
    return false;
}

}  // namespace arx::ed
