// A command started from acedCommand (or AutoLISP's command) arguments may outlive the call that
// started it: when the arguments run dry while the command still asks, the call returns and the
// command waits, still active, for the next call's arguments, as the real host runs it. Such a
// run has a thread of its own; the two threads take strict turns, so only one ever runs.
#pragma once
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "ed/input.h"

namespace arx::ed {

class CommandRun;

// The answers of one run: those of the call that started it and of every call that went on
// with it. Dry, it waits for the next call (only on the run's own thread), or gives way to the
// sources below it, or cancels, as the run was told.
class ContinuedArguments : public InputSource {
public:
    explicit ContinuedArguments(CommandRun& run) : run_(run) {}
    std::optional<Answer> next(const AnswerRequest& request) override;
    bool isArguments() const override { return true; }
    bool hasPending() const override;
    bool answerComing() const override;

private:
    CommandRun& run_;
};

class CommandRun {
public:
    enum class WhenDry { Wait, GiveWay, Cancel };

    // Where the run was started: the depth of the active command stack and of AutoLISP.
    CommandRun(size_t activeDepth, int lispDepth) : activeDepth_(activeDepth), lispDepth_(lispDepth) {}
    ~CommandRun();
    CommandRun(const CommandRun&) = delete;
    CommandRun& operator=(const CommandRun&) = delete;

    // Starts `work` (which reads the answers through source()) on the run's thread with the
    // first answers; returns when the work has finished or waits for more answers.
    void start(std::vector<Answer> answers, std::function<int()> work);
    // Hands more answers to the waiting work and returns when it finishes or waits again.
    void goOn(std::vector<Answer> answers);
    // Lets the waiting work finish, reading from the sources below or cancelled.
    void finish(WhenDry how);

    bool finished() const { return finished_; }
    int status() const { return status_; }
    size_t activeDepth() const { return activeDepth_; }
    int lispDepth() const { return lispDepth_; }
    InputSource* source() { return &source_; }

private:
    friend class ContinuedArguments;
    // On the run's thread: the next answer, waiting for one as the run says.
    std::optional<Answer> take();
    bool pending() const { return pos_ < answers_.size(); }
    bool waitsWhenDry() const { return whenDry_ == WhenDry::Wait; }
    // The caller's side of a turn: the run goes until it finishes or waits.
    void letRun();
    void rethrow();

    size_t activeDepth_;
    int lispDepth_;
    std::vector<Answer> answers_;
    size_t pos_ = 0;
    WhenDry whenDry_ = WhenDry::Wait;
    ContinuedArguments source_{*this};
    std::mutex mutex_;
    std::condition_variable turn_;
    bool runsNow_ = false;
    bool finished_ = false;
    int status_ = 0;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace arx::ed
