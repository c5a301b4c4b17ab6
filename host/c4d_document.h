// c4d_document.h - documents, render settings and post effects (all owned by
// the host and only borrowed here: the wrappers are plain handles, valid for
// the current call from the host), parameter identifiers (DescID, owned) and
// the data records of the description messages.
#pragma once

#include "c4d_abi.h"
#include "c4d_container.h"
#include "c4d_ids.h"
#include "c4d_types.h"

class RenderData;

class BaseDocument {
 public:
  explicit BaseDocument(C4D_Document* doc = nullptr) : _doc(doc) {}
  explicit operator bool() const { return _doc != nullptr; }
  C4D_Document* Get() const { return _doc; }

  // The document's active render settings (none when it has none).
  RenderData GetActiveRenderData() const;

 private:
  C4D_Document* _doc;
};

// The active document, or none.
BaseDocument GetActiveDocument();

// A host node: render settings or a post effect.
class BaseList2D {
 public:
  explicit BaseList2D(C4D_Node* node = nullptr) : _node(node) {}
  explicit operator bool() const { return _node != nullptr; }
  C4D_Node* Get() const { return _node; }

  // The node's live settings container (borrowed; not valid without a node).
  BaseContainer GetDataInstance() const;
  // Applies a container to the node's settings (SETDATAFLAGS_MERGE: entries
  // written over the node's, the others kept).
  Bool SetData(const BaseContainer& bc, Int32 flags = SETDATAFLAGS_MERGE) const;
  Bool Message(Int32 type, void* data = nullptr) const;
  Int32 GetType() const;
  Int32 GetAllBits() const;
  void SetAllBits(Int32 bits) const;

 protected:
  C4D_Node* _node;
};

class BaseVideoPost : public BaseList2D {
 public:
  using BaseList2D::BaseList2D;
  // The next post effect in the list, or none.
  BaseVideoPost GetNext() const;
};

class RenderData : public BaseList2D {
 public:
  using BaseList2D::BaseList2D;
  // The first post effect of these render settings, or none.
  BaseVideoPost GetFirstVideoPost() const;
};

// One level of a parameter identifier.
struct DescLevel {
  Int32 id;
  Int32 dtype;
  Int32 creator;
};

// A parameter identifier, owned.
class DescID {
 public:
  DescID();
  explicit DescID(const DescLevel& level);
  ~DescID();
  DescID(const DescID& other);
  DescID& operator=(const DescID& other);

  void PushId(const DescLevel& level);
  const C4D_DescID* Get() const { return _id; }
  C4D_DescID* Get() { return _id; }

 private:
  void Free();
  C4D_DescID* _id = nullptr;
};

// Data of MSG_DESCRIPTION_COMMAND: a button parameter was pressed. It holds
// its own copy of the parameter identifier and its own empty container.
struct DescriptionCommand {
  DescID _descId;
  const BaseContainer* msg = nullptr;  // the 'bACT' action container
  BaseContainer container;             // empty, anonymous

  // The record the message carries; valid while this object lives.
  C4D_DescriptionCommand Record();
};

// Data of MSG_DESCRIPTION_CHECKUPDATE.
struct DescriptionCheckUpdate {
  BaseDocument doc;
  Int32 drawflags = 0;
  const DescID* descid = nullptr;

  C4D_DescriptionCheckUpdate Record() const;
};
