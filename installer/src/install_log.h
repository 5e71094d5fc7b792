// RegKestra's two log files, both opened for appending:
// - "RegKestra.log" in the program's folder, else in the temporary folder, else none: the
//   date header and one message for how the run ended;
// - "TEMPTXT.log" in the program's folder, else none: a trace of every registry value written.
#pragma once

#include <cstdio>
#include <string>

namespace regkestra {

class InstallLog {
 public:
  explicit InstallLog(const std::string& programFolder);
  ~InstallLog();  // closes both files
  InstallLog(const InstallLog&) = delete;
  InstallLog& operator=(const InstallLog&) = delete;

  // "MM/DD/YY -- HH:MM:SS \n\n" in local time.
  void writeHeader();
  void message(const std::string& text);

  void traceDword(const std::string& keyPath, const std::string& valueName, unsigned value);
  void traceString(const std::string& keyPath, const std::string& valueName,
                   const std::string& value);

 private:
  void trace(const std::string& text);

  FILE* log_ = nullptr;
  FILE* trace_ = nullptr;
};

}  // namespace regkestra
