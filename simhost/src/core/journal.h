// journal.h - what a session shows: the readable transcript and the
// JSON-lines event log.
#pragma once

#include <cstdio>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace simhost {

// The readable transcript and the JSON-lines event log. Safe to use from
// any thread, so that a call from a stray thread can still be reported.
class Journal {
 public:
  Journal() = default;
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;
  ~Journal();
  void Say(const std::string& line);       // one transcript line
  void Emit(const nlohmann::json& event);  // one log event
  const std::string& Transcript() const { return transcript_; }
  const std::vector<std::string>& Events() const { return events_; }
  // Forgets the transcript and the events kept so far (the log file keeps
  // them), so that a long run in one session does not grow without end.
  void Forget() {
    transcript_.clear();
    events_.clear();
  }

  // Opens the log file now (truncating it); false with `error` when it
  // cannot be created. Otherwise it is opened at the first event.
  bool Open(std::string& error);
  // Whether an event could not be written to the log file.
  bool Failed() const { return logFailed_; }

  bool echo = true;
  std::string logPath;  // truncated at the first event of a session

 private:
  std::string transcript_;
  std::vector<std::string> events_;
  std::FILE* log_ = nullptr;
  bool logFailed_ = false;
  std::recursive_mutex mutex_;
};

}  // namespace simhost
