// badmodule.cpp - a plug-in module that misbehaves on purpose, built only for
// the tests of the simulated host's misuse and leak checks. Each registered
// command breaks one rule when it is run (two only arm the module, and the
// rule is broken when the script runs its start again: `entry 2`); with
// BADMODULE_LEAK_AT_START the module also keeps a container from its start
// that it never frees.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <thread>

#include "c4d_abi.h"
#include "c4d_export.h"

namespace {

// The command ids the tests run.
enum : int32_t {
  kClean = 1900000,             // creates and frees: no report
  kLeakInExecute = 1900001,     // a container left behind by Execute
  kOtherThread = 1900002,       // a table call from a thread of its own
  kDoubleFree = 1900003,        // a container freed twice
  kFreeOwnObject = 1900004,     // frees its own command object, which the host owns
  kCloseInLayout = 1900005,     // closes its dialog from inside CreateLayout
  kRegisterLate = 1900006,      // registers a command outside the start
  kLeakInLayout = 1900007,      // a string left behind by CreateLayout
  kLeakInCommand = 1900008,     // a container left behind by the dialog's Command
  kLeakDescId = 1900009,        // a parameter identifier left behind by Execute
  kStaleHandle = 1900010,       // a freed container used and freed again after a new one
  kBadUtf8 = 1900011,           // strings of malformed UTF-8
  kWriteLentPrefs = 1900012,    // writes into the stored preferences the host lends
  kShortFields = 1900013,       // a dialog whose callbacks' size cuts the Command field
  kThreadStorm = 1900014,       // table calls from a second thread while the first calls too
  kNullHandle = 1900015,        // a NULL container
  kFreeLocation = 1900016,      // frees the module location, which the host only lends
  kNullArgument = 1900017,      // a NULL framework id
  kNullDocument = 1900018,      // render settings of a document that is not the active one
  kEffectAsSettings = 1900019,  // a post effect where render settings are needed
  kRegisterBadType = 1900020,   // registers a plug-in type the host does not have
  kRegisterNoRecord = 1900021,  // registers without a command record
  kArmStaticObject = 1900022,   // arms the start to register an object not from Memory.Alloc
  kNullCallbacks = 1900023,     // creates a dialog without callbacks
  kFreeInLayout = 1900024,      // frees its dialog from inside CreateLayout
  kMenuNoWindow = 1900025,      // builds a menu on a dialog that has no window
  kWrongGadget = 1900026,       // sets a combo box as a check box
  kComboItemTwice = 1900027,    // adds one item id to a combo box twice
  kMenuSubEndAlone = 1900028,   // ends a sub-menu that is not open
  kKeepPastCall = 1900029,      // a container left by Execute, freed at the end
  kArmKeepAtStart = 1900030,    // arms the start to keep a container it never frees
};
constexpr int32_t kLast = kArmKeepAtStart;
constexpr int32_t kLeakyMenuEntry = 77;
constexpr int32_t kStaticCommand = 1900097;  // registered by an armed start

// Ids of the module's dialog description (res/c4d_symbols.h).
constexpr int32_t DLG_BAD = 1900100;
constexpr int32_t IDC_BAD_COMBO = 1900101;

const C4D_ServiceRoot* g_root = nullptr;
C4D_Filename* g_location = nullptr;  // lent by the host in action 1
C4D_Dialog* g_dialog = nullptr;
C4D_Dialog* g_short = nullptr;       // the dialog of kShortCallbacks
int32_t g_mode = 0;                  // the command that opened the dialog
int32_t g_startMode = 0;             // what the next start does instead (an arming command)
C4D_Resource* g_resource = nullptr;  // while a gadget mode's dialog opens
C4D_Container* g_keptPastCall = nullptr;
#ifdef BADMODULE_LEAK_AT_START
C4D_Container* g_kept = nullptr;
#endif

C4D_String* Text(const char* utf8) { return g_root->string->Create(utf8); }

int32_t CreateLayout(void*) {
  const C4D_DialogTable* dlg = g_root->dialog;
  C4D_Dialog* const dialog = g_mode == kShortFields ? g_short : g_dialog;
  if (g_mode == kCloseInLayout) dlg->Close(dialog);
  if (g_mode == kLeakInLayout) Text("never freed");
  if (g_mode == kFreeInLayout) {
    dlg->Free(dialog);
    g_dialog = nullptr;
    return 0;
  }
  if (g_mode == kWrongGadget || g_mode == kComboItemTwice) {
    dlg->LoadDialogResource(dialog, DLG_BAD, g_resource, 0);
    if (g_mode == kWrongGadget) dlg->SetBool(dialog, IDC_BAD_COMBO, 1, 0);
    if (g_mode == kComboItemTwice) {
      C4D_String* item = Text("item");
      dlg->AddChild(dialog, IDC_BAD_COMBO, 5, item);
      dlg->AddChild(dialog, IDC_BAD_COMBO, 5, item);
      g_root->string->Free(item);
    }
  }
  C4D_String* title = Text("Bad");
  C4D_String* entry = Text("Leak a container");
  dlg->MenuFlushAll(dialog);
  dlg->MenuSubBegin(dialog, title);
  dlg->MenuAddString(dialog, kLeakyMenuEntry, entry);
  dlg->MenuSubEnd(dialog);
  dlg->MenuFinished(dialog);
  if (g_mode == kMenuSubEndAlone) dlg->MenuSubEnd(dialog);
  g_root->string->Free(entry);
  g_root->string->Free(title);
  return 1;
}

int32_t InitValues(void*) { return 1; }

int32_t DialogCommand(void*, int32_t id, const C4D_Container*) {
  if (id == kLeakyMenuEntry) g_root->container->Create(-1);
  return 1;
}

const C4D_DialogCallbacks kCallbacks = {sizeof(C4D_DialogCallbacks),
                                        CreateLayout,
                                        InitValues,
                                        DialogCommand,
                                        nullptr,
                                        nullptr,
                                        nullptr};

// The same callbacks, with a size that covers only part of the Command field:
// the host must treat Command as absent.
const C4D_DialogCallbacks kShortCallbacks = {
    static_cast<uint32_t>(offsetof(C4D_DialogCallbacks, Command) + 1),
    CreateLayout,
    InitValues,
    DialogCommand,
    nullptr,
    nullptr,
    nullptr};

void Destruct(void* object) { g_root->memory->Free(object); }
void KeepStatic(void*) {}  // the armed start's object is not the host's to free

// Opens the module's dialog for a mode that breaks a rule from inside it.
int32_t OpenFor(int32_t mode) {
  g_mode = mode;
  return g_root->dialog->Open(g_dialog, C4D_DLG_TYPE_ASYNC, mode, -1, -1, 0, 0, 0);
}

struct CommandObject {
  int32_t id;
};

int32_t Execute(void* object, C4D_Document* doc) {
  const int32_t id = static_cast<CommandObject*>(object)->id;
  const C4D_ContainerTable* bc = g_root->container;
  switch (id) {
    case kClean:
      bc->Free(bc->Create(-1));
      return 1;
    case kLeakInExecute:
      bc->Create(-1);
      return 1;
    case kOtherThread: {
      C4D_Container* made = nullptr;
      std::thread worker([&] { made = bc->Create(-1); });
      worker.join();
      if (made != nullptr) bc->Free(made);
      return 1;
    }
    case kDoubleFree: {
      C4D_Container* c = bc->Create(-1);
      bc->Free(c);
      bc->Free(c);
      return 1;
    }
    case kFreeOwnObject:
      g_root->memory->Free(object);
      return 1;
    case kLeakDescId:
      g_root->document->DescIDCreate();
      return 1;
    case kStaleHandle: {
      C4D_Container* old = bc->Create(-1);
      bc->Free(old);
      C4D_Container* fresh = bc->Create(-1);  // the allocator may hand out old's address
      bc->SetInt32(old, 1, 1);
      bc->Free(old);
      bc->Free(fresh);
      return 1;
    }
    case kBadUtf8:
      for (const char* text :
           {"\xED\xA0\x80", "\xC0\xAF", "\xF4\x90\x80\x80", "ok \xF0\x9F\x98\x80"})
        g_root->string->Free(Text(text));
      return 1;
    case kWriteLentPrefs: {
      C4D_Container* mine = bc->Create(-1);
      bc->SetInt32(mine, 1, 1);
      g_root->prefs->SetWorldPluginData(kWriteLentPrefs, mine, 0);
      bc->Free(mine);
      C4D_Container* lent = g_root->prefs->GetWorldPluginData(kWriteLentPrefs);
      bc->SetInt32(lent, 1, 2);
      return bc->GetInt32(lent, 1, 0);
    }
    case kShortFields:
      g_mode = id;
      return g_root->dialog->Open(g_short, C4D_DLG_TYPE_ASYNC, id, -1, -1, 0, 0, 0);
    case kThreadStorm: {
      std::thread worker([&] {
        for (int i = 0; i < 200; ++i) bc->GetId(nullptr);
      });
      for (int i = 0; i < 200; ++i) bc->GetId(nullptr);
      worker.join();
      return 1;
    }
    case kNullHandle:
      return bc->GetId(nullptr) == -1 ? 1 : 0;
    case kFreeLocation:
      g_root->filename->Free(g_location);
      return 1;
    case kNullArgument:
      return g_root->system->GetFrameworkLocation(nullptr) == nullptr ? 1 : 0;
    case kNullDocument:
      return g_root->document->GetActiveRenderData(nullptr) == nullptr ? 1 : 0;
    case kEffectAsSettings: {
      const C4D_DocumentTable* documents = g_root->document;
      C4D_Node* effect = documents->GetFirstVideoPost(documents->GetActiveRenderData(doc));
      return effect != nullptr && documents->GetFirstVideoPost(effect) == nullptr ? 1 : 0;
    }
    case kRegisterBadType:
      return g_root->registration->RegisterPlugin(5, 1900098, nullptr, nullptr, 0, C4D_API_VERSION);
    case kRegisterNoRecord:
      return g_root->registration->RegisterPlugin(C4D_PLUGINTYPE_COMMAND, 1900098, nullptr, nullptr,
                                                  0, C4D_API_VERSION);
    case kArmStaticObject:
    case kArmKeepAtStart:
      g_startMode = id;
      return 1;
    case kNullCallbacks:
      return g_root->dialog->Create(nullptr, nullptr) == nullptr ? 1 : 0;
    case kMenuNoWindow:
      return g_root->dialog->MenuFlushAll(g_dialog);
    case kWrongGadget:
    case kComboItemTwice: {
      g_resource = g_root->resource->LoadFromPluginFolder(g_location);
      const int32_t opened = OpenFor(id);
      g_root->resource->Free(g_resource);
      g_resource = nullptr;
      return opened;
    }
    case kKeepPastCall:
      if (g_keptPastCall == nullptr) g_keptPastCall = bc->Create(-1);
      return 1;
    case kRegisterLate: {
      void* late = g_root->memory->Alloc(sizeof(CommandObject));
      C4D_CommandRecord record;
      std::memset(&record, 0, sizeof record);
      record.Destruct = Destruct;
      record.object = late;
      return g_root->registration->RegisterPlugin(C4D_PLUGINTYPE_COMMAND, 1900099, nullptr, &record,
                                                  sizeof record, C4D_API_VERSION);
    }
    default:
      return OpenFor(id);
  }
}

int32_t GetState(void*, C4D_Document*, C4D_Dialog*) { return C4D_CMD_ENABLED; }

bool Register(int32_t id) {
  auto* object = static_cast<CommandObject*>(g_root->memory->Alloc(sizeof(CommandObject)));
  if (object == nullptr) return false;
  object->id = id;
  C4D_CommandRecord record;
  std::memset(&record, 0, sizeof record);
  record.Destruct = Destruct;
  record.object = object;
  record.Execute = Execute;
  record.GetState = GetState;
  C4D_String* name = Text("bad command");
  const int32_t ok = g_root->registration->RegisterPlugin(C4D_PLUGINTYPE_COMMAND, id, name, &record,
                                                          sizeof record, C4D_API_VERSION);
  g_root->string->Free(name);
  return ok != 0;
}

// A start run again by the script (`entry 2`) after an arming command.
bool ArmedStart() {
  const int32_t mode = g_startMode;
  g_startMode = 0;
  if (mode == kArmKeepAtStart) return g_root->container->Create(-1) != nullptr;
  // kArmStaticObject: a whole record, but its object is not a host block.
  static CommandObject notAllocated = {kStaticCommand};
  C4D_CommandRecord record;
  std::memset(&record, 0, sizeof record);
  record.Destruct = KeepStatic;
  record.object = &notAllocated;
  return g_root->registration->RegisterPlugin(C4D_PLUGINTYPE_COMMAND, kStaticCommand, nullptr,
                                              &record, sizeof record, C4D_API_VERSION) != 0;
}

bool Start() {
  if (g_startMode != 0) return ArmedStart();
  g_dialog = g_root->dialog->Create(&kCallbacks, nullptr);
  g_short = g_root->dialog->Create(&kShortCallbacks, nullptr);
#ifdef BADMODULE_LEAK_AT_START
  g_kept = g_root->container->Create(-1);
#endif
  bool ok = true;
  for (int32_t id = kClean; id <= kLast; ++id) ok = Register(id) && ok;
  return ok;
}

void End() {
  if (g_keptPastCall != nullptr) g_root->container->Free(g_keptPastCall);
  g_keptPastCall = nullptr;
  if (g_dialog != nullptr) g_root->dialog->Free(g_dialog);
  g_dialog = nullptr;
  if (g_short != nullptr) g_root->dialog->Free(g_short);
  g_short = nullptr;
}

C4D_Declaration g_identity = {nullptr, C4D_DECL_MODULE_ID, "org.example.badmodule", nullptr,
                              nullptr};

}  // namespace

extern "C" {

C4D_EXPORT C4D_ModuleInfo g_maxon = {
    C4D_API_VERSION, C4D_API_VERSION, &g_identity, &g_identity, {0, 0, 0, 0}};

C4D_EXPORT int32_t c4d_main(int32_t action, void* p1, void*, void* p3) {
  switch (action) {
    case C4D_PL_INIT_VERSION:
      return C4D_PL_ENTRY_VERSION;
    case C4D_PL_INIT_SYS:
      g_root = static_cast<const C4D_ServiceRoot*>(p1);
      g_location = static_cast<C4D_Filename*>(p3);
      return g_root != nullptr ? C4D_PL_OK : C4D_PL_ERROR_VERSION;
    case C4D_PL_MESSAGE:
      return C4D_PL_OK;
    case C4D_PL_INIT:
      return Start() ? 1 : 0;
    case C4D_PL_END:
      End();
      return C4D_PL_OK;
    default:
      return C4D_PL_ERROR;
  }
}

}  // extern "C"
