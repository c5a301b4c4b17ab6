// platform.h - the one place where the simulated host meets the operating
// system's module loader. Everything else in the host is portable C++.
#pragma once

#include <string>

namespace simhost::platform {

struct Library;  // a loaded module file

// File-name extension of a plug-in module on this system, with its dot.
const char* ModuleExtension();

// Loads a module file; NULL with `error` set when the system refuses it.
Library* OpenLibrary(const std::string& path, std::string& error);
// An exported symbol of a loaded module, or NULL.
void* FindSymbol(Library* library, const char* name);
// Unloads a module loaded by OpenLibrary.
void CloseLibrary(Library* library);
// Whether the system still holds `path` in memory (after CloseLibrary it
// should not: a module that stays resident keeps its static state).
bool IsResident(const std::string& path);

// The folder that holds the running program, with '/' separators.
std::string ExecutableFolder();

// Replaces `path` with `text` so that a crash or a power cut leaves either
// the old file or the new one: a temporary file of a name no other process
// uses, flushed to the disk, renamed over `path`, and the folder flushed.
// False with `error` set (the old file is then untouched).
bool WriteFileDurably(const std::string& path, const std::string& text, std::string& error);

// Moves `from` to `to` unless `to` exists; false when it exists or the move fails.
bool MoveNoReplace(const std::string& from, const std::string& to);

// Whether the process has a standard input to read from (it may be closed).
bool StandardInputOpen();

}  // namespace simhost::platform
