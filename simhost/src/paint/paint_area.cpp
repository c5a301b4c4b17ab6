// paint_area.cpp - the painter's place in the host: its script actions
// (`snapshot`, `show layout`), and a picture of every window as it opens
// when the session asks for them.
#include <memory>

#include "core/offers.h"
#include "dialog/dialog_area.h"
#include "paint/snapshot.h"

namespace simhost {

namespace {

class PaintArea : public Area, public WindowWatcher {
 public:
  void OnWindowOpened(Host& host, const DialogObj& dialog, int sequence) override {
    SnapshotOnOpen(host, &dialog, sequence);
  }
};

// After the areas whose windows it draws.
const Offer kArea(3, []() -> std::unique_ptr<Area> { return std::make_unique<PaintArea>(); });
const Offer kActions(AddSnapshotActions);

}  // namespace

}  // namespace simhost
