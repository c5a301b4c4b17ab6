// c4d_commanddata.h - CommandData, the base of a command plug-in's object,
// and its registration with the host.
#pragma once

#include "c4d_abi.h"
#include "c4d_basebitmap.h"
#include "c4d_basecontainer.h"
#include "c4d_basedata.h"
#include "c4d_basedocument.h"
#include "c4d_string.h"
#include "maxon/apibase.h"

namespace cinema {

class GeDialog;

// The object the host keeps for a registered command. Make it with
// NewObjClear: the host gives it back through the registration's destructor
// entry, which destroys it and returns its memory to the host.
class CommandData : public BaseData {
 public:
  CommandData() = default;
  ~CommandData() override;
  CommandData(const CommandData&) = delete;
  CommandData& operator=(const CommandData&) = delete;

  // The overridable operations, in the host's slot order. Defaults, as the
  // host's own base class answers: Execute and RestoreLayout succeed, the
  // sub-id and option runs and the sub-menu are not handled, the state is
  // enabled, the script name is empty, a message is accepted.
  virtual Bool Execute(BaseDocument* doc, GeDialog* parentManager);
  virtual Bool ExecuteSubID(BaseDocument* doc, Int32 subid, GeDialog* parentManager);
  virtual Bool ExecuteOptionID(BaseDocument* doc, Int32 plugid, Int32 subid,
                               GeDialog* parentManager);
  virtual Int32 GetState(BaseDocument* doc, GeDialog* parentManager);
  virtual Bool GetSubContainer(BaseDocument* doc, BaseContainer& submenu, GeDialog* parentManager);
  virtual Bool RestoreLayout(void* secret);
  virtual String GetScriptName();
  virtual Bool Message(Int32 type, void* data);

  // Recognises a pointer the host hands back as one of these objects.
  Bool IsValidObject() const { return _magic == kMagic; }
  // The id it was registered under (0 before).
  Int32 GetRegisteredId() const { return _registeredId; }

 private:
  friend Bool RegisterCommandPlugin(Int32, const maxon::String&, Int32, BaseBitmap*,
                                    const maxon::String&, CommandData*);
  static constexpr UInt32 kMagic = 0x434D4444;  // 'CMDD'
  UInt32 _magic = kMagic;
  Int32 _registeredId = 0;
};

// Registers a command. Answers false at once, without reaching the host, when
// `dat` is NULL. Otherwise the host owns `dat` from here on: it destroys the
// object when it lets go of it, or at once when it refuses the command. The
// host keeps its own copies of the name, help text and icon.
Bool RegisterCommandPlugin(Int32 id, const maxon::String& str, Int32 info, BaseBitmap* icon,
                           const maxon::String& help, CommandData* dat);

}  // namespace cinema
