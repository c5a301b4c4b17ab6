// c4d_container.h - BaseContainer: typed values (32-bit integer, boolean,
// floating value) under 32-bit ids. Either owned (created here, freed by the
// destructor) or borrowed from the host (never freed here).
#pragma once

#include "c4d_abi.h"
#include "c4d_types.h"

class BaseContainer {
 public:
  // A new empty container with its own id (NOTOK: anonymous), owned.
  explicit BaseContainer(Int32 id = NOTOK);
  // A view of a container the host owns; it is not freed with the view.
  static BaseContainer Borrow(C4D_Container* hostOwned);
  ~BaseContainer();
  BaseContainer(BaseContainer&& other) noexcept;
  BaseContainer& operator=(BaseContainer&& other) noexcept;
  BaseContainer(const BaseContainer&) = delete;
  BaseContainer& operator=(const BaseContainer&) = delete;

  // False when there is no host container behind it (creation failed, or the
  // host lent none). Reads then answer their default and writes do nothing.
  Bool IsValid() const { return _container != nullptr; }

  Int32 GetId() const;
  // A missing id (or one of another type) answers the default.
  Int32 GetInt32(Int32 id, Int32 preset = 0) const;
  Bool GetBool(Int32 id, Bool preset = false) const;
  Float GetFloat(Int32 id, Float preset = 0.0) const;
  void SetInt32(Int32 id, Int32 value);
  void SetBool(Int32 id, Bool value);
  void SetFloat(Int32 id, Float value);

  // Makes `dest` an equal copy of this container (its id and all entries).
  void CopyTo(BaseContainer& dest) const;

  const C4D_Container* Get() const { return _container; }
  C4D_Container* Get() { return _container; }

 private:
  BaseContainer(C4D_Container* container, Bool owned) : _container(container), _owned(owned) {}
  void Free();
  C4D_Container* _container = nullptr;
  Bool _owned = true;
};
