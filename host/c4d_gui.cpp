// c4d_gui.cpp - GeDialog: the host side of a dialog and the trampolines
// through which the host calls the dialog object.
#include "c4d_gui.h"

#include "c4d_tables.h"

namespace cinema {

namespace {

const C4D_DialogTable* Table() { return HostTables().dialog; }

// The dialog the host hands back as context, or NULL when it is not one.
GeDialog* Recover(void* ctx) {
  auto* dialog = static_cast<GeDialog*>(ctx);
  return dialog != nullptr && dialog->IsValidObject() ? dialog : nullptr;
}

int32_t CreateLayoutCallback(void* ctx) {
  GeDialog* dialog = Recover(ctx);
  return dialog != nullptr && dialog->CreateLayout();
}

int32_t InitValuesCallback(void* ctx) {
  GeDialog* dialog = Recover(ctx);
  return dialog != nullptr && dialog->InitValues();
}

int32_t CommandCallback(void* ctx, int32_t id, const C4D_Container* msg) {
  GeDialog* dialog = Recover(ctx);
  if (dialog == nullptr) return false;
  // The host lends the message: its handle, in a cell of our own, is shown
  // to the dialog as a BaseContainer that is never destroyed here.
  C4D_Container* const cell = const_cast<C4D_Container*>(msg);
  return dialog->Command(id, *BaseContainer::FromHostCell(&cell));
}

int32_t CoreMessageCallback(void* ctx, int32_t id, const C4D_Container* msg) {
  GeDialog* dialog = Recover(ctx);
  if (dialog == nullptr) return false;
  C4D_Container* const cell = const_cast<C4D_Container*>(msg);
  return dialog->CoreMessage(id, *BaseContainer::FromHostCell(&cell));
}

int32_t AskCloseCallback(void* ctx) {
  GeDialog* dialog = Recover(ctx);
  return dialog != nullptr && dialog->AskClose();
}

void DestroyWindowCallback(void* ctx) {
  GeDialog* dialog = Recover(ctx);
  if (dialog != nullptr) dialog->DestroyWindow();
}

const C4D_DialogCallbacks kCallbacks = {
    sizeof(C4D_DialogCallbacks), &CreateLayoutCallback, &InitValuesCallback,    &CommandCallback,
    &CoreMessageCallback,        &AskCloseCallback,     &DestroyWindowCallback,
};

// Passes a host string, or answers false when there is none to pass.
template <class Fn>
Bool WithText(const maxon::String& text, Fn fn) {
  return text.GetHostHandle() != nullptr && fn(text.GetHostHandle());
}

}  // namespace

GeDialog::GeDialog() {
  const C4D_DialogTable* t = Table();
  if (HOST_HAS(t, Create) && HOST_HAS(t, Free)) _dlg = t->Create(&kCallbacks, this);
}

GeDialog::~GeDialog() {
  // From here on the host's calls through this context are refused.
  _magic = 0;
  const C4D_DialogTable* t = Table();
  if (_dlg != nullptr && HOST_HAS(t, Free)) t->Free(_dlg);
  _dlg = nullptr;
}

Bool GeDialog::CreateLayout() { return true; }
Bool GeDialog::InitValues() { return true; }
Bool GeDialog::CoreMessage(Int32, const BaseContainer&) { return true; }
Bool GeDialog::Command(Int32, const BaseContainer&) { return false; }
Bool GeDialog::AskClose() { return false; }
void GeDialog::DestroyWindow() {}

Bool GeDialog::Open(DLG_TYPE dlgtype, Int32 pluginid, Int32 xpos, Int32 ypos, Int32 defaultw,
                    Int32 defaulth, Int32 subid, OPENDIALOGFLAGS) {
  const C4D_DialogTable* t = Table();
  if (_dlg == nullptr || !HOST_HAS(t, Open)) return false;
  return t->Open(_dlg, static_cast<int32_t>(dlgtype), pluginid, xpos, ypos, defaultw, defaulth,
                 subid) != 0;
}

Bool GeDialog::RestoreLayout(Int32 pluginid, Int32 subid, void* secret) {
  const C4D_DialogTable* t = Table();
  return _dlg != nullptr && HOST_HAS(t, RestoreLayout) &&
         t->RestoreLayout(_dlg, pluginid, subid, secret) != 0;
}

Bool GeDialog::Close() {
  const C4D_DialogTable* t = Table();
  return _dlg != nullptr && HOST_HAS(t, Close) && t->Close(_dlg) != 0;
}

Bool GeDialog::LoadDialogResource(Int32 id, GeResource* lr, Int32 flags) {
  const C4D_DialogTable* t = Table();
  if (_dlg == nullptr || !HOST_HAS(t, LoadDialogResource)) return false;
  // No resource given: the module-wide one.
  if (lr == nullptr) lr = &g_resource;
  return t->LoadDialogResource(_dlg, id, lr->GetHostHandle(), flags) != 0;
}

Bool GeDialog::FreeChildren(const GadgetPtr& id) {
  const C4D_DialogTable* t = Table();
  return _dlg != nullptr && HOST_HAS(t, FreeChildren) && t->FreeChildren(_dlg, id.Id()) != 0;
}

Bool GeDialog::AddChild(const GadgetPtr& id, Int32 subid, const maxon::String& child) {
  const C4D_DialogTable* t = Table();
  if (_dlg == nullptr || !HOST_HAS(t, AddChild)) return false;
  return WithText(child,
                  [&](const C4D_String* s) { return t->AddChild(_dlg, id.Id(), subid, s) != 0; });
}

Bool GeDialog::MenuFlushAll() {
  const C4D_DialogTable* t = Table();
  return _dlg != nullptr && HOST_HAS(t, MenuFlushAll) && t->MenuFlushAll(_dlg) != 0;
}

Bool GeDialog::MenuSubBegin(const maxon::String& string) {
  const C4D_DialogTable* t = Table();
  if (_dlg == nullptr || !HOST_HAS(t, MenuSubBegin)) return false;
  return WithText(string, [&](const C4D_String* s) { return t->MenuSubBegin(_dlg, s) != 0; });
}

Bool GeDialog::MenuAddString(Int32 id, const maxon::String& string) {
  const C4D_DialogTable* t = Table();
  if (_dlg == nullptr || !HOST_HAS(t, MenuAddString)) return false;
  return WithText(string, [&](const C4D_String* s) { return t->MenuAddString(_dlg, id, s) != 0; });
}

Bool GeDialog::MenuAddSeparator(const maxon::String&) {
  const C4D_DialogTable* t = Table();
  return _dlg != nullptr && HOST_HAS(t, MenuAddSeparator) && t->MenuAddSeparator(_dlg) != 0;
}

Bool GeDialog::MenuAddCommand(Int32 cmdid) {
  const C4D_DialogTable* t = Table();
  return _dlg != nullptr && HOST_HAS(t, MenuAddCommand) && t->MenuAddCommand(_dlg, cmdid) != 0;
}

Bool GeDialog::MenuSubEnd() {
  const C4D_DialogTable* t = Table();
  return _dlg != nullptr && HOST_HAS(t, MenuSubEnd) && t->MenuSubEnd(_dlg) != 0;
}

Bool GeDialog::MenuFinished() {
  const C4D_DialogTable* t = Table();
  return _dlg != nullptr && HOST_HAS(t, MenuFinished) && t->MenuFinished(_dlg) != 0;
}

Bool GeDialog::SetInt32(const GadgetPtr& id, Int32 value, Int32 min, Int32 max, Int32 step,
                        Int32 tristate, Int32, Int32) {
  const C4D_DialogTable* t = Table();
  if (_dlg == nullptr || !HOST_HAS(t, SetInt32)) return false;
  return t->SetInt32(_dlg, id.Id(), value, min, max, step, tristate != 0 ? 1 : 0) != 0;
}

Bool GeDialog::SetBool(const GadgetPtr& id, Int32 value, Int32 tristate) {
  const C4D_DialogTable* t = Table();
  if (_dlg == nullptr || !HOST_HAS(t, SetBool)) return false;
  return t->SetBool(_dlg, id.Id(), value != 0 ? 1 : 0, tristate != 0 ? 1 : 0) != 0;
}

Bool GeDialog::GetInt32(const GadgetPtr& id, Int32& value) const {
  if (_dlg == nullptr) return false;
  // The host may write the value even when the read fails; what it writes
  // then is not defined, so a failed read hands back the poison.
  const C4D_DialogTable* t = Table();
  int32_t read = UNDEFINED_GADGET_VALUE;
  const Bool ok = HOST_HAS(t, GetInt32) && t->GetInt32(_dlg, id.Id(), &read) != 0;
  value = ok ? read : UNDEFINED_GADGET_VALUE;
  return ok;
}

Bool GeDialog::GetBool(const GadgetPtr& id, Bool& value) const {
  if (_dlg == nullptr) return false;
  // A check box is read as a number, and the value is assigned whether the
  // read succeeded or not: a failed read answers the poison's truth, true.
  const C4D_DialogTable* t = Table();
  int32_t read = UNDEFINED_GADGET_VALUE;
  const Bool ok = HOST_HAS(t, GetBool) && t->GetBool(_dlg, id.Id(), &read) != 0;
  value = (ok ? read : UNDEFINED_GADGET_VALUE) != 0;
  return ok;
}

Bool GeDialog::Enable(const GadgetPtr& id, Bool enabled) {
  const C4D_DialogTable* t = Table();
  if (_dlg == nullptr || !HOST_HAS(t, Enable)) return false;
  return t->Enable(_dlg, id.Id(), enabled ? 1 : 0) != 0;
}

}  // namespace cinema
