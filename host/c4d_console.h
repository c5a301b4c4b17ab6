// c4d_console.h - writing a line to the host console.
#pragma once

#include "c4d_string.h"
#include "c4d_types.h"

// Writes one line to the host's default logger; `file` and `line` travel with
// it as metadata. Dropped silently when the host has no default logger.
void WriteConsoleLine(const char* text, const char* file, Int32 line);
void WriteConsoleLine(const String& text, const char* file, Int32 line);
