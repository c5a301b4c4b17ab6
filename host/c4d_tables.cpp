// c4d_tables.cpp - recording the host's service tables.
#include "c4d_tables.h"

#include <cstdio>

namespace {

C4D_ServiceTables g_tables = {};

// A table pointer of the root, or NULL when the host's root does not reach
// that far (the host knows only `tableCount` tables).
template <class Table>
const Table* TableAt(const C4D_ServiceRoot& root, const Table* C4D_ServiceRoot::*member, int index,
                     const char* name) {
  const Table* table = index < root.tableCount ? root.*member : nullptr;
  if (table == nullptr)
    std::fprintf(stderr, "c4d host layer: the host provides no \"%s\" service table\n", name);
  return table;
}

}  // namespace

const C4D_ServiceTables& HostTables() { return g_tables; }

void RecordServiceTables(const C4D_ServiceRoot& root) {
  g_tables.memory = TableAt(root, &C4D_ServiceRoot::memory, 0, "memory");
  g_tables.container = TableAt(root, &C4D_ServiceRoot::container, 1, "container");
  g_tables.string = TableAt(root, &C4D_ServiceRoot::string, 2, "string");
  g_tables.filename = TableAt(root, &C4D_ServiceRoot::filename, 3, "filename");
  g_tables.resource = TableAt(root, &C4D_ServiceRoot::resource, 4, "resource");
  g_tables.bitmap = TableAt(root, &C4D_ServiceRoot::bitmap, 5, "bitmap");
  g_tables.registration = TableAt(root, &C4D_ServiceRoot::registration, 6, "registration");
  g_tables.dialog = TableAt(root, &C4D_ServiceRoot::dialog, 7, "dialog");
  g_tables.document = TableAt(root, &C4D_ServiceRoot::document, 8, "document");
  g_tables.command = TableAt(root, &C4D_ServiceRoot::command, 9, "command");
  g_tables.console = TableAt(root, &C4D_ServiceRoot::console, 10, "console");
  g_tables.prefs = TableAt(root, &C4D_ServiceRoot::prefs, 11, "prefs");
  g_tables.system = TableAt(root, &C4D_ServiceRoot::system, 12, "system");
}

void ForgetServiceTables() { g_tables = {}; }

bool HostCanFreeStrings() { return HOST_HAS(g_tables.string, Free); }

bool HostCanFreeFilenames() { return HOST_HAS(g_tables.filename, Free); }
