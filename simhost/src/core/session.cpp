// session.cpp - one host session: start the host, act out the script line by
// line as the user, quit, and answer what happened.
#include <cstdio>
#include <exception>

#include "core/core.h"
#include "core/script.h"
#include "simhost/simhost.h"

namespace simhost {

namespace {

// Runs the script until its end, `quit`, or the first faulty line. Answers
// false after a faulty line (already reported).
bool RunScript(Host& host, const std::string& script) {
  const std::vector<std::string> lines = ScriptLines(script);
  for (size_t index = 0; index < lines.size(); ++index) {
    const int number = static_cast<int>(index + 1);
    std::vector<std::string> words;
    std::string error;
    auto fail = [&](const std::string& text) {
      host.journal.Say("error: script line " + std::to_string(number) + ": " + text);
      host.journal.Emit({{"event", "error"}, {"line", number}, {"text", text}});
      return false;
    };
    if (!SplitWords(lines[index], words, error)) return fail(error);
    if (words.empty()) continue;
    if (host.quitRequested) {
      host.journal.Say("simhost: the host has quit; script line " + std::to_string(number) +
                       " and the lines after it are not run");
      return true;
    }
    size_t consumed = 0;
    const ActionFn* action = host.actions.Find(words, consumed);
    if (action == nullptr) return fail("unknown action \"" + words[0] + "\"");
    std::vector<std::string> args(words.begin() + static_cast<std::ptrdiff_t>(consumed),
                                  words.end());
    std::string shown;
    for (const auto& w : words) shown += (shown.empty() ? "" : " ") + w;
    host.journal.Say("> " + shown);
    host.journal.Emit({{"event", "action"}, {"line", number}, {"text", shown}});
    bool done = false;
    try {
      done = (*action)(host, args, error);
    } catch (const std::exception& e) {
      // An action meeting input it did not foresee ends the script like any
      // faulty line; the host still quits properly (preferences written).
      error = std::string("the action failed: ") + e.what();
    }
    if (!done) return fail(error.empty() ? "the action failed" : error);
  }
  return true;
}

}  // namespace

Result RunSession(const Options& options, const std::string& script) {
  Host host;
  host.options = options;
  host.journal.echo = options.echo;
  host.journal.logPath = options.logPath;
  CurrentScope scope(host);

  host.areas.push_back(MakeResourceArea());
  host.areas.push_back(MakeDocumentArea());
  AddCoreActions(host.actions);
  AddDialogActions(host.actions);
  AddDocumentActions(host.actions);

  host.Start();
  const bool scriptOk = RunScript(host, script);
  host.Stop();

  Result result;
  if (host.journal.Failed()) {
    std::fprintf(stderr, "simhost: the event log %s was not written completely\n",
                 options.logPath.c_str());
  }
  result.exitCode =
      (!scriptOk || host.errored || host.journal.Failed()) ? 2 : (host.failed ? 1 : 0);
  host.journal.Say(result.exitCode == 0 ? "simhost: session ended cleanly"
                                        : "simhost: session FAILED (exit code " +
                                              std::to_string(result.exitCode) + ")");
  host.journal.Emit({{"event", "end"}, {"exit", result.exitCode}});
  result.transcript = host.journal.Transcript();
  result.events = host.journal.Events();
  result.console = host.consoleLines;
  return result;
}

}  // namespace simhost
