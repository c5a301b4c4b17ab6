// bench_support.h - what the benchmarks and the instruction counter share:
// scenes of a chosen size, a started host with Brevio's dialog open, and the
// work one test render cannot do without, done directly on the host.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "brevio_testing/support.h"
#include "core/core.h"
#include "dialog/dialog_area.h"
#include "simhost/simhost.h"

namespace brevio_bench {

using nlohmann::json;

[[noreturn]] inline void Fail(const std::string& what, const std::string& transcript) {
  std::fprintf(stderr, "brevio_bench: %s\n%s\n", what.c_str(), transcript.c_str());
  std::abort();
}

// The effect types Brevio may switch off; with the factory settings it keeps
// global illumination (1021096) and switches the other ten off.
constexpr int32_t kKnownEffects[] = {1021096, 300001045, 1000970, 1001400, 1001401, 1001402,
                                     1001007, 1017325,   1001010, 1002008, 1001049};
constexpr int32_t kKeptEffect = 1021096;

inline bool SwitchedOff(int32_t type) {
  if (type == kKeptEffect) return false;
  for (int32_t known : kKnownEffects)
    if (known == type) return true;
  return false;
}

// A scene with `settings` render-setting entries (the ones a test render
// reads and writes first, then others) and `effects` post effects, all on:
// other types first, Brevio's eleven last, so that every lookup walks the
// whole list.
inline json MakeScene(int settings, int effects) {
  const int32_t read[] = {5002, 5008, 5009, 5016, 5300, 5401, 6018, 7004, 5070,
                          5021, 5052, 5064, 5069, 5076, 5202, 5604, 6016, 6017,
                          6019, 6020, 6021, 7005, 7006, 7007, 7008};
  json rs = json::object();
  for (int i = 0; i < settings; ++i) {
    if (i < static_cast<int>(std::size(read))) {
      const int32_t id = read[i];
      if (id == 5008 || id == 5009)
        rs[std::to_string(id)] = {{"float", id == 5008 ? 1920.0 : 1080.0}};
      else if (id == 5002 || id == 5016 || id == 5300 || id == 5070 || id >= 7005)
        rs[std::to_string(id)] = {{"int32", id == 5300 ? 0 : 1}};
      else
        rs[std::to_string(id)] = {{"bool", true}};
    } else {
      const int32_t id = 100000 + i;
      rs[std::to_string(id)] = i % 3 == 0   ? json{{"int32", i}}
                               : i % 3 == 1 ? json{{"bool", true}}
                                            : json{{"float", i * 0.5}};
    }
  }
  json list = json::array();
  const int known = effects < 11 ? effects : 11;
  for (int i = 0; i < effects - known; ++i) list.push_back({{"type", 2000000 + i}});
  for (int i = 0; i < known; ++i) list.push_back({{"type", kKnownEffects[i]}});
  return {{"render_settings", rs}, {"post_effects", list}};
}

// A started host with Brevio loaded, a scene of that size active and the
// dialog open with the factory settings.
class BrevioHost {
 public:
  BrevioHost(int settings, int effects) {
    const std::string scene =
        dir_ / ("scene-" + std::to_string(settings) + "-" + std::to_string(effects) + ".json");
    brevio_testing::WriteFile(scene, MakeScene(settings, effects).dump());
    simhost::Options options;
    options.pluginDirs = {BREVIO_PLUGINS_DIR};
    options.echo = false;
    session_ = std::make_unique<simhost::Session>(options);
    if (!session_->Act("document " + brevio_testing::Quoted(scene)) ||
        !session_->Act("command 1027069") || Dialog() == nullptr)
      Fail("the benchmark host did not come up", Host().journal.Transcript());
  }
  simhost::Host& Host() { return session_->Internals(); }
  simhost::DialogObj* Dialog() { return simhost::Dialogs(Host())->Front(); }

  // The user clicks Render: Brevio's whole test render, the host's render
  // command included.
  bool Click() { return simhost::Dialogs(Host())->SendCommand(Host(), Dialog(), 10032, false, 0); }
  // The host's render command alone (it records what it renders).
  void RenderCommand() { Host().Tables().command->CallCommand(12163, 0); }

  // What any test render must have the host do: copy the live render
  // settings twice, apply each copy once, and switch Brevio's ten effects off
  // and back on. `perType` false: one walk over the effects each way (the
  // least any implementation needs); true: one walk from the start of the
  // list for each of the eleven types each way, as Brevio's design has it
  // (no index, no effect kept across the render command).
  void Floor(bool perType = false) {
    const C4D_DocumentTable* doc = Host().Tables().document;
    const C4D_ContainerTable* bc = Host().Tables().container;
    C4D_Node* rd = doc->GetActiveRenderData(doc->GetActiveDocument());
    C4D_Container* live = doc->GetDataInstance(rd);
    C4D_Container* backup = bc->Create(-1);
    C4D_Container* working = bc->Create(-1);
    bc->CopyTo(live, backup);
    bc->CopyTo(live, working);
    SwitchEffects(doc, rd, perType, true);
    doc->SetData(rd, working, 1);
    SwitchEffects(doc, rd, perType, false);
    doc->SetData(rd, backup, 1);
    bc->Free(working);
    bc->Free(backup);
  }

  // The user closes the window, and runs the command that opens it.
  void CloseWindow() { simhost::Dialogs(Host())->UserClose(Host(), Dialog(), "its close box"); }
  bool OpenWindow() { return Host().ExecuteCommand(1027069) && Dialog() != nullptr; }

  // The transcript and events kept so far (a long run would grow them).
  void Forget() { Host().journal.Forget(); }
  bool Failed() { return Host().failed; }

 private:
  static void SwitchEffects(const C4D_DocumentTable* doc, C4D_Node* rd, bool perType, bool off) {
    auto flip = [&](C4D_Node* vp) {
      const int32_t bits = doc->GetAllBits(vp);
      doc->SetAllBits(vp, off ? bits | 4 : bits & ~4);
    };
    if (!perType) {
      for (C4D_Node* vp = doc->GetFirstVideoPost(rd); vp != nullptr; vp = doc->GetNext(vp))
        if (SwitchedOff(doc->GetType(vp))) flip(vp);
      return;
    }
    for (int32_t type : kKnownEffects) {
      C4D_Node* vp = doc->GetFirstVideoPost(rd);
      while (vp != nullptr && doc->GetType(vp) != type) vp = doc->GetNext(vp);
      if (vp != nullptr && SwitchedOff(type)) flip(vp);
    }
  }

  brevio_testing::TempDir dir_{"bench", true};
  std::unique_ptr<simhost::Session> session_;
};

// One whole host run with Brevio: load, declarations, resource, registration,
// settings, then quit and unload. With `brevio` false, the host alone.
inline int StartAndQuit(bool brevio) {
  simhost::Options options;
  if (brevio) options.pluginDirs = {BREVIO_PLUGINS_DIR};
  options.echo = false;
  return simhost::RunSession(options, "").exitCode;
}

}  // namespace brevio_bench
