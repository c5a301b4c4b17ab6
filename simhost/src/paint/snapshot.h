// snapshot.h - pictures of the host's windows for the script: the
// `snapshot FILE` and `show layout` actions, and one picture per opened
// window when the session asks for them (Options::snapshotDir).
#pragma once

#include "core/host.h"
#include "dialog/dialog.h"

namespace simhost {

void AddSnapshotActions(ActionRegistry& actions);  // snapshot, show layout

// Called once a window has opened (the run's `sequence`th): writes its picture into
// Options::snapshotDir when that is set. A picture that cannot be written is
// reported and fails the run.
void SnapshotOnOpen(Host& host, const DialogObj* dialog, int sequence);

}  // namespace simhost
