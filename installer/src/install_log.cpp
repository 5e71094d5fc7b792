#include "install_log.h"

#include <windows.h>

#include <ctime>
#include <vector>

namespace regkestra {
namespace {

constexpr const char* kLogName = "RegKestra.log";
constexpr const char* kTraceName = "TEMPTXT.log";

std::string temporaryFolder()
{
    const DWORD needed = GetTempPathA(0, nullptr);
    std::vector<char> folder(needed + 1);
    const DWORD length = GetTempPathA(static_cast<DWORD>(folder.size()), folder.data());
    return length == 0 || length >= folder.size() ? std::string() : std::string(folder.data(), length);
}

FILE* openForAppending(const std::string& path) { return std::fopen(path.c_str(), "a"); }

}  // namespace

InstallLog::InstallLog(const std::string& programFolder)
{
    log_ = openForAppending(programFolder + kLogName);
    if (log_ == nullptr) {
        const std::string temporary = temporaryFolder();
        if (!temporary.empty()) log_ = openForAppending(temporary + kLogName);
    }
    trace_ = openForAppending(programFolder + kTraceName);
}

InstallLog::~InstallLog()
{
    if (log_ != nullptr) {
        for (const Entry& entry : entries_) std::fputs(entry.text.c_str(), log_);
        std::fclose(log_);
    }
    if (trace_ != nullptr) {
        std::fputs(traceText_.c_str(), trace_);
        std::fclose(trace_);
    }
}

void InstallLog::writeHeader()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char header[64];
    std::strftime(header, sizeof header, "%m/%d/%y -- %H:%M:%S \n\n", &local);
    message(header);
}

void InstallLog::message(const std::string& text) { entries_.push_back(Entry{text, {}}); }

void InstallLog::outcome(bool succeeded, const std::string& successText, const std::string& failureText)
{
    entries_.push_back(succeeded ? Entry{successText, failureText} : Entry{failureText, {}});
}

void InstallLog::registryNotWritten()
{
    for (Entry& entry : entries_) {
        if (!entry.failureText.empty()) entry.text = std::move(entry.failureText);
    }
    traceText_.clear();
    message("Error -- The registry could not be written; nothing was installed.\n\n");
}

void InstallLog::trace(const std::string& text) { traceText_ += text; }

// The trace names the root by its number 2 (the machine root) and a number value by type 3.
void InstallLog::traceDword(const std::string& keyPath, const std::string& valueName, unsigned value)
{
    trace("RegDB Key: " + keyPath + "\n");
    trace(std::string("RegDB Val: ").append(std::to_string(value)).append("\n"));
    trace("RegDB Name: " + valueName + "\n");
    trace("RegDB Type: 3\n");
    trace("RegDB Root: 2\n");
}

void InstallLog::traceString(const std::string& keyPath, const std::string& valueName, const std::string& value)
{
    trace("RegDB Key: " + keyPath + "\n");
    trace("RegDB Val: " + value + "\n");
    trace("RegDB Name: " + valueName + "\n");
    trace("RegDB Root: 2\n");
}

}  // namespace regkestra
