// c4d_tables.h - the host's service tables as the module recorded them at
// system initialisation. Every wrapper reaches the host through these, and
// checks the entry with HOST_HAS first: a missing table or entry makes the
// call fail quietly instead of crashing.
#pragma once

#include <cstddef>
#include <type_traits>

#include "c4d_abi.h"

// One pointer per service table of the root, NULL for a table the host
// lacks.
struct C4D_ServiceTables {
#define C4D_RECORD_SLOT(field, type, name) const type* field;
  C4D_SERVICE_TABLES(C4D_RECORD_SLOT)
#undef C4D_RECORD_SLOT
};

// The recorded tables; every pointer is NULL before system initialisation.
const C4D_ServiceTables& HostTables();

// Records every table the root holds. A table the root lacks is reported once
// on stderr and left NULL; recording carries on.
void RecordServiceTables(const C4D_ServiceRoot& root);

// Forgets every table (a refused initialisation must not leave half a host).
void ForgetServiceTables();

// Can the module give back host objects of that kind? Nothing is asked of
// the host that could not be freed again.
bool HostCanFreeStrings();
bool HostCanFreeFilenames();

// Is `entry` present in `table` (non-NULL table, inside its size, set)?
// The portable twin of C4D_HAS for the C++ side.
#define HOST_HAS(table, entry)                                                 \
  ((table) != nullptr &&                                                       \
   offsetof(std::remove_cvref_t<decltype(*(table))>, entry) < (table)->size && \
   (table)->entry != nullptr)
