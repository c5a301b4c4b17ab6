// simhost.h - the simulated Cinema 4D host as a library: run one host session
// (load the plug-ins, act as the user from a script, shut down) and get back
// what happened. The `simhost` program, the tests, the fuzzers and the
// benchmarks all drive the host through it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace simhost {

// How the host is set up for one session. The defaults are a well-behaved
// Cinema 4D 2026; the other settings make a hostile or broken host.
struct Options {
  std::vector<std::string> pluginDirs;  // folders searched for <Name>/<Name>.<ext>
  std::string prefsDir;                 // where world plug-in preferences persist ("" = none kept)
  std::string logPath;                  // JSON-lines event log ("" = none)
  bool echo = true;                     // print the readable transcript to stdout
  std::string snapshotDir;              // a picture of every window as it opens ("" = none)

  int32_t apiVersion = 2026000;            // reported in the service root
  bool passModuleLocation = true;          // false: action 1 gets p3 = NULL
  bool passServiceRoot = true;             // false: action 1 gets p1 = NULL
  std::vector<std::string> missingTables;  // table names left NULL in the root ("dialog", ...)
  bool noDefaultLogger = false;            // the default-logger reference resolves to NULL
  bool refuseRegistration = false;         // RegisterPlugin answers false
  bool refusePrefsSave = false;            // SetWorldPluginData answers false
  int64_t failAllocationAt = -1;           // the Nth Alloc/Create call (0-based) fails; -1 never
  std::string failAllocationKind;          // restrict the failing count to one kind ("" = any)
  uint64_t seed = 0;                       // for anything randomised (printed when used)
};

// One JSON-lines event, as written to the log (one object per line).
struct Result {
  int exitCode = 0;                  // 0 success; non-zero: script error, leak or misuse
  std::string transcript;            // the readable transcript
  std::vector<std::string> events;   // the event log, one JSON object per element
  std::vector<std::string> console;  // console line texts, in order
};

class Host;  // the host's inside (simhost/src/core/host.h), for white-box callers

// One host session, driven a line at a time: the host starts when the
// session is made; Act runs one script line as the user; Finish quits (if
// the script did not), checks for leaks and answers what happened.
class Session {
 public:
  explicit Session(const Options& options);
  ~Session();  // finishes the session when Finish was not called
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs one script line (blank lines and comments do nothing). False when
  // the line is faulty or cannot be carried out: it is reported as an
  // `error` event with its line number, changes nothing, and makes the
  // session end with exit code 2; `error` (when given) gets the reason. Also
  // false, without a report, for any line after `quit`.
  bool Act(const std::string& line, std::string* error = nullptr);
  // Whether the `quit` action ran (later lines are not run).
  bool Quit() const;
  // Every line acted so far: a script that repeats the session.
  const std::string& Script() const;

  // Quits the host and answers what happened (once; later calls answer the
  // same result).
  const Result& Finish();

  // The running host itself, for tests and tools that look inside it.
  Host& Internals();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Runs a whole session: start the host, run `script` (one action per line,
// up to the first faulty one), then quit (if the script did not) and check
// for leaks.
Result RunSession(const Options& options, const std::string& script);

}  // namespace simhost
