// document_table.cpp - the document service table: documents, render
// settings, post effects, messages and parameter identifiers. Every handle is
// checked: nodes must be nodes of the active document, containers live,
// parameter identifiers created here and not yet freed.
#include <cinttypes>
#include <cstdio>

#include "core/offers.h"
#include "document/document_area.h"
#include "document/host_names.h"

namespace simhost {

namespace {

using nlohmann::json;

constexpr int32_t kFromIrrParameter = 28501;  // RDATA_FROMIRR
constexpr int32_t kButtonDataType = 8;

std::string Ptr(const void* p) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%p", p);
  return buf;
}

const char* NodeKind(const Node& n) { return n.IsRenderData() ? "renderdata" : "effect"; }

// "renderdata" / "VPhair (1017325) #2" for the transcript.
std::string NodeText(const Node& n) {
  return n.IsRenderData() ? "renderdata"
                          : DescribeEffect(n.type) + " #" + std::to_string(n.index + 1);
}

json NodeEvent(const char* event, const Node& n) {
  json e = {{"event", event}, {"node", NodeKind(n)}, {"nodeType", n.type}};
  if (!n.IsRenderData()) e["index"] = n.index;
  return e;
}

// Checks a node handle; reports misuse and answers NULL when it is not live.
Node* CheckNode(DocumentArea& area, const char* call, const C4D_Node* handle) {
  Node* n = area.LiveNode(handle);
  if (!n)
    Current()->Misuse(
        Rule::LiveHandle, call,
        handle ? "node " + Ptr(handle) + " is not a node of the active document" : "node is NULL");
  return n;
}

DescIdObj* CheckDescId(const char* call, const C4D_DescID* handle) {
  Host& host = *Current();
  if (!handle || !host.ledger.Has(kDescIdKind, handle)) {
    host.Misuse(Rule::LiveHandle, call,
                handle ? "parameter identifier " + Ptr(handle) + " is not live"
                       : "parameter identifier is NULL");
    return nullptr;
  }
  return kDescIdKind.From(handle);
}

bool CheckContainer(const char* call, const char* what, const C4D_Container* c) {
  Host& host = *Current();
  if (c && host.Known(kContainerKind, c)) return true;
  host.Misuse(Rule::LiveHandle, call,
              std::string(what) + (c ? " " + Ptr(c) + " is not a live container" : " is NULL"));
  return false;
}

json LevelsJson(const DescIdObj& d) {
  json levels = json::array();
  for (const auto& l : d.levels) levels.push_back({l[0], l[1], l[2]});
  return levels;
}

json ContainerJson(const C4D_Container* c) {
  const Container* bc = AsContainer(c);
  return {{"id", bc->id}, {"entries", ToTypedJson(*bc)}};
}

// ---- documents and nodes ----------------------------------------------------

C4D_Document* GetActiveDocument() {
  DocumentArea* area = EnterDocumentCall("Document.GetActiveDocument");
  return area && area->Active() ? ToHandle(area->Active()) : nullptr;
}

C4D_Node* GetActiveRenderData(C4D_Document* doc) {
  const char* call = "Document.GetActiveRenderData";
  DocumentArea* area = EnterDocumentCall(call);
  if (!area) return nullptr;
  if (!area->IsActiveDocument(doc)) {
    Current()->Misuse(
        Rule::ActiveDocument, call,
        doc ? "document " + Ptr(doc) + " is not the host's active document" : "document is NULL");
    return nullptr;
  }
  Node* rd = AsDocument(doc)->renderData.get();
  return rd ? ToHandle(rd) : nullptr;
}

C4D_Container* GetDataInstance(C4D_Node* node) {
  const char* call = "Document.GetDataInstance";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, node) : nullptr;
  return n ? ToHandle(&n->data) : nullptr;
}

C4D_Container* const* GetDataInstanceCell(C4D_Node* node) {
  const char* call = "Document.GetDataInstanceCell";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, node) : nullptr;
  if (n == nullptr) return nullptr;
  n->dataCell = ToHandle(&n->data);
  return &n->dataCell;
}

