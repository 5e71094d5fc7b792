// Where prompts get their answers: a stack of input sources. The bottom one is what the
// user types or the script being run; (command ...) and acedCommand push their arguments on
// top. When the top source runs dry (or answers PAUSE) the next one down is asked.
#pragma once
#include <array>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace arx::ed {

// A value handed to a prompt by (command ...) or acedCommand.
struct AnswerValue {
    short type = 0;  // RTSTR, RTSHORT, RTLONG, RTREAL, RTANG, RTPOINT, RT3DPOINT, RTENAME, RTPICKS
    std::string text;
    long integer = 0;
    double real = 0.0;
    std::array<double, 3> point{0.0, 0.0, 0.0};
    std::array<long, 2> name{0, 0};
};

struct Answer {
    enum class Kind { Text, Value, Cancel };
    Kind kind = Kind::Cancel;
    std::string text;  // for Text (an empty text is Enter)
    AnswerValue value;
    bool fromArguments = false;  // set by Input: the answer came from command arguments

    static Answer ofText(std::string t) { return Answer{Kind::Text, std::move(t), {}}; }
    static Answer cancel() { return Answer{}; }
    bool isEnter() const { return kind == Kind::Text && text.empty(); }
};

struct AnswerRequest {
    bool atCommandPrompt = false;  // an AutoLISP expression may be entered whole
    bool spacesAllowed = false;    // acedGetString(cronly = 1): only a line end ends the answer
};

class InputSource {
public:
    virtual ~InputSource() = default;
    // The next answer, or nullopt when this source has nothing more (the next one down is
    // asked then). Cancel ends the current command.
    virtual std::optional<Answer> next(const AnswerRequest& request) = 0;
    virtual bool isScript() const { return false; }
    virtual bool isArguments() const { return false; }
    virtual bool hasPending() const { return true; }
    // True when the next answer will come from here, now or once it is handed over.
    virtual bool answerComing() const { return hasPending(); }
};

// What the user types: one answer per line; an AutoLISP expression may span lines.
class TypedInput : public InputSource {
public:
    explicit TypedInput(std::istream& in) : in_(in) {}
    std::optional<Answer> next(const AnswerRequest& request) override;

private:
    std::istream& in_;
};

// A script: a space or a line end is Enter; an expression that starts with "(" is read whole.
class ScriptInput : public InputSource {
public:
    explicit ScriptInput(std::string text) : text_(std::move(text)) {}
    std::optional<Answer> next(const AnswerRequest& request) override;
    bool isScript() const override { return true; }
    bool finished() const { return pos_ >= text_.size(); }

private:
    std::string text_;
    size_t pos_ = 0;
};

// The arguments of one (command ...) or acedCommand call.
class ArgumentInput : public InputSource {
public:
    explicit ArgumentInput(std::vector<Answer> answers) : answers_(std::move(answers)) {}
    std::optional<Answer> next(const AnswerRequest& request) override;
    bool isArguments() const override { return true; }
    bool hasPending() const override { return pos_ < answers_.size(); }

private:
    std::vector<Answer> answers_;
    size_t pos_ = 0;
};

// Reads an AutoLISP expression from text starting at pos (which holds "("): returns its
// end (one past the closing parenthesis), or nullopt when it is not closed yet.
std::optional<size_t> endOfLispExpression(const std::string& text, size_t pos);

class Input {
public:
    static Input& instance();

    void push(InputSource* source);
    void pop(InputSource* source);
    // The next answer from the top-most source that has one; Cancel when none has.
    Answer next(const AnswerRequest& request);
    // The same, starting below the top-most source (PAUSE in command arguments).
    Answer nextBelowArguments(const AnswerRequest& request);
    // True when the answer will come from a script (CMDACTIVE bit 4).
    bool scriptActive() const;
    // True when the next answer will come from command arguments (their prompts and echoes
    // show only while CMDECHO is 1).
    bool answerFromArguments() const;

private:
    Answer nextFrom(size_t level, const AnswerRequest& request);
    std::vector<InputSource*> sources_;
};

// RAII: pushes a source for the life of the scope.
class InputScope {
public:
    explicit InputScope(InputSource* source) : source_(source) { Input::instance().push(source); }
    ~InputScope() { Input::instance().pop(source_); }
    InputScope(const InputScope&) = delete;
    InputScope& operator=(const InputScope&) = delete;

private:
    InputSource* source_;
};

}  // namespace arx::ed
