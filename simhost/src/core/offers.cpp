// offers.cpp - the list of everything the areas offer.
#include "core/offers.h"

namespace simhost {

namespace {

// Filled by namespace-scope objects during start-up, in whatever order their
// files are initialised; built on first use, so it exists before the first.
Offers& Mutable() {
  static Offers offers;
  return offers;
}

}  // namespace

const Offers& AllOffers() { return Mutable(); }

void Offer::AddTable(TableOffer offer) { Mutable().tables.push_back(std::move(offer)); }

Offer::Offer(void (*addActions)(ActionRegistry&)) { Mutable().actions.push_back(addActions); }

Offer::Offer(int order, std::unique_ptr<Area> (*make)()) {
  Mutable().areas.push_back({order, make});
}

}  // namespace simhost
