// The prompt cycle shared by every acedGet... call: print the prompt, take an answer, echo
// it, parse it, and ask again when it does not fit.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "ed/input.h"
#include "ed/keywords.h"

namespace arx::ed {

// The input controls set by acedInitGet for the next prompt only.
struct InitGetState {
    int bits = 0;
    KeywordList keywords;
};

class Prompts {
public:
    static Prompts& instance();

    void initGet(int bits, const char* keywords);
    // Takes the controls for this prompt and clears them for the next one.
    InitGetState take();

    // Prints the prompt when it will be seen (not for command arguments under CMDECHO 0).
    void showPrompt(const char* prompt);
    // Reads one answer for a prompt already shown, echoing it.
    Answer read(const AnswerRequest& request);
    // Prints a re-prompt message such as "Invalid option keyword.".
    void complain(const char* message);

    void setLastKeyword(std::string keyword) { lastKeyword_ = std::move(keyword); }
    const std::string& lastKeyword() const { return lastKeyword_; }
    // Counts cancelled prompts, so the command processor can tell a cancelled command.
    unsigned cancelCount() const { return cancelCount_; }
    void noteCancel();

private:
    InitGetState pending_;
    std::string lastKeyword_;
    bool echoNext_ = true;
    unsigned cancelCount_ = 0;
};

// The host's own question for a text such as a file name: blanks allowed, no length limit
// (acedGetString keeps to the ADS limit of 132 characters). nullopt when cancelled.
std::optional<std::string> askHostText(const char* prompt);

// The text an argument value shows when echoed.
std::string answerText(const Answer& answer);

}  // namespace arx::ed
