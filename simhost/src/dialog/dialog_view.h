// dialog_view.h - how the host shows a dialog to the script: readable lines
// for the transcript and the {"event":"dialog",...} log event.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "dialog/dialog.h"

namespace simhost {

// The host's text of one of its commands placed in a dialog menu.
std::string HostCommandText(int32_t commandId);

// Readable lines: title and state, menus, then the gadgets by section.
std::vector<std::string> DescribeDialog(const DialogObj* dialog);
nlohmann::json DialogEvent(const DialogObj* dialog);

// "6001 \"Geometry\"" for a combo value, or "6099 (no such item)".
std::string ComboValueText(const Gadget& g, int32_t value);

}  // namespace simhost
