// lib_description.h - parameter identifiers (DescID, a path of DescLevel
// {id, data type, creator} levels; owned) and the data of the description
// command message.
#pragma once

#include <initializer_list>

#include "c4d_abi.h"
#include "c4d_basecontainer.h"
#include "c4d_owned_handle.h"
#include "maxon/apibase.h"

namespace cinema {

class GeDialog;
class DescriptionCustomGui;

// Parameter data types.
enum { DTYPE_NONE = 0, DTYPE_BUTTON = 8 };

struct DescLevel {
  Int32 id = 0;
  Int32 dtype = 0;
  Int32 creator = 0;

  constexpr DescLevel(Int32 t_id) : id(t_id) {}  // NOLINT(google-explicit-constructor)
  constexpr DescLevel(Int32 t_id, Int32 t_datatype, Int32 t_creator)
      : id(t_id), dtype(t_datatype), creator(t_creator) {}
};

// A copy of an identifier is a new one with the same levels (an empty one
// when there is nothing to copy); assigning copies into the one held.
struct DescIDHandleTraits {
  static C4D_DescID* Duplicate(const C4D_DescID* src);
  static void Free(C4D_DescID* d);
  static constexpr bool kAssignInPlace = true;
  static void CopyInto(C4D_DescID* dst, const C4D_DescID* src);
};

class DescID {
 public:
  // An empty identifier (no levels).
  DescID();
  DescID(const DescID& src) = default;
  DescID(DescID&& src) noexcept = default;
  ~DescID() = default;
  // Copies the levels of `id` into the identifier held.
  const DescID& operator=(const DescID& id) {
    _id = id._id;
    return *this;
  }

  // An identifier of the given levels, in order.
  template <typename... T>
  static DescID Create(const T&... ids) {
    DescID id;
    id.PushId({ids...});
    return id;
  }

  void PushId(const DescLevel& subid);
  void PushId(const std::initializer_list<DescLevel>& subids);

  // The host object (NULL when the host could not make one).
  const C4D_DescID* GetHostHandle() const { return _id.Get(); }

 private:
  OwnedHostHandle<C4D_DescID, DescIDHandleTraits> _id;
};

#define CreateDescID(...) cinema::DescID::Create(__VA_ARGS__)

struct DescriptionBaseMessage {
  DescID _descId;                     // the parameter that triggered the message
  GeDialog* _parentDialog = nullptr;  // NULL
};

// Data of MSG_DESCRIPTION_COMMAND: a button parameter was pressed.
struct DescriptionCommand : public DescriptionBaseMessage {
  const BaseContainer* _msg = nullptr;       // the action container
  DescriptionCustomGui* _descgui = nullptr;  // NULL
  BaseContainer _data;                       // auxiliary, empty and anonymous
};

}  // namespace cinema
