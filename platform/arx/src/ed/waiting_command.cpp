#include "ed/waiting_command.h"

#include <utility>

#include "adscodes.h"

namespace arx::ed {

std::optional<Answer> ContinuedArguments::next(const AnswerRequest& /*request*/) { return run_.take(); }

bool ContinuedArguments::hasPending() const { return run_.pending(); }

bool ContinuedArguments::answerComing() const { return run_.pending() || run_.waitsWhenDry(); }

CommandRun::~CommandRun()
{
    if (!thread_.joinable()) return;
    try {
        finish(WhenDry::Cancel);
    } catch (...) {
        // A failure of a run nobody waits for any more has no one to report to.
    }
    if (thread_.joinable()) thread_.join();
}

void CommandRun::start(std::vector<Answer> answers, std::function<int()> work)
{
    answers_ = std::move(answers);
    thread_ = std::thread([this, work = std::move(work)] {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            turn_.wait(lock, [this] { return runsNow_; });
        }
        int status = RTERROR;
        try {
            InputScope scope(&source_);
            status = work();
        } catch (...) {
            error_ = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(mutex_);
        status_ = status;
        finished_ = true;
        runsNow_ = false;
        turn_.notify_all();
    });
    letRun();
}

void CommandRun::goOn(std::vector<Answer> answers)
{
    answers_.insert(answers_.end(), std::make_move_iterator(answers.begin()), std::make_move_iterator(answers.end()));
    letRun();
}

void CommandRun::finish(WhenDry how)
{
    whenDry_ = how;
    if (!finished_) letRun();
}

void CommandRun::letRun()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (finished_) return;
    runsNow_ = true;
    turn_.notify_all();
    turn_.wait(lock, [this] { return !runsNow_; });
    lock.unlock();
    rethrow();
}

void CommandRun::rethrow()
{
    if (!finished_) return;
    if (thread_.joinable()) thread_.join();
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

std::optional<Answer> CommandRun::take()
{
    // Only the run's own thread waits here; anyone else asking passes on to the sources below.
    if (std::this_thread::get_id() != thread_.get_id()) {
        if (pending()) return answers_[pos_++];
        return std::nullopt;
    }
    for (;;) {
        if (pending()) return answers_[pos_++];
        if (whenDry_ == WhenDry::GiveWay) return std::nullopt;
        if (whenDry_ == WhenDry::Cancel) return Answer::cancel();
        std::unique_lock<std::mutex> lock(mutex_);
        runsNow_ = false;
        turn_.notify_all();
        turn_.wait(lock, [this] { return runsNow_; });
    }
}

}  // namespace arx::ed
