// container_table.cpp - BaseContainer: typed values under 32-bit ids.
#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

constexpr const TypedKind<Container>& kKind = kContainerKind;

// The container behind a handle the plug-in passes, or NULL (misuse reported).
Container* Checked(const C4D_Container* c, const char* call) {
  return Enter(call, kKind, c).object;
}

// The container behind a handle the plug-in writes into, or NULL (misuse
// reported): a container lent read-only (stored preferences) is refused.
Container* Writable(C4D_Container* c, const char* call) {
  Container* bc = Checked(c, call);
  if (bc == nullptr) return nullptr;
  if (Current()->IsReadOnly(c)) {
    Current()->Misuse(Rule::LentReadOnly, call,
                      "writes into a container the host lends read-only (stored preferences: "
                      "store a copy through SetWorldPluginData)");
    return nullptr;
  }
  return bc;
}

C4D_Container* Create(int32_t id) {
  Host* host = Enter("Container.Create");
  if (host == nullptr || !host->AllowCreate(kKind)) return nullptr;
  auto* c = new Container;
  c->id = id;
  host->ledger.Add(kKind, c);
  return ToHandle(c);
}

void Free(C4D_Container* c) {
  Host* host = Enter("Container.Free");
  if (host != nullptr && host->CheckFree(kKind, c, "Container.Free")) host->ledger.Remove(kKind, c);
}

int32_t GetId(const C4D_Container* c) {
  const Container* bc = Checked(c, "Container.GetId");
  return bc == nullptr ? -1 : bc->id;
}

void CopyTo(const C4D_Container* src, C4D_Container* dst) {
  const Container* from = Checked(src, "Container.CopyTo (source)");
  Container* to = Writable(dst, "Container.CopyTo (destination)");
  if (from == nullptr || to == nullptr || from == to) return;
  *to = *from;
}

const Value* Find(const Container* bc, int32_t id, Value::Type type) {
  if (bc == nullptr) return nullptr;
  auto it = bc->entries.find(id);
  if (it == bc->entries.end() || it->second.type != type) return nullptr;
  return &it->second;
}

int32_t GetInt32(const C4D_Container* c, int32_t id, int32_t def) {
  const Value* v = Find(Checked(c, "Container.GetInt32"), id, Value::Type::Int32);
  return v == nullptr ? def : v->i;
}

int32_t GetBool(const C4D_Container* c, int32_t id, int32_t def) {
  const Value* v = Find(Checked(c, "Container.GetBool"), id, Value::Type::Bool);
  return v == nullptr ? def : v->i;
}

double GetFloat(const C4D_Container* c, int32_t id, double def) {
  const Value* v = Find(Checked(c, "Container.GetFloat"), id, Value::Type::Float);
  return v == nullptr ? def : v->f;
}

void Set(C4D_Container* c, int32_t id, const Value& value, const char* call) {
  if (Container* bc = Writable(c, call)) bc->entries[id] = value;
}

void SetInt32(C4D_Container* c, int32_t id, int32_t value) {
  Value v;
  v.type = Value::Type::Int32;
  v.i = value;
  Set(c, id, v, "Container.SetInt32");
}

void SetBool(C4D_Container* c, int32_t id, int32_t value) {
  Value v;
  v.type = Value::Type::Bool;
  v.i = value != 0 ? 1 : 0;
  Set(c, id, v, "Container.SetBool");
}

void SetFloat(C4D_Container* c, int32_t id, double value) {
  Value v;
  v.type = Value::Type::Float;
  v.f = value;
  Set(c, id, v, "Container.SetFloat");
}

}  // namespace

namespace {

const C4D_ContainerTable* Table() {
  static const C4D_ContainerTable table = {sizeof(C4D_ContainerTable),
                                           Create,
                                           Free,
                                           GetId,
                                           CopyTo,
                                           GetInt32,
                                           GetBool,
                                           GetFloat,
                                           SetInt32,
                                           SetBool,
                                           SetFloat};
  return &table;
}

const Offer kOffer("container", &C4D_ServiceRoot::container, Table());

}  // namespace

}  // namespace simhost
