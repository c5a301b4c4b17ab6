// c4d_container.cpp - BaseContainer.
#include "c4d_container.h"

#include "c4d_tables.h"

namespace {
const C4D_ContainerTable* Table() { return HostTables().container; }
}  // namespace

BaseContainer::BaseContainer(Int32 id) {
  const C4D_ContainerTable* t = Table();
  if (HOST_HAS(t, Create) && HOST_HAS(t, Free)) _container = t->Create(id);
}

BaseContainer BaseContainer::Borrow(C4D_Container* hostOwned) { return {hostOwned, false}; }

BaseContainer::~BaseContainer() { Free(); }

BaseContainer::BaseContainer(BaseContainer&& other) noexcept
    : _container(other._container), _owned(other._owned) {
  other._container = nullptr;
}

BaseContainer& BaseContainer::operator=(BaseContainer&& other) noexcept {
  if (this != &other) {
    Free();
    _container = other._container;
    _owned = other._owned;
    other._container = nullptr;
  }
  return *this;
}

void BaseContainer::Free() {
  const C4D_ContainerTable* t = Table();
  if (_owned && _container != nullptr && HOST_HAS(t, Free)) t->Free(_container);
  _container = nullptr;
}

Int32 BaseContainer::GetId() const {
  const C4D_ContainerTable* t = Table();
  return _container != nullptr && HOST_HAS(t, GetId) ? t->GetId(_container) : NOTOK;
}

Int32 BaseContainer::GetInt32(Int32 id, Int32 preset) const {
  const C4D_ContainerTable* t = Table();
  return _container != nullptr && HOST_HAS(t, GetInt32) ? t->GetInt32(_container, id, preset)
                                                        : preset;
}

Bool BaseContainer::GetBool(Int32 id, Bool preset) const {
  const C4D_ContainerTable* t = Table();
  if (_container == nullptr || !HOST_HAS(t, GetBool)) return preset;
  return t->GetBool(_container, id, preset ? 1 : 0) != 0;
}

Float BaseContainer::GetFloat(Int32 id, Float preset) const {
  const C4D_ContainerTable* t = Table();
  return _container != nullptr && HOST_HAS(t, GetFloat) ? t->GetFloat(_container, id, preset)
                                                        : preset;
}

void BaseContainer::SetInt32(Int32 id, Int32 value) {
  const C4D_ContainerTable* t = Table();
  if (_container != nullptr && HOST_HAS(t, SetInt32)) t->SetInt32(_container, id, value);
}

void BaseContainer::SetBool(Int32 id, Bool value) {
  const C4D_ContainerTable* t = Table();
  if (_container != nullptr && HOST_HAS(t, SetBool)) t->SetBool(_container, id, value ? 1 : 0);
}

void BaseContainer::SetFloat(Int32 id, Float value) {
  const C4D_ContainerTable* t = Table();
  if (_container != nullptr && HOST_HAS(t, SetFloat)) t->SetFloat(_container, id, value);
}

void BaseContainer::CopyTo(BaseContainer& dest) const {
  const C4D_ContainerTable* t = Table();
  if (_container != nullptr && dest._container != nullptr && HOST_HAS(t, CopyTo))
    t->CopyTo(_container, dest._container);
}
