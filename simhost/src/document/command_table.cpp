// command_table.cpp - host commands and the global update event. The two
// render commands record what a render would take at the moment of the call:
// the full render settings and every post effect's on/off state.
#include <algorithm>

#include "c4d_host_numbers.h"

#include "core/offers.h"
#include "document/document_area.h"
#include "document/host_names.h"

namespace simhost {

namespace {

using nlohmann::json;

constexpr int32_t kRenderInEditor = C4D_COMMAND_RENDER_VIEW;
constexpr int32_t kRenderToPictureViewer = C4D_COMMAND_RENDER_PICTUREVIEWER;

void Decline(Host& host, int32_t id, int32_t subId, const std::string& reason) {
  host.journal.Emit({{"event", "callcommand"},
                     {"id", id},
                     {"sub", subId},
                     {"result", "declined"},
                     {"reason", reason}});
  host.journal.Say("command " + std::to_string(id) + " declined: " + reason);
}

// While the render runs, a scene may have the host switch effects back on;
// the plug-in's restore must cope with finding them on.
void ReenableDuringRender(Host& host, Document& doc) {
  for (auto& e : doc.effects) {
    bool listed = doc.reenableAll || std::find(doc.reenableTypes.begin(), doc.reenableTypes.end(),
                                               e->type) != doc.reenableTypes.end();
    if (!listed || e->Enabled()) continue;
    int32_t was = e->bits;
    e->bits &= ~kBitDisabled;
    host.journal.Emit({{"event", "bits"},
                       {"node", "effect"},
                       {"nodeType", e->type},
                       {"index", e->index},
                       {"bits", e->bits},
                       {"was", was},
                       {"by", "render"}});
    host.journal.Say("  the render switched " + DescribeEffect(e->type) + " #" +
                     std::to_string(e->index + 1) + " back on");
  }
}

void Render(Host& host, int32_t id, int32_t subId) {
  Document* doc = host.AreaOf<DocumentArea>().Active();
  if (!doc) return Decline(host, id, subId, "no active document");
  if (!doc->renderData)
    return Decline(host, id, subId, "the active document has no render settings");
  host.journal.Emit({{"event", "callcommand"}, {"id", id}, {"sub", subId}, {"result", "render"}});
  host.journal.Emit({{"event", "render"},
                     {"command", id},
                     {"settings", doc->SettingsJson()},
                     {"effects", doc->EffectsJson()}});
  SayLines(host, RenderSummary(id, *doc));
  ReenableDuringRender(host, *doc);
}

void CallCommand(int32_t id, int32_t subId) {
  if (!EnterDocumentCall("Command.CallCommand")) return;
  Host& host = *Current();
  if (id == kRenderInEditor || id == kRenderToPictureViewer) return Render(host, id, subId);
  // Any other id is a registered plug-in command, or one this host lacks.
  if (!host.ExecuteCommand(id)) return Decline(host, id, subId, "no such command");
  host.journal.Emit({{"event", "callcommand"}, {"id", id}, {"sub", subId}, {"result", "executed"}});
}

void EventAdd(int32_t flags) {
  if (!EnterDocumentCall("Command.EventAdd")) return;
  Host& host = *Current();
  host.journal.Emit({{"event", "update"}, {"flags", flags}});
  host.journal.Say("update event" + std::string(flags == 0
                                                    ? " (EVENT::NONE)"
                                                    : " (flags " + std::to_string(flags) + ")"));
}

}  // namespace

namespace {

const C4D_CommandTable* Table() {
  static const C4D_CommandTable table = [] {
    C4D_CommandTable t{};
    t.size = sizeof t;
    t.CallCommand = CallCommand;
    t.EventAdd = EventAdd;
    return t;
  }();
  return &table;
}

const Offer kOffer("command", &C4D_ServiceRoot::command, Table());

}  // namespace

}  // namespace simhost
