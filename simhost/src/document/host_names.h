// host_names.h - the host's own names for render-setting ids, post-effect
// types and messages, for the readable transcript.
#pragma once

#include <cstdint>
#include <string>

#include "core/objects.h"
#include "document/document.h"

namespace simhost {

// "RDATA_XRES", or "" when the id has no documented name.
std::string RenderSettingName(int32_t id);
// "VPglobalillumination", or "" for an unknown type.
std::string EffectName(int32_t type);
// "MSG_UPDATE", or "".
std::string MessageName(int32_t type);

// "5008 RDATA_XRES" / "5099"; "VPhair (1017325)" / "effect 77".
std::string DescribeSetting(int32_t id);
std::string DescribeEffect(int32_t type);
// A value as text, with the meaning of a choice where the host documents it:
// "2 (best)", "1280", "true".
std::string DescribeValue(int32_t id, const Value& v);

// One line per entry: "  5002 RDATA_ANTIALIASING int32 1 (geometry)".
std::string ListSettings(const Container& c);
// One line per effect: "  1. VPglobalillumination (1021096) on".
std::string ListEffects(const Document& doc);
// What a render takes, in a few lines: output, quality, frames, what is off.
std::string RenderSummary(int32_t command, const Document& doc);

}  // namespace simhost
