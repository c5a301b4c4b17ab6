// c4d_baselist.h - BaseList2D: a node of the host (render settings, a post
// effect), its messages, and the data of the check-update message.
#pragma once

#include "c4d_abi.h"
#include "c4d_basecontainer.h"
#include "maxon/apibase.h"

// MSG_UPDATE, MSG_DESCRIPTION_CHECKUPDATE and MSG_DESCRIPTION_COMMAND.
#include "c4d_host_numbers.h"

namespace cinema {

class BaseDocument;
class DescID;

// An opaque shell: a BaseList2D* is the host's node handle. Nodes are the
// host's; the plug-in borrows them for the current call from the host.
class BaseList2D {
 public:
  BaseList2D() = delete;
  ~BaseList2D() = delete;
  BaseList2D(const BaseList2D&) = delete;
  BaseList2D& operator=(const BaseList2D&) = delete;

  Int32 GetType() const;
  // Sends a message; for MSG_DESCRIPTION_COMMAND and
  // MSG_DESCRIPTION_CHECKUPDATE `data` points to DescriptionCommand and
  // DescriptionCheckUpdate.
  Bool Message(Int32 type, void* data = nullptr);
  // The node's live settings (a container the host lends).
  const BaseContainer& GetDataInstanceRef() const;
  // Applies a container to the node's settings: with `add` its entries are
  // written over the node's and the others kept; without, they replace them.
  void SetData(const BaseContainer& bc, Bool add = true);
  Int32 GetAllBits() const;
  void SetAllBits(Int32 bits);

  C4D_Node* GetHostHandle() const;
  static BaseList2D* FromHostHandle(C4D_Node* node);
};

// Data of MSG_DESCRIPTION_CHECKUPDATE.
struct DescriptionCheckUpdate {
  DescriptionCheckUpdate() = default;

  BaseDocument* doc = nullptr;
  Int32 drawflags = 0;
  const DescID* descid = nullptr;
};

}  // namespace cinema
