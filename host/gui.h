// gui.h - ids of user-interface action messages and command states, by
// the host's names; the numbers are the ABI's.
#pragma once

#include "c4d_abi.h"

namespace cinema {

enum {
  // A user-interface action container, and its entries.
  BFM_ACTION = C4D_BFM_ACTION,
  BFM_ACTION_ID = C4D_BFM_ACTION_ID,        // the element that was used
  BFM_ACTION_VALUE = C4D_BFM_ACTION_VALUE,  // the action's value

  // A command's state: enabled.
  CMD_ENABLED = C4D_CMD_ENABLED
};

}  // namespace cinema
