// fake_fixture.cpp - the fixture over the accounting fake host, for the
// checks not yet run against the simulated host.
#include "c4d_tables.h"
#include "fake_host.h"
#include "layer_fixture.h"

namespace layertest {

void HostLayer::SetUp() {
  fake::Reset();
  fake::ResolveLogger(true);
  Plugin() = PluginLog();
  const C4D_ServiceRoot base = fake::MakeRoot();
  TakeTables(base);
  location = fake::HostPath("/plugins/Brevio");
}

void HostLayer::TearDown() {
  // The host lets go of the plug-in objects, then ends the module.
  fake::ReleaseRegistrations();
  while (inits > 0) End();
  for (const auto& [kind, count] : fake::LiveObjects())
    ADD_FAILURE() << count << " " << kind << " object(s) left behind";
  for (const std::string& fault : fake::Current().faults) ADD_FAILURE() << "host fault: " << fault;
  // The tables lived in this fixture; nothing may reach them after it.
  ForgetServiceTables();
  fake::Reset();
}

}  // namespace layertest
