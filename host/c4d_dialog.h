// c4d_dialog.h - GeDialog: the base of a plug-in dialog. The host side of
// the dialog is created with the object and freed with it; the host calls the
// virtual operations below through it.
#pragma once

#include <cstddef>

#include "c4d_abi.h"
#include "c4d_container.h"
#include "c4d_resource.h"
#include "c4d_string.h"
#include "c4d_types.h"

class GeDialog {
 public:
  GeDialog();
  virtual ~GeDialog();
  GeDialog(const GeDialog&) = delete;
  GeDialog& operator=(const GeDialog&) = delete;

  // Called by the host. Defaults: layout and values succeed, messages and
  // commands are accepted, the window may close.
  virtual Bool CreateLayout();
  virtual Bool InitValues();
  virtual Bool CoreMessage(Int32 id, const BaseContainer& msg);
  virtual Bool Command(Int32 id, const BaseContainer& msg);
  virtual Bool AskClose();  // true keeps the window open
  virtual void DestroyWindow();

  // Window. Open and Close answer false without a host-side dialog.
  Bool Open(Int32 dlgtype, Int32 pluginid, Int32 xpos = -1, Int32 ypos = -1, Int32 defaultw = 0,
            Int32 defaulth = 0, Int32 subid = 0);
  Bool RestoreLayout(Int32 pluginid, Int32 subid, void* secret);
  Bool Close();
  Bool LoadDialogResource(Int32 id, const GeResource* lr, Int32 flags);

  // Combo-box items; false without a host-side dialog.
  Bool FreeChildren(Int32 id);
  Bool AddChild(Int32 id, Int32 subid, const String& child);
  Bool AddChild(Int32 id, Int32 subid, const char* child);

  // The dialog's menu bar.
  Bool MenuFlushAll();
  Bool MenuSubBegin(const String& string);
  Bool MenuSubBegin(const char* string);
  Bool MenuAddString(Int32 id, const String& string);
  Bool MenuAddString(Int32 id, const char* string);
  Bool MenuAddSeparator();
  Bool MenuAddCommand(Int32 cmdid);
  Bool MenuSubEnd();
  Bool MenuFinished();

  // Gadget values; false without a host-side dialog. A get that fails leaves
  // `value` as it was.
  Bool SetInt32(Int32 id, Int32 value, Int32 min = LIMIT<Int32>::MIN, Int32 max = LIMIT<Int32>::MAX,
                Int32 step = 1, Bool tristate = false);
  Bool SetBool(Int32 id, Bool value, Bool tristate = false);
  Bool GetInt32(Int32 id, Int32& value) const;
  Bool GetBool(Int32 id, Bool& value) const;
  Bool Enable(Int32 id, Bool enabled);

  // The dialog lives inside host-allocated objects (or on its own in host
  // memory); it never reaches for the C++ runtime's allocator.
  static void* operator new(size_t bytes) noexcept;
  static void operator delete(void* block) noexcept;

  // Recognises the context pointer the host hands back.
  Bool IsValidObject() const { return _magic == kMagic; }
  C4D_Dialog* GetHandle() const { return _dlg; }

 private:
  static constexpr UInt32 kMagic = 0x47444C47;  // 'GDLG'
  UInt32 _magic = kMagic;
  C4D_Dialog* _dlg = nullptr;
};
