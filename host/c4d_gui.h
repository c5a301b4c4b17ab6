// c4d_gui.h - GeDialog, the base of a plug-in dialog, and GadgetPtr. The
// host side of the dialog is made with the object and freed with it; the
// host calls the virtual operations below through it.
#pragma once

#include "c4d_abi.h"
#include "c4d_basecontainer.h"
#include "c4d_resource.h"
#include "c4d_string.h"
#include "ge_prepass.h"
#include "maxon/apibase.h"

// IDM_CM_CLOSEWINDOW, the host's "Close" entry for a dialog's own menu.
#include "c4d_host_numbers.h"

namespace cinema {

class C4DGadget;

// What a gadget read that the host refuses hands back. The host leaves the
// value undefined there (a check box read converts a number that was never
// written); this layer hands back a fixed poison instead, so that code which
// relies on a failed read fails a test. Not zero, not one, and no item id.
constexpr Int32 UNDEFINED_GADGET_VALUE = static_cast<Int32>(0xDEADBEEFu);

// A gadget of a dialog, by id.
class GadgetPtr {
 public:
  GadgetPtr(Int32 t_id) : _id(t_id) {}  // NOLINT(google-explicit-constructor)
  Int32 Id() const { return _id; }
  C4DGadget* Ptr() const { return nullptr; }

 private:
  Int32 _id;
};

class GeDialog {
 public:
  GeDialog();
  virtual ~GeDialog();
  GeDialog(const GeDialog&) = delete;
  GeDialog& operator=(const GeDialog&) = delete;

  // Called by the host. Defaults: layout and values succeed, core messages
  // are accepted, a command is not handled, the window may close.
  virtual Bool CreateLayout();
  virtual Bool InitValues();
  virtual Bool CoreMessage(Int32 id, const BaseContainer& msg);
  virtual Bool Command(Int32 id, const BaseContainer& msg);
  virtual Bool AskClose();  // true keeps the window open
  virtual void DestroyWindow();

  // Window. Open and Close answer false without a host-side dialog.
  Bool Open(DLG_TYPE dlgtype, Int32 pluginid, Int32 xpos = -1, Int32 ypos = -1, Int32 defaultw = 0,
            Int32 defaulth = 0, Int32 subid = 0, OPENDIALOGFLAGS flags = OPENDIALOGFLAGS::NONE);
  Bool RestoreLayout(Int32 pluginid, Int32 subid, void* secret);
  Bool Close();
  Bool LoadDialogResource(Int32 id, GeResource* lr, Int32 flags);

  // Combo-box items; false without a host-side dialog.
  Bool FreeChildren(const GadgetPtr& id);
  Bool AddChild(const GadgetPtr& id, Int32 subid, const maxon::String& child);

  // The dialog's menu bar.
  Bool MenuFlushAll();
  Bool MenuSubBegin(const maxon::String& string);
  Bool MenuAddString(Int32 id, const maxon::String& string);
  Bool MenuAddSeparator(const maxon::String& title = maxon::String());
  Bool MenuAddCommand(Int32 cmdid);
  Bool MenuSubEnd();
  Bool MenuFinished();

  // Gadget values; false without a host-side dialog (a get then leaves
  // `value` alone). A get that reaches the host and fails still assigns
  // `value`: GetInt32 UNDEFINED_GADGET_VALUE, GetBool true.
  Bool SetInt32(const GadgetPtr& id, Int32 value, Int32 min = LIMIT<Int32>::MIN,
                Int32 max = LIMIT<Int32>::MAX, Int32 step = 1, Int32 tristate = 0,
                Int32 min2 = LIMIT<Int32>::MIN, Int32 max2 = LIMIT<Int32>::MAX);
  Bool SetBool(const GadgetPtr& id, Int32 value, Int32 tristate = 0);
  Bool GetInt32(const GadgetPtr& id, Int32& value) const;
  Bool GetBool(const GadgetPtr& id, Bool& value) const;
  Bool Enable(const GadgetPtr& id, Bool enabled);

  // Recognises the context pointer the host hands back.
  Bool IsValidObject() const { return _magic == kMagic; }
  C4D_Dialog* GetHostHandle() const { return _dlg; }

 private:
  static constexpr UInt32 kMagic = 0x47444C47;  // 'GDLG'
  UInt32 _magic = kMagic;
  C4D_Dialog* _dlg = nullptr;
};

}  // namespace cinema
