// dialog_table.cpp - the host's dialog service table.
#include "core/host.h"

namespace simhost {

const C4D_DialogTable* DialogTable() {
  static const C4D_DialogTable table = [] {
    C4D_DialogTable t{};
    t.size = sizeof(C4D_DialogTable);
    return t;
  }();
  return &table;
}

void AddDialogActions(ActionRegistry&) {}

}  // namespace simhost
