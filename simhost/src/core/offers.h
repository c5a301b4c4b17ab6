// offers.h - how the host is assembled: each area offers its service tables,
// its script actions and its area object through an Offer object in its own
// source file, and the host takes whatever is offered. Adding a table or an
// action touches the file that defines it and nothing else.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "c4d_abi.h"

namespace simhost {

struct Area;
class ActionRegistry;

struct TableOffer {
  std::string name;  // as Options::missingTables names it
  // Puts the table into its slot of the root, or NULL there.
  std::function<void(C4D_ServiceRoot&, bool present)> place;
};

struct AreaOffer {
  int order;  // areas start in this order and stop in the reverse one
  std::unique_ptr<Area> (*make)();
};

struct Offers {
  std::vector<TableOffer> tables;
  std::vector<void (*)(ActionRegistry&)> actions;
  std::vector<AreaOffer> areas;
};

// Everything offered by the files linked into the program.
const Offers& AllOffers();

// One offer, made at start-up by a namespace-scope object:
//   const Offer kOffer("container", &C4D_ServiceRoot::container, &kTable);
class Offer {
 public:
  template <class T>
  Offer(const char* name, const T* C4D_ServiceRoot::*slot, const T* table) {
    AddTable({name, [slot, table](C4D_ServiceRoot& root, bool present) {
                root.*slot = present ? table : nullptr;
              }});
  }
  explicit Offer(void (*addActions)(ActionRegistry&));
  Offer(int order, std::unique_ptr<Area> (*make)());

 private:
  static void AddTable(TableOffer offer);
};

}  // namespace simhost
