// c4d_basecontainer.cpp - BaseContainer.
#include "c4d_basecontainer.h"

#include "c4d_tables.h"

namespace cinema {

namespace {
const C4D_ContainerTable* Table() { return HostTables().container; }

C4D_Container* Create(Int32 id) {
  const C4D_ContainerTable* t = Table();
  return HOST_HAS(t, Create) && HOST_HAS(t, Free) ? t->Create(id) : nullptr;
}
}  // namespace

BaseContainer::BaseContainer() : _handle(Create(NOTOK)) {}

BaseContainer::BaseContainer(Int32 id) : _handle(Create(id)) {}

BaseContainer::BaseContainer(const BaseContainer& n) : _handle(Create(n.GetId())) {
  n.CopyTo(this, COPYFLAGS::NONE, nullptr);
}

BaseContainer::~BaseContainer() {
  const C4D_ContainerTable* t = Table();
  if (_handle != nullptr && HOST_HAS(t, Free)) t->Free(_handle);
  _handle = nullptr;
}

const BaseContainer& BaseContainer::operator=(const BaseContainer& n) {
  if (this != &n) {
    if (_handle == nullptr) _handle = Create(n.GetId());
    n.CopyTo(this, COPYFLAGS::NONE, nullptr);
  }
  return *this;
}

Bool BaseContainer::CopyTo(BaseContainer* dst, COPYFLAGS, AliasTrans*) const {
  const C4D_ContainerTable* t = Table();
  if (dst == nullptr || _handle == nullptr || dst->_handle == nullptr || !HOST_HAS(t, CopyTo))
    return false;
  if (dst != this) t->CopyTo(_handle, dst->_handle);
  return true;
}

Int32 BaseContainer::GetId() const {
  const C4D_ContainerTable* t = Table();
  return _handle != nullptr && HOST_HAS(t, GetId) ? t->GetId(_handle) : NOTOK;
}

Bool BaseContainer::GetBool(Int32 id, Bool preset) const {
  const C4D_ContainerTable* t = Table();
  if (_handle == nullptr || !HOST_HAS(t, GetBool)) return preset;
  return t->GetBool(_handle, id, preset ? 1 : 0) != 0;
}

Int32 BaseContainer::GetInt32(Int32 id, Int32 preset) const {
  const C4D_ContainerTable* t = Table();
  return _handle != nullptr && HOST_HAS(t, GetInt32) ? t->GetInt32(_handle, id, preset) : preset;
}

Float BaseContainer::GetFloat(Int32 id, Float preset) const {
  const C4D_ContainerTable* t = Table();
  return _handle != nullptr && HOST_HAS(t, GetFloat) ? t->GetFloat(_handle, id, preset) : preset;
}

void BaseContainer::SetBool(Int32 id, Bool b) {
  const C4D_ContainerTable* t = Table();
  if (_handle != nullptr && HOST_HAS(t, SetBool)) t->SetBool(_handle, id, b ? 1 : 0);
}

void BaseContainer::SetInt32(Int32 id, Int32 l) {
  const C4D_ContainerTable* t = Table();
  if (_handle != nullptr && HOST_HAS(t, SetInt32)) t->SetInt32(_handle, id, l);
}

void BaseContainer::SetFloat(Int32 id, Float r) {
  const C4D_ContainerTable* t = Table();
  if (_handle != nullptr && HOST_HAS(t, SetFloat)) t->SetFloat(_handle, id, r);
}

const BaseContainer* BaseContainer::FromHostCell(C4D_Container* const* cell) {
  // The cell holds nothing but the handle, exactly as a BaseContainer does.
  return reinterpret_cast<const BaseContainer*>(cell);
}

}  // namespace cinema
