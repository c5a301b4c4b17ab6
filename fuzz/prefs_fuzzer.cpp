// prefs_fuzzer.cpp - Brevio started on stored preferences of any shape:
// wrong types under its 28 keys, keys missing, keys it does not know, no
// container at all, or a preferences file that is not one. The module must
// start, open its dialog and reset its settings without a crash, a leak or a
// misuse, and every field must hold what the loading rules say under the
// host's data model, where a boolean is a 32-bit integer: a choice (7000-
// 7004) takes a stored int32 unchanged and a stored bool as 0 or 1, an option
// (7005-7027) takes a stored bool, or an int32 as value != 0; a float, or no
// entry, gives the factory default; another plug-in's malformed
// entry beside Brevio's changes nothing of that. A file whose top-level
// fields have the wrong type (mode byte 0xF0 and above) is no preferences
// file: the host ignores it and Brevio shows its defaults.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "fuzz_support.h"

namespace {

using nlohmann::json;

constexpr int32_t kPluginId = 1027069;

// Preference key -> the gadget that shows the field, and the field's factory
// default (a choice id for the five choices, 0/1 for the 23 options).
struct Field {
  int32_t key;
  int32_t gadget;
  int32_t preset;
};
constexpr Field kChoices[] = {
    {7000, 10008, 6000}, {7001, 10009, 6010}, {7002, 10002, 6020},
    {7003, 10003, 6030}, {7004, 10004, 6041},
};
constexpr Field kOptions[] = {
    {7005, 10005, 0}, {7006, 10006, 0}, {7007, 10021, 0}, {7008, 10014, 0}, {7009, 10016, 0},
    {7010, 10015, 1}, {7011, 10018, 0}, {7012, 10020, 1}, {7013, 10022, 0}, {7014, 10019, 0},
    {7015, 10023, 1}, {7016, 10024, 0}, {7017, 10025, 0}, {7018, 10026, 0}, {7019, 10027, 1},
    {7020, 10028, 0}, {7021, 10030, 0}, {7022, 10029, 0}, {7023, 10031, 0}, {7024, 10017, 0},
    {7025, 10007, 0}, {7026, 10012, 1}, {7027, 10013, 0},
};

// One stored entry in the preferences file's typed form.
json Entry(brevio_fuzz::Input& in) {
  switch (in.Below(3)) {
    case 0:
      return {{"int32", in.Int32()}};
    case 1:
      return {{"bool", in.Byte() % 2 == 1}};
    default: {
      const double v = static_cast<double>(in.Int32()) / (1 + in.Byte());
      return {{"float", std::isfinite(v) ? v : 0.0}};
    }
  }
}

// The value a field must hold after loading `stored` (null: nothing stored).
json Expected(const json& stored, const Field& f, bool choice) {
  const std::string key = std::to_string(f.key);
  if (stored.is_object() && stored.contains(key)) {
    const json& e = stored[key];
    if (e.contains("int32")) return choice ? e["int32"] : json(e["int32"].get<int32_t>() != 0);
    if (e.contains("bool")) return choice ? json(e["bool"].get<bool>() ? 1 : 0) : e["bool"];
  }
  return choice ? json(f.preset) : json(f.preset != 0);
}

void CheckDialog(const json& dialog, const json& stored, const std::string& context) {
  if (!dialog.value("open", false)) brevio_fuzz::Fail("the dialog is not open", context);
  std::map<int32_t, json> values;
  for (const auto& g : dialog["gadgets"]) values[g["id"].get<int32_t>()] = g["value"];
  for (bool choice : {true, false}) {
    const Field* fields = choice ? kChoices : kOptions;
    const size_t count = choice ? std::size(kChoices) : std::size(kOptions);
    for (size_t i = 0; i < count; ++i) {
      const json want = Expected(stored, fields[i], choice);
      const json have = values.count(fields[i].gadget) ? values[fields[i].gadget] : json();
      if (have != want)
        brevio_fuzz::Fail("gadget " + std::to_string(fields[i].gadget) + " (key " +
                              std::to_string(fields[i].key) + ") shows " + have.dump() +
                              ", expected " + want.dump(),
                          context);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brevio_fuzz::Input in(data, size);
  const auto& dir = brevio_fuzz::ScratchDir("prefs");
  const auto prefs = dir / "prefs";
  std::error_code ec;
  std::filesystem::remove_all(prefs, ec);

  const uint8_t raw = in.Byte();
  const uint8_t mode = raw % 8;
  const bool otherMalformed = (raw / 8) % 2 == 1;
  json stored;  // what the container holds; null when none is stored
  std::string file;
  if (raw >= 0xF0) {
    // The top-level fields in every type, at least one of them wrong.
    const json formats[] = {1,
                            nullptr,
                            "x",
                            true,
                            json::array(),
                            json::object(),
                            "simhost world plug-in preferences 1"};
    const json plugins[] = {1, nullptr, "x", json::array(), json::object()};
    json top = {{"format", in.Pick(formats)}, {"plugins", in.Pick(plugins)}};
    if (top["format"].is_string() && top["format"] != "x" && top["plugins"].is_object())
      top["format"] = nullptr;
    if (in.Byte() % 2 == 1) top.erase(in.Byte() % 2 == 1 ? "format" : "plugins");
    file = top.dump();
  } else if (mode == 0) {
    // Not necessarily a preferences file at all: the host must cope.
    file = in.Rest();
  } else {
    json plugins = json::object();
    if (mode != 1) {
      stored = json::object();
      while (!in.Empty()) {
        int32_t key = 0;
        const uint8_t which = in.Byte();
        if (which < 200)
          key = 7000 + which % 28;
        else if (which < 230)
          key = 6990 + which % 50;  // near the range, outside it
        else
          key = in.Int32();
        stored[std::to_string(key)] = Entry(in);
      }
      plugins[std::to_string(kPluginId)] = {{"id", in.Int32()}, {"data", stored}};
    }
    // Another plug-in's container beside Brevio's is not Brevio's business,
    // nor is a malformed one.
    plugins["1000001"] = {{"data", {{"7000", {{"int32", 6002}}}}}};
    if (otherMalformed) plugins["1000002"] = {{"id", 5000000000LL}, {"data", {{"1", "x"}}}};
    file = json{{"format", "simhost world plug-in preferences 1"}, {"plugins", plugins}}.dump();
  }
  brevio_fuzz::WriteFile(prefs / "world_plugin_data.json", file);

  simhost::Options options;
  options.prefsDir = prefs.string();
  options.pluginDirs = {BREVIO_PLUGINS_DIR};
  options.echo = false;
  const simhost::Result result = simhost::RunSession(
      options, "command 1027069\nshow dialog\nmenu 5050\nshow dialog\nclick 10033\n");
  const std::string context =
      "preferences file:\n" + file + "\n\ntranscript:\n" + result.transcript;
  if (result.exitCode != 0) brevio_fuzz::Fail("the session did not end cleanly", context);
  if (mode == 0 && raw < 0xF0) return 0;  // what the host made of the text is its own affair

  int dialogs = 0;
  for (const std::string& line : result.events) {
    const json e = json::parse(line);
    if (e.value("event", "") != "dialog") continue;
    ++dialogs;
    CheckDialog(e, stored, context);
  }
  if (dialogs != 2) brevio_fuzz::Fail("expected two dialog events", context);
  size_t notFound = 0;
  for (const std::string& line : result.console)
    notFound += line == "Failed to load the Brevio settings.";
  // Nothing stored: once at the start, once more at the reset.
  if (notFound != (stored.is_null() ? 2u : 0u))
    brevio_fuzz::Fail("the settings line appeared " + std::to_string(notFound) + " times", context);
  return 0;
}
