// layer_fixture.cpp - the shared fixture over the simulated host, and the
// module's life-cycle functions the layer calls (a plug-in defines them;
// here they only record).
#include "layer_fixture.h"

#include "c4d_tables.h"
#include "sim_host.h"

namespace layertest {

PluginLog& Plugin() {
  static PluginLog log;
  return log;
}

int Answer(int32_t action, void* p1, const void* p3) {
  return c4d_main(action, p1, nullptr, const_cast<void*>(p3));
}

int SendModuleMessage(uintptr_t p1) { return Answer(C4D_PL_MESSAGE, reinterpret_cast<void*>(p1)); }

std::string Text(const maxon::String& s) {
  std::string text(static_cast<size_t>(s.GetCStringLen()), '\0');
  s.GetCString(text.data(), static_cast<cinema::Int>(text.size()) + 1);
  return text;
}

std::string Text(const cinema::Filename& f) { return Text(f.GetString()); }

void HostLayer::TakeTables(const C4D_ServiceRoot& base) {
  tables = {*base.memory,  *base.container,    *base.string, *base.filename, *base.resource,
            *base.bitmap,  *base.registration, *base.dialog, *base.document, *base.command,
            *base.console, *base.prefs,        *base.system};
  root = base;
  root.memory = &tables.memory;
  root.container = &tables.container;
  root.string = &tables.string;
  root.filename = &tables.filename;
  root.resource = &tables.resource;
  root.bitmap = &tables.bitmap;
  root.registration = &tables.registration;
  root.dialog = &tables.dialog;
  root.document = &tables.document;
  root.command = &tables.command;
  root.console = &tables.console;
  root.prefs = &tables.prefs;
  root.system = &tables.system;
}

void HostLayer::SetUp() {
  hostsim::Start();
  hostsim::ResolveLogger(true);
  Plugin() = PluginLog();
  TakeTables(hostsim::MakeRoot());
  location = hostsim::HostPath("/plugins/Brevio");
}

void HostLayer::TearDown() {
  // The host lets go of the plug-in objects, then ends the module.
  hostsim::ReleaseRegistrations();
  while (inits > 0) End();
  for (const auto& [kind, count] : hostsim::LiveObjects())
    ADD_FAILURE() << count << " " << kind << " object(s) left behind";
  for (const std::string& misuse : hostsim::Misuses()) ADD_FAILURE() << "host misuse: " << misuse;
  // The tables lived in this fixture and the host; nothing may reach them after it.
  ForgetServiceTables();
  hostsim::Stop();
}

int HostLayer::Init() {
  const int answer = Answer(C4D_PL_INIT_SYS, &root, location);
  inits += answer == C4D_PL_OK;
  return answer;
}

void HostLayer::End() {
  EXPECT_EQ(Answer(C4D_PL_END), C4D_PL_OK);
  if (inits > 0) --inits;
}

}  // namespace layertest

// The module's life-cycle functions. Message 1 loads the module resource, as
// the plug-in does.
cinema::Bool cinema::PluginStart() {
  ++layertest::Plugin().starts;
  return layertest::Plugin().startAnswer;
}

cinema::Bool cinema::PluginMessage(Int32 id, void*) {
  switch (id) {
    case C4DMSG_PRIORITY:
      return true;
    case C4DPL_INIT_SYS:
      return g_resource.Init();
    default:
      return false;
  }
}

void cinema::PluginEnd() {
  layertest::PluginLog& log = layertest::Plugin();
  ++log.ends;
  log.pathAtEnd = layertest::Text(GeGetPluginPath());
  log.resourceAtEnd = g_resource.GetHostHandle() != nullptr;
}
