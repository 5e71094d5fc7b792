// RegKestra's two log files, both opened for appending:
// - "RegKestra.log" in the program's folder, else in the temporary folder, else none: the
//   date header and one message for how the run ended;
// - "TEMPTXT.log" in the program's folder, else none: a trace of every registry value written.
// Both are kept in memory and written when the log is closed, after the registry changes of the
// run were written: a run that is killed part way has changed neither the registry nor the logs
// beyond creating them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace regkestra {

class InstallLog {
public:
    explicit InstallLog(const std::string& programFolder);
    ~InstallLog();  // writes and closes both files
    InstallLog(const InstallLog&) = delete;
    InstallLog& operator=(const InstallLog&) = delete;

    // "MM/DD/YY -- HH:MM:SS \n\n" in local time.
    void writeHeader();
    void message(const std::string& text);

    void traceDword(const std::string& keyPath, const std::string& valueName, unsigned value);
    void traceString(const std::string& keyPath, const std::string& valueName, const std::string& value);

    // How a step that writes the registry ended: successText or failureText.
    void outcome(bool succeeded, const std::string& successText, const std::string& failureText);

    // The registry changes of the run were not written after all: every outcome is told as a
    // failure, the trace is dropped and the reason is added.
    void registryNotWritten();

private:
    void trace(const std::string& text);

    FILE* log_ = nullptr;
    FILE* trace_ = nullptr;
    struct Entry {
        std::string text;
        std::string failureText;  // for an outcome that succeeded: its text should it fail after all
    };
    std::vector<Entry> entries_;
    std::string traceText_;
};

}  // namespace regkestra
