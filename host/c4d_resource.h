// c4d_resource.h - resource sets (string tables, dialog descriptions): a
// GeResource object of the plug-in's own, and g_resource, the module-wide
// one loaded from the module's resource folder.
#pragma once

#include "c4d_abi.h"
#include "c4d_file.h"
#include "c4d_string.h"
#include "maxon/apibase.h"

namespace cinema {

class GeResource {
 public:
  GeResource();
  ~GeResource();
  GeResource(const GeResource&) = delete;
  GeResource& operator=(const GeResource&) = delete;

  // Loads the module's own resource folder (GeGetPluginResourcePath). The
  // load is tried once in the object's life; later calls answer from that
  // attempt, also after Free.
  Bool Init();
  // Loads the resource of a plug-in folder (the host looks in its `res`).
  // The same one attempt per object as Init(): a second call of either
  // answers from the first and loads nothing.
  Bool Init(const Filename& path, Bool regardIsStopped = true);
  // Gives the resource set and its strings back to the host.
  void Free();

  // String by id; the empty string when nothing is loaded or the id is
  // unknown. The reference stays valid until Free (for the first
  // kCachedStrings ids asked for; a string beyond those lives until the next
  // such load).
  const String& LoadString(Int32 id);

  static constexpr Int32 kCachedStrings = 32;

  // The host object, NULL when nothing is loaded.
  const C4D_Resource* GetHostHandle() const { return _resource; }

 private:
  C4D_Resource* _resource = nullptr;
  // Strings loaded so far, kept so that LoadString can answer a reference.
  // Kept inside the object: a load never asks the host for memory.
  Int32 _stringIds[kCachedStrings] = {};
  String _strings[kCachedStrings + 1];  // the last one takes what does not fit
  Int32 _stringCount = 0;
  Filename _folder;  // Init(): the folder of the one attempt
  Bool _attempted = false;
};

// The module-wide resource: loaded in the module's message 1, freed at its
// end. String ids of the plug-in's own string table are read through it.
extern GeResource g_resource;

// String by id from g_resource; the empty string when none is loaded.
const String& GeLoadString(Int32 id);

// The module's resource folder: `res` beside the module file (the relative
// "res" without a module location), or, for a module among the host's own
// built-in modules, the folder the host keeps for it under its start-up
// folder ("resource/modules/<module folder name>").
Filename GeGetPluginResourcePath();

}  // namespace cinema
