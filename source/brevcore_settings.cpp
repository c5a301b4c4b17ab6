// brevcore_settings.cpp - the settings record's defaults, and loading and
// saving it in the host's plug-in preferences.
#include "brevcore.h"
#include "brevcore_bindings.h"

BrevioSettings BrevioSettings::FactoryDefaults() {
  BrevioSettings s{};
  for (const ChoiceBinding& b : kChoiceBindings) s.*b.field = b.preset;
  for (const OptionBinding& b : kOptionBindings) s.*b.field = b.preset;
  return s;
}

void BrevioDialog::SetDefaultSettings() { settings = BrevioSettings::FactoryDefaults(); }

Bool BrevioDialog::LoadSettings() {
  const BaseContainer* stored = GetWorldPluginData(BREVIO_PLUGIN_ID);
  if (stored == nullptr) {
    WriteConsoleLine("Failed to load the Brevio settings."_s, BREVCORE_SOURCE, __LINE__);
    return false;
  }
  // A key missing from an older container falls back to its factory default.
  for (const ChoiceBinding& b : kChoiceBindings)
    settings.*b.field = stored->GetInt32(b.prefId, b.preset);
  for (const OptionBinding& b : kOptionBindings)
    settings.*b.field = stored->GetBool(b.prefId, b.preset);
  return true;
}

Bool BrevioDialog::SaveSettings() {
  BaseContainer bc;
  // Save exactly what the dialog shows, disabled gadgets included.
  ReadGadgets();
  for (const ChoiceBinding& b : kChoiceBindings) bc.SetInt32(b.prefId, settings.*b.field);
  for (const OptionBinding& b : kOptionBindings) bc.SetBool(b.prefId, settings.*b.field);

  const Bool saved = SetWorldPluginData(BREVIO_PLUGIN_ID, bc, false);
  if (!saved)
    GeOutString("Brevio: failed to save the plugin preferences correctly."_s,
                GEMB::OK | GEMB::ICONEXCLAMATION);
  return saved;
}
