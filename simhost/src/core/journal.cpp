// journal.cpp - the transcript and the event log of a session.
#include "core/journal.h"

#include <cerrno>
#include <cstring>

#include "platform/platform.h"

namespace simhost {

Journal::~Journal() {
  if (log_ != nullptr) std::fclose(log_);
}

void Journal::Say(const std::string& line) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  transcript_ += line;
  transcript_ += '\n';
  if (echo) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
}

void Journal::Emit(const nlohmann::json& event) {
  // "event" first, for a reader scanning the log; invalid UTF-8 is replaced
  // instead of throwing, since texts come from the plug-in.
  nlohmann::ordered_json ordered = nlohmann::ordered_json::object();
  if (event.is_object() && event.contains("event")) ordered["event"] = event["event"];
  if (event.is_object())
    for (const auto& [key, value] : event.items())
      if (key != "event") ordered[key] = value;
  std::string text = ordered.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  events_.push_back(text);
  if (logPath.empty() || logFailed_) return;
  std::string error;
  if (log_ == nullptr && !Open(error)) {
    std::fprintf(stderr, "simhost: %s\n", error.c_str());
    return;
  }
  // A full disk (or /dev/full) shows at the flush: the log is then
  // incomplete, and the run cannot pass.
  if (std::fputs(text.c_str(), log_) < 0 || std::fputc('\n', log_) == EOF ||
      std::fflush(log_) != 0) {
    logFailed_ = true;
    std::fprintf(stderr, "simhost: cannot write the event log %s: %s\n", logPath.c_str(),
                 std::strerror(errno));
  }
}

bool Journal::Open(std::string& error) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (log_ != nullptr || logPath.empty()) return true;
  log_ = platform::OpenLogFile(logPath, false, error);
  if (log_ == nullptr) {
    logFailed_ = true;
    return false;
  }
  return true;
}

}  // namespace simhost
