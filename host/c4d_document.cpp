// c4d_document.cpp - documents, nodes, parameter identifiers.
#include "c4d_document.h"

#include "c4d_tables.h"

namespace {
const C4D_DocumentTable* Table() { return HostTables().document; }
}  // namespace

BaseDocument GetActiveDocument() {
  const C4D_DocumentTable* t = Table();
  return BaseDocument(HOST_HAS(t, GetActiveDocument) ? t->GetActiveDocument() : nullptr);
}

RenderData BaseDocument::GetActiveRenderData() const {
  const C4D_DocumentTable* t = Table();
  if (_doc == nullptr || !HOST_HAS(t, GetActiveRenderData)) return RenderData();
  return RenderData(t->GetActiveRenderData(_doc));
}

BaseContainer BaseList2D::GetDataInstance() const {
  const C4D_DocumentTable* t = Table();
  if (_node == nullptr || !HOST_HAS(t, GetDataInstance)) return BaseContainer::Borrow(nullptr);
  return BaseContainer::Borrow(t->GetDataInstance(_node));
}

Bool BaseList2D::SetData(const BaseContainer& bc, Int32 flags) const {
  const C4D_DocumentTable* t = Table();
  if (_node == nullptr || !bc.IsValid() || !HOST_HAS(t, SetData)) return false;
  return t->SetData(_node, bc.Get(), flags) != 0;
}

Bool BaseList2D::Message(Int32 type, void* data) const {
  const C4D_DocumentTable* t = Table();
  if (_node == nullptr || !HOST_HAS(t, SendMessage)) return false;
  return t->SendMessage(_node, type, data) != 0;
}

Int32 BaseList2D::GetType() const {
  const C4D_DocumentTable* t = Table();
  return _node != nullptr && HOST_HAS(t, GetType) ? t->GetType(_node) : NOTOK;
}

Int32 BaseList2D::GetAllBits() const {
  const C4D_DocumentTable* t = Table();
  return _node != nullptr && HOST_HAS(t, GetAllBits) ? t->GetAllBits(_node) : 0;
}

void BaseList2D::SetAllBits(Int32 bits) const {
  const C4D_DocumentTable* t = Table();
  if (_node != nullptr && HOST_HAS(t, SetAllBits)) t->SetAllBits(_node, bits);
}

BaseVideoPost BaseVideoPost::GetNext() const {
  const C4D_DocumentTable* t = Table();
  return BaseVideoPost(_node != nullptr && HOST_HAS(t, GetNext) ? t->GetNext(_node) : nullptr);
}

BaseVideoPost RenderData::GetFirstVideoPost() const {
  const C4D_DocumentTable* t = Table();
  return BaseVideoPost(
      _node != nullptr && HOST_HAS(t, GetFirstVideoPost) ? t->GetFirstVideoPost(_node) : nullptr);
}

DescID::DescID() {
  const C4D_DocumentTable* t = Table();
  if (HOST_HAS(t, DescIDCreate) && HOST_HAS(t, DescIDFree)) _id = t->DescIDCreate();
}

DescID::DescID(const DescLevel& level) : DescID() { PushId(level); }

DescID::~DescID() { Free(); }

DescID::DescID(const DescID& other) : DescID() { *this = other; }

DescID& DescID::operator=(const DescID& other) {
  const C4D_DocumentTable* t = Table();
  if (this != &other && _id != nullptr && other._id != nullptr && HOST_HAS(t, DescIDCopy))
    t->DescIDCopy(_id, other._id);
  return *this;
}

void DescID::PushId(const DescLevel& level) {
  const C4D_DocumentTable* t = Table();
  if (_id != nullptr && HOST_HAS(t, DescIDPushLevel))
    t->DescIDPushLevel(_id, level.id, level.dtype, level.creator);
}

void DescID::Free() {
  const C4D_DocumentTable* t = Table();
  if (_id != nullptr && HOST_HAS(t, DescIDFree)) t->DescIDFree(_id);
  _id = nullptr;
}

C4D_DescriptionCommand DescriptionCommand::Record() {
  return {_descId.Get(), nullptr, msg != nullptr ? msg->Get() : nullptr, nullptr, container.Get()};
}

C4D_DescriptionCheckUpdate DescriptionCheckUpdate::Record() const {
  return {doc.Get(), drawflags, descid != nullptr ? descid->Get() : nullptr};
}
