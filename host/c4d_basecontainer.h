// c4d_basecontainer.h - BaseContainer: typed values (32-bit integer, boolean,
// floating value) under 32-bit ids. A value class: each BaseContainer owns
// one host container, made with it and freed with it; copies are deep.
//
// The host lends containers of its own (a node's settings, stored
// preferences) as references: the host keeps, for each, a cell holding the
// container's handle, and the layer presents the cell as a BaseContainer.
// Such a BaseContainer is never destroyed by the plug-in.
#pragma once

#include "c4d_abi.h"
#include "c4d_owned_handle.h"
#include "ge_prepass.h"
#include "maxon/apibase.h"

namespace cinema {

class AliasTrans;

// A copy of a container is a new one with the same id and entries (an empty
// anonymous one when there is nothing to copy); assigning copies into the
// container already held.
struct ContainerHandleTraits {
  static C4D_Container* Duplicate(const C4D_Container* src);
  static void Free(C4D_Container* c);
  static constexpr bool kAssignInPlace = true;
  static void CopyInto(C4D_Container* dst, const C4D_Container* src);
};

class BaseContainer {
 public:
  // A new empty anonymous container (id NOTOK).
  BaseContainer();
  // A new empty container with its own id.
  explicit BaseContainer(Int32 id);
  // A copy is a new container equal to `n` (no move: a lent container is
  // never taken over).
  BaseContainer(const BaseContainer& n) = default;
  ~BaseContainer() = default;
  // Copies `n` into the container held.
  const BaseContainer& operator=(const BaseContainer& n) {
    _handle = n._handle;
    return *this;
  }

  // Makes `dst` an equal copy of this container (its id and every entry).
  // False when either side has no host container behind it (the host was
  // out of memory) or the host cannot copy.
  Bool CopyTo(BaseContainer* dst, COPYFLAGS flags, AliasTrans* trans) const;

  Int32 GetId() const;
  // A missing id (or one of another type) answers the preset.
  Bool GetBool(Int32 id, Bool preset = false) const;
  Int32 GetInt32(Int32 id, Int32 preset = 0) const;
  Float GetFloat(Int32 id, Float preset = 0.0) const;
  void SetBool(Int32 id, Bool b);
  void SetInt32(Int32 id, Int32 l);
  void SetFloat(Int32 id, Float r);

  // The host container, for the host layer's own calls (NULL when the host
  // could not make one: reads then answer their preset, writes do nothing).
  C4D_Container* GetHostHandle() const { return _handle.Get(); }
  // The BaseContainer the host keeps in `cell` (a lent container).
  static const BaseContainer* FromHostCell(C4D_Container* const* cell);

 private:
  OwnedHostHandle<C4D_Container, ContainerHandleTraits> _handle;
};

static_assert(sizeof(BaseContainer) == sizeof(C4D_Container*),
              "a lent container's cell is presented as a BaseContainer");

}  // namespace cinema
