// dialog_area.h - the host's dialogs of one host run: every dialog object the
// plug-in holds, the open windows front to back, and what the host does to a
// window (open, close, user actions).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/host.h"
#include "dialog/dialog.h"

namespace simhost {

class DialogArea : public Area {
 public:
  void OnStart(Host&) override;
  void OnStop(Host&) override;

  DialogObj* AddDialog(std::unique_ptr<DialogObj> dialog);
  // Deletes now, or once the host's calls into the dialog have returned.
  void DeleteDialog(DialogObj* dialog);
  // Deletes the dialogs freed during a callback once no call is in progress.
  // Only at the end of a table entry or script action: the window operations
  // below leave a freed dialog in place so that their callers can check
  // `freed`.
  void Sweep();

  // The frontmost open window's dialog (NULL when no window is open).
  DialogObj* Front();
  // The dialog that `show dialog` describes: the front one, else the one
  // whose window was open last, else the newest dialog (NULL when none).
  DialogObj* Shown();
  void BringToFront(DialogObj* dialog);

  // Creates the window: CreateLayout, then InitValues. False when the
  // layout failed (the window is not opened). `passed` (what the plug-in's
  // Open or RestoreLayout passed: sub-id, place and size) is added to the
  // window event.
  bool OpenWindow(Host& host, DialogObj* dialog, const nlohmann::json& passed);
  // Destroys the window; `by` is "plugin", "user" or "host". Calls the
  // plug-in's DestroyWindow when `notify`.
  void DestroyWindow(Host& host, DialogObj* dialog, const std::string& by, bool notify);
  // The user closes the window (close box or the host's Close entry): the
  // dialog may keep it open by answering AskClose with true.
  void UserClose(Host& host, DialogObj* dialog, const std::string& how);
  // Hands a user action to the dialog's Command with a host-owned 'bACT'
  // container ('meid' = id, 'meva' = value when `hasValue`). Answers the
  // dialog's answer.
  bool SendCommand(Host& host, DialogObj* dialog, int32_t id, bool hasValue, int32_t value);

 private:
  void Forget(DialogObj* dialog);

  std::vector<std::unique_ptr<DialogObj>> dialogs_;
  std::vector<DialogObj*> front_;  // open windows, front first
  DialogObj* lastOpen_ = nullptr;
  uint64_t serial_ = 0;
  int opened_ = 0;  // windows opened in this host run
};

DialogArea* Dialogs(Host& host);  // NULL when the host has no such area

// An area of a higher layer that follows the windows (the painter, which can
// take a picture of each): the dialog area tells every area that is one.
struct WindowWatcher {
  virtual ~WindowWatcher() = default;
  // The host run's `sequence`th window has opened (after its InitValues).
  virtual void OnWindowOpened(Host& host, const DialogObj& dialog, int sequence) = 0;
};

// Calls a plug-in callback of `dialog`, keeping it alive meanwhile.
class Busy {
 public:
  explicit Busy(DialogObj* d) : d_(d) { ++d_->busy; }
  ~Busy() { --d_->busy; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  DialogObj* d_;
};

}  // namespace simhost
