// gui.h - ids of user-interface action messages and command states.
#pragma once

namespace cinema {

enum {
  // A user-interface action container, and its entries.
  BFM_ACTION = 0x62414354,        // 'bACT'
  BFM_ACTION_ID = 0x6D656964,     // 'meid': the element that was used
  BFM_ACTION_VALUE = 0x6D657661,  // 'meva': the action's value

  // A command's state: enabled.
  CMD_ENABLED = 0x40000000
};

}  // namespace cinema
