// c4d_command.h - CommandData, the base of a command plug-in's object, and
// its registration with the host.
#pragma once

#include <cstddef>

#include "c4d_abi.h"
#include "c4d_bitmap.h"
#include "c4d_container.h"
#include "c4d_document.h"
#include "c4d_string.h"
#include "c4d_types.h"

// The object the host keeps for a registered command. It lives in the host's
// memory (operator new answers NULL when the host has none), because the host
// gives it back through the destructor entry of the registration.
class CommandData {
 public:
  CommandData() = default;
  virtual ~CommandData();
  CommandData(const CommandData&) = delete;
  CommandData& operator=(const CommandData&) = delete;

  // The overridable operations, in the host's slot order.
  virtual Bool Execute(BaseDocument doc);
  virtual Bool ExecuteSubID(BaseDocument doc, Int32 subid);
  virtual Bool ExecuteOptionID(BaseDocument doc, Int32 subid);
  virtual Int32 GetState(BaseDocument doc, C4D_Dialog* parentManager);
  virtual Bool GetSubContainer(BaseDocument doc, BaseContainer& submenu);
  virtual Bool RestoreLayout(void* secret);
  virtual String GetScriptName();
  virtual Bool Message(Int32 type, void* data);

  // Zero-filled host memory, or NULL.
  static void* operator new(size_t bytes) noexcept;
  static void operator delete(void* block) noexcept;

  // Recognises a pointer the host hands back as one of these objects.
  Bool IsValidObject() const { return _magic == kMagic; }

 private:
  static constexpr UInt32 kMagic = 0x434D4444;  // 'CMDD'
  UInt32 _magic = kMagic;
};

// Registers a command. Answers false at once, without reaching the host, when
// `dat` is NULL. Otherwise the host owns `dat` from here on: it destroys the
// object when it lets go of it, or at once when it refuses the command. The
// host keeps its own copies of the name, help text and icon.
Bool RegisterCommandPlugin(Int32 id, const String& str, Int32 info, const BaseBitmap* icon,
                           const String& help, CommandData* dat);
