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
  // A table's index is its place in the list.
  int index = 0;
#define C4D_RECORD_TABLE(field, type, name) \
  g_tables.field = TableAt(root, &C4D_ServiceRoot::field, index++, name);
  C4D_SERVICE_TABLES(C4D_RECORD_TABLE)
#undef C4D_RECORD_TABLE
}

void ForgetServiceTables() { g_tables = {}; }

bool HostCanFreeStrings() { return HOST_HAS(g_tables.string, Free); }

bool HostCanFreeFilenames() { return HOST_HAS(g_tables.filename, Free); }