int32_t SetData(C4D_Node* node, const C4D_Container* bc, int32_t flags) {
  const char* call = "Document.SetData";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, node) : nullptr;
  if (!n || !CheckContainer(call, "container", bc)) return 0;
  Host& host = *Current();
  if (flags != 0 && flags != C4D_SETDATA_MERGE) {
    host.Misuse(Rule::Argument, call,
                "unknown flags " + std::to_string(flags) + " (0 replace, 1 merge)");
    return 0;
  }
  // Copy first: bc may be the node's own container.
  const std::map<int32_t, Value> entries = AsContainer(bc)->entries;
  bool merge = flags == C4D_SETDATA_MERGE;
  if (merge)
    for (const auto& [id, v] : entries) n->data.entries[id] = v;
  else
    n->data.entries = entries;

  json e = NodeEvent("setdata", *n);
  e["merge"] = merge;
  e["entries"] = entries.size();
  host.journal.Emit(e);
  host.journal.Say(NodeText(*n) + ": settings applied (" + (merge ? "merge" : "replace") + ", " +
                   std::to_string(entries.size()) + " entries)");
  return 1;
}

// Message 18 for the "from interactive render region" button: the region
// open in the document becomes the render region.
bool PressFromIrr(Node& rd, const DescIdObj& id, std::string& what) {
  const std::array<int32_t, 3> expected = {kFromIrrParameter, kButtonDataType, rd.type};
  if (!rd.IsRenderData() || id.levels.size() != 1 || id.levels[0] != expected) {
    what = "no parameter of this node: nothing done";
    return false;
  }
  const auto& region = rd.document->interactiveRegion;
  if (!region) {
    what = "RDATA_FROMIRR: no interactive render region is open, render region unchanged";
    return false;
  }
  for (int i = 0; i < 4; ++i)
    rd.data.entries[7005 + i] = Value{Value::Type::Int32, (*region)[i], 0};
  rd.data.entries[7004] = Value{Value::Type::Bool, 1, 0};
  what = "RDATA_FROMIRR: render region " + std::to_string((*region)[0]) + " " +
         std::to_string((*region)[1]) + " " + std::to_string((*region)[2]) + " " +
         std::to_string((*region)[3]) + " taken from the interactive render region, " +
         "RDATA_RENDERREGION on";
  return true;
}

int32_t SendMessage(C4D_Node* node, int32_t type, void* data) {
  const char* call = "Document.SendMessage";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, node) : nullptr;
  if (!n) return 0;
  Host& host = *Current();
  json e = NodeEvent("message", *n);
  e["type"] = type;
  std::string name = MessageName(type);
  std::string line =
      NodeText(*n) + ": message " + std::to_string(type) + (name.empty() ? "" : " " + name);

  if (type == C4D_MSG_DESCRIPTION_CHECKUPDATE || type == C4D_MSG_DESCRIPTION_COMMAND) {
    if (!data) {
      host.Misuse(Rule::Argument, call,
                  "message " + std::to_string(type) + " needs its data record, got NULL");
      return 0;
    }
  }

  if (type == C4D_MSG_DESCRIPTION_CHECKUPDATE) {
    const auto* rec = static_cast<const C4D_DescriptionCheckUpdate*>(data);
    if (rec->doc != ToHandle(n->document)) {
      host.Misuse(Rule::Argument, call,
                  "message 17: the record's document is not the node's document");
      return 0;
    }
    const DescIdObj* id = CheckDescId(call, rec->descid);
    if (!id) return 0;
    e["drawFlags"] = rec->drawFlags;
    e["descid"] = LevelsJson(*id);
    host.journal.Emit(e);
    host.journal.Say(line + " for " + e["descid"].dump() + ", draw flags " +
                     std::to_string(rec->drawFlags));
    return 1;
  }

  if (type == C4D_MSG_DESCRIPTION_COMMAND) {
    const auto* rec = static_cast<const C4D_DescriptionCommand*>(data);
    const DescIdObj* id = CheckDescId(call, rec->id);
    if (!id) return 0;
    if (rec->msg && !CheckContainer(call, "message 18: action container", rec->msg)) return 0;
    if (rec->container && !CheckContainer(call, "message 18: container", rec->container)) return 0;
    e["descid"] = LevelsJson(*id);
    e["parentDialog"] = rec->parentDialog != nullptr;
    e["action"] = rec->msg ? ContainerJson(rec->msg) : json(nullptr);
    e["customGui"] = rec->customGui != nullptr;
    e["container"] = rec->container ? ContainerJson(rec->container) : json(nullptr);
    std::string what;
    e["applied"] = PressFromIrr(*n, *id, what);
    host.journal.Emit(e);
    host.journal.Say(line + " for " + e["descid"].dump() + ": " + what);
    return 1;
  }

  e["data"] = data != nullptr;
  host.journal.Emit(e);
  host.journal.Say(line);
  return 1;
}

