// c4d_baselist.cpp - nodes, documents, post effects and parameter
// identifiers. Node classes are shells over the host's handles.
#include "c4d_baselist.h"

#include "c4d_basedocument.h"
#include "c4d_tables.h"
#include "c4d_videopost.h"
#include "lib_description.h"

namespace cinema {

namespace {

const C4D_DocumentTable* Table() { return HostTables().document; }

C4D_Node* Handle(const BaseList2D* node) {
  return reinterpret_cast<C4D_Node*>(const_cast<BaseList2D*>(node));
}

// A node's settings when the host lends none: reads answer their preset.
C4D_Container* const kNoContainer = nullptr;

// The message data the host reads for the description messages, made from
// the plug-in's records. Without every part the message cannot be sent.
Bool SendDescriptionCommand(C4D_Node* node, const DescriptionCommand* command) {
  const C4D_DocumentTable* t = Table();
  if (command == nullptr || command->_descId.GetHostHandle() == nullptr ||
      command->_data.GetHostHandle() == nullptr ||
      (command->_msg != nullptr && command->_msg->GetHostHandle() == nullptr))
    return false;
  C4D_DescriptionCommand record = {
      const_cast<C4D_DescID*>(command->_descId.GetHostHandle()), nullptr,
      command->_msg != nullptr ? command->_msg->GetHostHandle() : nullptr, nullptr,
      command->_data.GetHostHandle()};
  return t->SendMessage(node, MSG_DESCRIPTION_COMMAND, &record) != 0;
}

Bool SendCheckUpdate(C4D_Node* node, const DescriptionCheckUpdate* update) {
  const C4D_DocumentTable* t = Table();
  if (update == nullptr || update->descid == nullptr || update->descid->GetHostHandle() == nullptr)
    return false;
  C4D_DescriptionCheckUpdate record = {
      update->doc != nullptr ? update->doc->GetHostHandle() : nullptr, update->drawflags,
      update->descid->GetHostHandle()};
  return t->SendMessage(node, MSG_DESCRIPTION_CHECKUPDATE, &record) != 0;
}

}  // namespace

C4D_Node* BaseList2D::GetHostHandle() const { return Handle(this); }

BaseList2D* BaseList2D::FromHostHandle(C4D_Node* node) {
  return reinterpret_cast<BaseList2D*>(node);
}

Int32 BaseList2D::GetType() const {
  const C4D_DocumentTable* t = Table();
  return HOST_HAS(t, GetType) ? t->GetType(Handle(this)) : NOTOK;
}

Bool BaseList2D::Message(Int32 type, void* data) {
  const C4D_DocumentTable* t = Table();
  if (!HOST_HAS(t, SendMessage)) return false;
  switch (type) {
    case MSG_DESCRIPTION_COMMAND:
      return SendDescriptionCommand(Handle(this), static_cast<const DescriptionCommand*>(data));
    case MSG_DESCRIPTION_CHECKUPDATE:
      return SendCheckUpdate(Handle(this), static_cast<const DescriptionCheckUpdate*>(data));
    default:
      return t->SendMessage(Handle(this), type, data) != 0;
  }
}

const BaseContainer& BaseList2D::GetDataInstanceRef() const {
  const C4D_DocumentTable* t = Table();
  C4D_Container* const* cell =
      HOST_HAS(t, GetDataInstanceCell) ? t->GetDataInstanceCell(Handle(this)) : nullptr;
  return *BaseContainer::FromHostCell(cell != nullptr ? cell : &kNoContainer);
}

void BaseList2D::SetData(const BaseContainer& bc, Bool add) {
  const C4D_DocumentTable* t = Table();
  if (bc.GetHostHandle() != nullptr && HOST_HAS(t, SetData))
    t->SetData(Handle(this), bc.GetHostHandle(), add ? C4D_SETDATA_MERGE : 0);
}

Int32 BaseList2D::GetAllBits() const {
  const C4D_DocumentTable* t = Table();
  return HOST_HAS(t, GetAllBits) ? t->GetAllBits(Handle(this)) : 0;
}

void BaseList2D::SetAllBits(Int32 bits) {
  const C4D_DocumentTable* t = Table();
  if (HOST_HAS(t, SetAllBits)) t->SetAllBits(Handle(this), bits);
}

BaseVideoPost* BaseVideoPost::GetNext() const {
  const C4D_DocumentTable* t = Table();
  return HOST_HAS(t, GetNext) ? reinterpret_cast<BaseVideoPost*>(t->GetNext(Handle(this)))
                              : nullptr;
}

BaseVideoPost* RenderData::GetFirstVideoPost() {
  const C4D_DocumentTable* t = Table();
  return HOST_HAS(t, GetFirstVideoPost)
             ? reinterpret_cast<BaseVideoPost*>(t->GetFirstVideoPost(Handle(this)))
             : nullptr;
}

C4D_Document* BaseDocument::GetHostHandle() const {
  return reinterpret_cast<C4D_Document*>(const_cast<BaseDocument*>(this));
}

BaseDocument* BaseDocument::FromHostHandle(C4D_Document* doc) {
  return reinterpret_cast<BaseDocument*>(doc);
}

RenderData* BaseDocument::GetActiveRenderData() {
  const C4D_DocumentTable* t = Table();
  return HOST_HAS(t, GetActiveRenderData)
             ? reinterpret_cast<RenderData*>(t->GetActiveRenderData(GetHostHandle()))
             : nullptr;
}

BaseDocument* GetActiveDocument() {
  const C4D_DocumentTable* t = Table();
  return HOST_HAS(t, GetActiveDocument) ? BaseDocument::FromHostHandle(t->GetActiveDocument())
                                        : nullptr;
}

namespace {
C4D_DescID* CreateDescIDHandle() {
  const C4D_DocumentTable* t = Table();
  return HOST_HAS(t, DescIDCreate) && HOST_HAS(t, DescIDFree) ? t->DescIDCreate() : nullptr;
}
}  // namespace

C4D_DescID* DescIDHandleTraits::Duplicate(const C4D_DescID* src) {
  C4D_DescID* copy = CreateDescIDHandle();
  if (copy != nullptr && src != nullptr) CopyInto(copy, src);
  return copy;
}

void DescIDHandleTraits::Free(C4D_DescID* d) {
  const C4D_DocumentTable* t = Table();
  if (HOST_HAS(t, DescIDFree)) t->DescIDFree(d);
}

void DescIDHandleTraits::CopyInto(C4D_DescID* dst, const C4D_DescID* src) {
  const C4D_DocumentTable* t = Table();
  if (dst != src && HOST_HAS(t, DescIDCopy)) t->DescIDCopy(dst, src);
}

DescID::DescID() : _id(CreateDescIDHandle()) {}

void DescID::PushId(const DescLevel& subid) {
  const C4D_DocumentTable* t = Table();
  if (_id.Get() != nullptr && HOST_HAS(t, DescIDPushLevel))
    t->DescIDPushLevel(_id.Get(), subid.id, subid.dtype, subid.creator);
}

void DescID::PushId(const std::initializer_list<DescLevel>& subids) {
  for (const DescLevel& level : subids) PushId(level);
}

}  // namespace cinema
