// sim_fixture.cpp - the fixture over the simulated host: each check starts
// with a fresh simhost host whose own tables the module gets, and ends with
// nothing left behind and no misuse reported.
#include "c4d_tables.h"
#include "layer_fixture.h"
#include "sim_host.h"

namespace layertest {

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

}  // namespace layertest