C4D_Node* GetFirstVideoPost(C4D_Node* renderData) {
  const char* call = "Document.GetFirstVideoPost";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, renderData) : nullptr;
  if (!n) return nullptr;
  if (!n->IsRenderData()) {
    Current()->Misuse(Rule::NodeKind, call, "node is a post effect, not render settings");
    return nullptr;
  }
  auto& list = n->document->effects;
  return list.empty() ? nullptr : ToHandle(list.front().get());
}

C4D_Node* GetNext(C4D_Node* node) {
  const char* call = "Document.GetNext";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, node) : nullptr;
  // The document has one render settings node, so it has no successor.
  if (!n || n->IsRenderData()) return nullptr;
  auto& list = n->document->effects;
  return n->index + 1 < list.size() ? ToHandle(list[n->index + 1].get()) : nullptr;
}

int32_t GetType(const C4D_Node* node) {
  const char* call = "Document.GetType";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, node) : nullptr;
  return n ? n->type : 0;
}

int32_t GetAllBits(const C4D_Node* node) {
  const char* call = "Document.GetAllBits";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, node) : nullptr;
  return n ? n->bits : 0;
}

void SetAllBits(C4D_Node* node, int32_t bits) {
  const char* call = "Document.SetAllBits";
  DocumentArea* area = EnterDocumentCall(call);
  Node* n = area ? CheckNode(*area, call, node) : nullptr;
  if (!n) return;
  Host& host = *Current();
  int32_t was = n->bits;
  n->bits = bits;
  json e = NodeEvent("bits", *n);
  e["bits"] = bits;
  e["was"] = was;
  host.journal.Emit(e);
  std::string what;
  if ((was ^ bits) & kBitDisabled)
    what = n->Enabled() ? "switched on" : "switched off";
  else
    what = "bits " + std::to_string(was) + " -> " + std::to_string(bits);
  host.journal.Say(NodeText(*n) + ": " + what);
}

// ---- parameter identifiers ----------------------------------------------------

C4D_DescID* DescIDCreate() {
  if (!EnterDocumentCall("Document.DescIDCreate")) return nullptr;
  Host& host = *Current();
  if (!host.AllowCreate(kDescIdKind)) return nullptr;
  auto* d = new DescIdObj;
  host.ledger.Add(kDescIdKind, d);
  return reinterpret_cast<C4D_DescID*>(d);
}

void DescIDFree(C4D_DescID* d) {
  const char* call = "Document.DescIDFree";
  if (!EnterDocumentCall(call) || !d) return;
  Host& host = *Current();
  if (!host.ledger.Remove(kDescIdKind, d)) {
    host.Misuse(Rule::LiveHandle, call,
                "parameter identifier " + Ptr(d) + " is not live (freed twice?)");
    return;
  }
}

void DescIDPushLevel(C4D_DescID* d, int32_t id, int32_t dtype, int32_t creator) {
  const char* call = "Document.DescIDPushLevel";
  if (!EnterDocumentCall(call)) return;
  if (DescIdObj* obj = CheckDescId(call, d)) obj->levels.push_back({id, dtype, creator});
}

void DescIDCopy(C4D_DescID* dst, const C4D_DescID* src) {
  const char* call = "Document.DescIDCopy";
  if (!EnterDocumentCall(call)) return;
  DescIdObj* to = CheckDescId(call, dst);
  const DescIdObj* from = to ? CheckDescId(call, src) : nullptr;
  if (to && from) to->levels = from->levels;
}

}  // namespace

namespace {

const C4D_DocumentTable* Table() {
  static const C4D_DocumentTable table = [] {
    C4D_DocumentTable t{};
    t.size = sizeof t;
    t.GetActiveDocument = GetActiveDocument;
    t.GetActiveRenderData = GetActiveRenderData;
    t.GetDataInstance = GetDataInstance;
    t.SetData = SetData;
    t.SendMessage = SendMessage;
    t.GetFirstVideoPost = GetFirstVideoPost;
    t.GetNext = GetNext;
    t.GetType = GetType;
    t.GetAllBits = GetAllBits;
    t.SetAllBits = SetAllBits;
    t.DescIDCreate = DescIDCreate;
    t.DescIDFree = DescIDFree;
    t.DescIDPushLevel = DescIDPushLevel;
    t.DescIDCopy = DescIDCopy;
    t.GetDataInstanceCell = GetDataInstanceCell;
    return t;
  }();
  return &table;
}

const Offer kOffer("document", &C4D_ServiceRoot::document, Table());

}  // namespace

}  // namespace simhost
