// main.cpp - the `simhost` program: one host session from the command line.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/host.h"
#include "core/offers.h"
#include "core/rules.h"
#include "platform/platform.h"
#include "simhost/simhost.h"

namespace {

void Usage(std::FILE* to) {
  std::fprintf(
      to,
      "usage: simhost [--plugins DIR]... [--prefs DIR] [--log FILE] [--seed N] [--quiet]\n"
      "               [--snapshot-on-open DIR] [SCRIPT | -]\n"
      "       simhost --list-rules\n"
      "\n"
      "Starts the simulated host with the modules of the plug-ins folders, acts out\n"
      "SCRIPT (one action per line; '-' reads it from standard input; none: just\n"
      "start and quit), quits and checks that nothing the plug-in created is left.\n"
      "\n"
      "  --plugins DIR  a plug-ins folder (repeatable; default %s)\n"
      "  --prefs DIR    where world plug-in preferences persist between runs\n"
      "  --log FILE     write the JSON-lines event log to FILE\n"
      "  --seed N       seed of anything randomised (printed when used)\n"
      "  --quiet        no transcript on standard output\n"
      "  --snapshot-on-open DIR\n"
      "                 write a picture DIR/NNN-TITLE.png of every window as it opens\n"
      "  --list-rules   print every rule the host checks, one JSON object a line\n"
      "                 ({\"rule\":ID,\"event\":\"misuse\"|\"leak\",\"text\":...}), and exit\n"
      "\n"
      "Exit code: 0 clean, 1 misuse, leak or a picture not written, 2 script error, 64 bad\n"
      "usage.\n"
      "\n"
      "Script actions:\n",
      BREVIO_PLUGINS_DIR);
  simhost::ActionRegistry registry;
  for (auto add : simhost::AllOffers().actions) add(registry);
  for (const auto& [name, usage] : registry.Usages()) std::fprintf(to, "  %s\n", usage.c_str());
}

// The rules table, machine-readable: one JSON object a line, keys in a fixed
// order, "rule" as in the event log.
void ListRules() {
  for (const simhost::RuleInfo& rule : simhost::kRules) {
    nlohmann::ordered_json line;
    line["rule"] = rule.id;
    line["event"] = rule.event;
    line["text"] = rule.text;
    std::printf("%s\n", line.dump().c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  simhost::Options options;
  std::string scriptPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const char* name) -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "simhost: %s needs a value\n", name);
        std::exit(64);
      }
      return argv[++i];
    };
    if (arg == "--plugins") {
      options.pluginDirs.push_back(value("--plugins"));
    } else if (arg == "--prefs") {
      options.prefsDir = value("--prefs");
    } else if (arg == "--log") {
      options.logPath = value("--log");
    } else if (arg == "--seed") {
      const char* text = value("--seed");
      char* end = nullptr;
      errno = 0;
      const unsigned long long seed = std::strtoull(text, &end, 10);
      if (*text == '\0' || *text == '-' || *end != '\0' || errno != 0) {
        std::fprintf(stderr, "simhost: --seed needs a whole number, not \"%s\"\n", text);
        return 64;
      }
      options.seed = seed;
    } else if (arg == "--snapshot-on-open") {
      options.snapshotDir = value("--snapshot-on-open");
    } else if (arg == "--quiet") {
      options.echo = false;
    } else if (arg == "--list-rules") {
      ListRules();
      return 0;
    } else if (arg == "-h" || arg == "--help") {
      Usage(stdout);
      return 0;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      std::fprintf(stderr, "simhost: unknown option %s\n\n", arg.c_str());
      Usage(stderr);
      return 64;
    } else if (!scriptPath.empty()) {
      std::fprintf(stderr, "simhost: only one script can be given\n");
      return 64;
    } else {
      scriptPath = arg;
    }
  }
  if (options.pluginDirs.empty()) options.pluginDirs.push_back(BREVIO_PLUGINS_DIR);

  if (!options.logPath.empty()) {
    // Refused before the host starts, as any other bad argument.
    std::string error;
    std::FILE* log = simhost::platform::OpenLogFile(options.logPath, true, error);
    if (log == nullptr) {
      std::fprintf(stderr, "simhost: %s\n", error.c_str());
      return 64;
    }
    std::fclose(log);
  }

  std::string script;
  if (scriptPath == "-") {
    std::string error;
    if (!simhost::platform::ReadStandardInput(script, error)) {
      std::fprintf(stderr, "simhost: cannot read the script from standard input: %s\n",
                   error.c_str());
      return 64;
    }
  } else if (!scriptPath.empty()) {
    // A script named by its path is a regular file (or the null device, an
    // empty script); a pipe comes in as '-'.
    std::string error;
    if (!simhost::platform::IsNullDevice(scriptPath) &&
        !simhost::platform::ReadRegularFile(scriptPath, script, error)) {
      std::fprintf(stderr, "simhost: the script %s: %s\n", scriptPath.c_str(), error.c_str());
      return 64;
    }
  }
  return simhost::RunSession(options, script).exitCode;
}
