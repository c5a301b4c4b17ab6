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

C4D_Container* ContainerHandleTraits::Duplicate(const C4D_Container* src) {
  const C4D_ContainerTable* t = Table();
  const Int32 id = src != nullptr && HOST_HAS(t, GetId) ? t->GetId(src) : NOTOK;
  C4D_Container* copy = Create(id);
  if (copy != nullptr && src != nullptr) CopyInto(copy, src);
  return copy;
}

void ContainerHandleTraits::Free(C4D_Container* c) {
  const C4D_ContainerTable* t = Table();
  if (HOST_HAS(t, Free)) t->Free(c);
}

void ContainerHandleTraits::CopyInto(C4D_Container* dst, const C4D_Container* src) {
  const C4D_ContainerTable* t = Table();
  if (dst != src && HOST_HAS(t, CopyTo)) t->CopyTo(src, dst);
}

BaseContainer::BaseContainer() : _handle(Create(NOTOK)) {}

BaseContainer::BaseContainer(Int32 id) : _handle(Create(id)) {}

Bool BaseContainer::CopyTo(BaseContainer* dst, COPYFLAGS, AliasTrans*) const {
  const C4D_ContainerTable* t = Table();
  if (dst == nullptr || GetHostHandle() == nullptr || dst->GetHostHandle() == nullptr ||
      !HOST_HAS(t, CopyTo))
    return false;
  ContainerHandleTraits::CopyInto(dst->GetHostHandle(), GetHostHandle());
  return true;
}

Int32 BaseContainer::GetId() const {
  const C4D_ContainerTable* t = Table();
  return GetHostHandle() != nullptr && HOST_HAS(t, GetId) ? t->GetId(GetHostHandle()) : NOTOK;
}

Bool BaseContainer::GetBool(Int32 id, Bool preset) const {
  const C4D_ContainerTable* t = Table();
  if (GetHostHandle() == nullptr || !HOST_HAS(t, GetBool)) return preset;
  return t->GetBool(GetHostHandle(), id, preset ? 1 : 0) != 0;
}

Int32 BaseContainer::GetInt32(Int32 id, Int32 preset) const {
  const C4D_ContainerTable* t = Table();
  return GetHostHandle() != nullptr && HOST_HAS(t, GetInt32)
             ? t->GetInt32(GetHostHandle(), id, preset)
             : preset;
}

Float BaseContainer::GetFloat(Int32 id, Float preset) const {
  const C4D_ContainerTable* t = Table();
  return GetHostHandle() != nullptr && HOST_HAS(t, GetFloat)
             ? t->GetFloat(GetHostHandle(), id, preset)
             : preset;
}

void BaseContainer::SetBool(Int32 id, Bool b) {
  const C4D_ContainerTable* t = Table();
  if (GetHostHandle() != nullptr && HOST_HAS(t, SetBool))
    t->SetBool(GetHostHandle(), id, b ? 1 : 0);
}

void BaseContainer::SetInt32(Int32 id, Int32 l) {
  const C4D_ContainerTable* t = Table();
  if (GetHostHandle() != nullptr && HOST_HAS(t, SetInt32)) t->SetInt32(GetHostHandle(), id, l);
}

void BaseContainer::SetFloat(Int32 id, Float r) {
  const C4D_ContainerTable* t = Table();
  if (GetHostHandle() != nullptr && HOST_HAS(t, SetFloat)) t->SetFloat(GetHostHandle(), id, r);
}

const BaseContainer* BaseContainer::FromHostCell(C4D_Container* const* cell) {
  // The cell holds nothing but the handle, exactly as a BaseContainer does.
  return reinterpret_cast<const BaseContainer*>(cell);
}

}  // namespace cinema
