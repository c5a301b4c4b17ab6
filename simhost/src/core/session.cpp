// session.cpp - one host session: start the host, act out script lines as
// the user, quit, and answer what happened.
#include <cstdio>

#include "core/core.h"
#include "core/script.h"
#include "simhost/simhost.h"

namespace simhost {

struct Session::State {
  Host host;
  CurrentScope scope{host};
  int line = 0;            // lines acted so far
  bool scriptOk = true;    // no faulty line yet
  bool quitShown = false;  // the lines after `quit` were reported
  bool finished = false;
  std::string script;
  Result result;
};

Session::Session(const Options& options) : state_(std::make_unique<State>()) {
  Host& host = state_->host;
  host.options = options;
  host.journal.echo = options.echo;
  host.journal.logPath = options.logPath;
  host.Start();
}

Session::~Session() {
  if (!state_->finished) Finish();
}

bool Session::Act(const std::string& line, std::string* errorOut) {
  State& s = *state_;
  Host& host = s.host;
  const int number = ++s.line;
  s.script += line + "\n";
  std::string error;
  auto fail = [&](const std::string& text) {
    host.journal.Say("error: script line " + std::to_string(number) + ": " + text);
    host.journal.Emit({{"event", "error"}, {"line", number}, {"text", text}});
    s.scriptOk = false;
    if (errorOut != nullptr) *errorOut = text;
    return false;
  };
  std::vector<std::string> words;
  if (!SplitWords(line, words, error)) return fail(error);
  if (words.empty()) return true;
  if (host.quitRequested || s.finished) {
    if (!s.quitShown)
      host.journal.Say("simhost: the host has quit; script line " + std::to_string(number) +
                       " and the lines after it are not run");
    s.quitShown = true;
    if (errorOut != nullptr) *errorOut = "the host has quit";
    return false;
  }
  size_t consumed = 0;
  if (host.actions.Find(words, consumed) == nullptr)
    return fail("unknown action \"" + words[0] + "\"");
  std::string shown;
  for (const auto& w : words) shown += (shown.empty() ? "" : " ") + w;
  host.journal.Say("> " + shown);
  host.journal.Emit({{"event", "action"}, {"line", number}, {"text", shown}});
  if (!host.RunAction(words, error)) return fail(error);
  return true;
}

bool Session::Quit() const { return state_->host.quitRequested; }

const std::string& Session::Script() const { return state_->script; }

Host& Session::Internals() { return state_->host; }

const Result& Session::Finish() {
  State& s = *state_;
  if (s.finished) return s.result;
  s.finished = true;
  Host& host = s.host;
  host.Stop();
  if (host.journal.Failed())
    std::fprintf(stderr, "simhost: the event log %s was not written completely\n",
                 host.options.logPath.c_str());
  Result& result = s.result;
  result.exitCode =
      (!s.scriptOk || host.errored || host.journal.Failed()) ? 2 : (host.failed ? 1 : 0);
  host.journal.Say(result.exitCode == 0 ? "simhost: session ended cleanly"
                                        : "simhost: session FAILED (exit code " +
                                              std::to_string(result.exitCode) + ")");
  host.journal.Emit({{"event", "end"}, {"exit", result.exitCode}});
  result.transcript = host.journal.Transcript();
  result.events = host.journal.Events();
  result.console = host.consoleLines;
  return result;
}

Result RunSession(const Options& options, const std::string& script) {
  Session session(options);
  for (const std::string& line : ScriptLines(script))
    if (!session.Act(line)) break;
  return session.Finish();
}

}  // namespace simhost
