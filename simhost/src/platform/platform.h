// platform.h - the one place where the simulated host meets the operating
// system's module loader. Everything else in the host is portable C++.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace simhost::platform {

struct Library;  // a loaded module file

// File-name extension of a plug-in module on this system, with its dot.
const char* ModuleExtension();

// Loads a module file; NULL with `error` set when the system refuses it, or
// when the file is shorter than its own headers say (CheckModuleImage): the
// system loader would map pages past its end and fault on them.
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
// `path` must be a missing name or a regular file (WritableTarget). False
// with `error` set (whatever stood at `path` is then untouched).
bool WriteFileDurably(const std::string& path, const std::string& text, std::string& error);

// Whether `path` is a name the host may replace: missing, or a regular file
// (a final symbolic link is not followed, so a link is refused). Found
// without opening anything, so a named pipe or a device cannot block or
// react. False with `error` saying what stands there ("a named pipe, not a
// regular file; ..."); the caller names the path.
bool WritableTarget(const std::string& path, std::string& error);

// Reads the regular file at `path` (links followed), at most `limit` bytes.
// A named pipe, a device or a folder is refused before anything is read from
// it, and the file is opened so that it cannot block. False with `error`
// saying why ("cannot be read" when it is missing, "a named pipe, not a
// regular file", ...); the caller names the path.
bool ReadRegularFile(const std::string& path, std::string& out, std::string& error,
                     size_t limit = static_cast<size_t>(-1));

// Whether `path` names the system's null device (/dev/null, NUL): the one
// device the host reads, as an empty file.
bool IsNullDevice(const std::string& path);

// Reads all of standard input; false with `error` when it is closed, is a
// folder, is open only for writing or a read fails (an empty input is fine).
bool ReadStandardInput(std::string& out, std::string& error);

// Opens the event log for writing, appended to or emptied. A named pipe that
// no process reads is refused instead of waiting for a reader. NULL with
// `error` naming the path.
std::FILE* OpenLogFile(const std::string& path, bool append, std::string& error);

// Whether `bytes`, the start of a module file of `size` bytes, hold every
// part their headers place in the file: an ELF file's program headers and
// segments, a PE file's section table and sections. A file of another format
// passes (the system loader refuses it). False with `error` for one cut short.
bool CheckModuleImage(const std::string& bytes, std::string& error);

// Moves `from` to `to` unless `to` exists; false when it exists or the move fails.
bool MoveNoReplace(const std::string& from, const std::string& to);

}  // namespace simhost::platform
