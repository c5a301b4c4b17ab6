// document_area.cpp - the host's documents, render settings and render commands.
#include "core/host.h"
#include "core/objects.h"

namespace simhost {

namespace {
struct DocumentArea : Area {};
}  // namespace

std::unique_ptr<Area> MakeDocumentArea() { return std::make_unique<DocumentArea>(); }

void AddDocumentActions(ActionRegistry&) {}

const C4D_DocumentTable* DocumentTable() {
  static const C4D_DocumentTable table = [] {
    C4D_DocumentTable t{};
    t.size = sizeof t;
    return t;
  }();
  return &table;
}

const C4D_CommandTable* CommandTable() {
  static const C4D_CommandTable table = [] {
    C4D_CommandTable t{};
    t.size = sizeof t;
    return t;
  }();
  return &table;
}

}  // namespace simhost
