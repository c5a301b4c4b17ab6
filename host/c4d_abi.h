/*
 * c4d_abi.h - the C boundary between a plug-in module and the Cinema 4D host.
 *
 * Shared, unchanged, by the module (through the C++ layer in host/) and by any
 * host that loads it (the simulated host in simhost/). Plain C: no C++ types,
 * no exceptions, no STL crosses it.
 *
 * How a module is reached
 *   1. The host loads the module file and reads the exported record g_maxon
 *      (C4D_ModuleInfo): two 64-bit API versions, then the list of declaration
 *      entries the module's static initialisation linked in. The host resolves
 *      every C4D_DECL_REFERENCE entry by writing into its slot (NULL when it has
 *      nothing under that identifier).
 *   2. The host calls the exported c4d_main (C4D_MainFn) with the life-cycle
 *      actions C4D_PL_*. Action C4D_PL_INIT_SYS hands over the root of the
 *      service tables (C4D_ServiceRoot) in p1 and the module location (a
 *      C4D_Filename) in p3.
 *   3. Everything else the module does, it does through the service tables.
 *      The module imports nothing from the host at link time.
 *
 * Versioning
 *   C4D_ServiceRoot.apiVersion is the host API version (first 32-bit field).
 *   Every table starts with `size`, the byte size of the table as the host
 *   filled it: an entry lies inside the table only when its offset is below
 *   `size`. New entries are only ever appended. A table pointer or an entry
 *   may be NULL: the caller must then behave as if the call failed (answer
 *   false, NULL or empty) and never crash.
 *
 * Threads
 *   Unless an entry says otherwise, every entry may be called only on the
 *   host's main thread, the thread that calls c4d_main and the plug-in's
 *   callbacks, and only while the host is inside such a call.
 *
 * Ownership words used below
 *   owned    - the caller receives the object and must free it with the Free
 *              entry of the same table, on every path.
 *   borrowed - the host keeps the object; the caller must not free it and must
 *              not keep the pointer beyond the current call from the host.
 *   Arguments are always borrowed for the duration of the call unless said.
 *
 * Booleans are int32_t: 0 is false, anything else true.
 *
 * Contract tags
 *   Every entry carries one line [thread; phase; lends; rules]:
 *     thread  main: the host's main thread only, inside a call from the host
 *             (every entry, by now);
 *     phase   any: in any call from the host; start: only in c4d_main action
 *             2; window: on a dialog whose window exists (from its
 *             CreateLayout on); not-layout: never from inside the dialog's
 *             own CreateLayout; not-callback: never from inside one of the
 *             dialog's own callbacks;
 *     lends   owned: the answer is the caller's to free; borrowed: the host
 *             keeps it; lends a cell: a borrowed cell holding a borrowed
 *             handle; takes back / takes: the host frees it (takes: the
 *             registered object); none;
 *     rules   the simulated host's rule ids (simhost/docs/checks.md) that
 *             check the entry, beyond the three every entry has: main-thread,
 *             null-handle, live-handle. "-": none beyond those.
 */
#ifndef C4D_ABI_H
#define C4D_ABI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define C4D_API_VERSION 2026000

/* ---- opaque handles ------------------------------------------------------ */
typedef struct C4D_Container C4D_Container; /* BaseContainer: typed values by id */
typedef struct C4D_String C4D_String;       /* host string (UTF-8 in and out)   */
typedef struct C4D_Filename C4D_Filename;   /* file-system path                 */
typedef struct C4D_Resource C4D_Resource;   /* loaded resource set (res folder) */
typedef struct C4D_Bitmap C4D_Bitmap;       /* image                            */
typedef struct C4D_Dialog C4D_Dialog;       /* host side of a GeDialog          */
typedef struct C4D_Document C4D_Document;   /* BaseDocument                     */
typedef struct C4D_Node C4D_Node;           /* RenderData or a post effect      */
typedef struct C4D_DescID C4D_DescID;       /* parameter identifier             */
typedef struct C4D_Logger C4D_Logger;       /* a logger of the host's console   */

/* ---- module information (g_maxon) -------------------------------------- */
enum C4D_DeclarationKind {
  C4D_DECL_MODULE_ID = 1,  /* id: the module's reverse-domain identity       */
  C4D_DECL_DEPENDENCY = 2, /* id: a framework the module needs               */
  C4D_DECL_REFLECTION = 3, /* id ".reflection", label "[reflection registration]" */
  C4D_DECL_REFERENCE = 4   /* id: a host object to resolve into *slot        */
};

typedef struct C4D_Declaration {
  struct C4D_Declaration* next; /* next entry, NULL at the end                */
  int32_t kind;                 /* C4D_DeclarationKind                        */
  const char* id;               /* static UTF-8 text, never NULL              */
  const char* label;            /* static UTF-8 text or NULL                  */
  void** slot;                  /* REFERENCE only: the host stores the resolved
                                   object here at load (NULL: not available)  */
} C4D_Declaration;

typedef struct C4D_ModuleInfo {
  int64_t apiVersion;               /* C4D_API_VERSION                          */
  int64_t apiVersionCompatible;     /* C4D_API_VERSION                          */
  C4D_Declaration* declarations;    /* head of the list, in declaration order   */
  C4D_Declaration* lastDeclaration; /* tail, used while the list is built     */
  uint64_t reserved[4];             /* zero                                     */
} C4D_ModuleInfo;

/* The reference through which console lines reach the host. */
#define C4D_DEFAULT_LOGGER_ID "net.maxon.core.logger.default"
/* The framework whose location tells the host's built-in modules apart. */
#define C4D_CINEMA_FRAMEWORK_ID "net.maxon.c4d.cinema.framework"

/* ---- module entry (exported c4d_main) ------------------------------------ */
enum C4D_PluginAction {
  C4D_PL_INIT_SYS = 1,     /* p1: const C4D_ServiceRoot*, p3: const C4D_Filename* */
  C4D_PL_INIT = 2,         /* start                                         */
  C4D_PL_END = 3,          /* end                                           */
  C4D_PL_INIT_VERSION = 4, /* answers the entry-protocol version            */
  C4D_PL_MESSAGE = 6       /* p1: message id (low 32 bits), p2: data        */
};
enum C4D_PluginMessage { C4D_MSG_PRIORITY = 0, C4D_MSG_INIT_SYS = 1 };
enum C4D_PluginResult {
  C4D_PL_OK = 1,
  C4D_PL_ERROR = -1,
  C4D_PL_ERROR_VERSION = -3,
  C4D_PL_ENTRY_VERSION = 5
};
typedef int32_t (*C4D_MainFn)(int32_t action, void* p1, void* p2, void* p3);

/* ---- memory --------------------------------------------------------------- */
typedef struct C4D_MemoryTable {
  uint32_t size;
  /* Zero-filled block; owned (Free below), NULL when the host is out of memory. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  void* (*Alloc)(size_t bytes);
  /* Frees a block from Alloc; NULL is ignored. */
  /* [main; any; takes back; command-object] */
  void (*Free)(void* block);
} C4D_MemoryTable;

/* ---- containers ----------------------------------------------------------- */
typedef struct C4D_ContainerTable {
  uint32_t size;
  /* New empty container with its own id (-1: anonymous); owned, NULL on failure. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_Container* (*Create)(int32_t id);
  /* [main; any; takes back; lent-object] */
  void (*Free)(C4D_Container* c);
  /* [main; any; none; -] */
  int32_t (*GetId)(const C4D_Container* c);
  /* dst becomes an equal copy of src: the same id and exactly src's entries. */
  /* [main; any; none; lent-read-only] */
  void (*CopyTo)(const C4D_Container* src, C4D_Container* dst);
  /* The host's data model: a boolean is a 32-bit integer (SetBool stores 0 or
     1, GetBool answers value != 0 of any integer entry); a floating value is
     a type of its own. Reads answer `def` when the id is missing or holds a
     value of the other type. */
  /* [main; any; none; -] */
  int32_t (*GetInt32)(const C4D_Container* c, int32_t id, int32_t def);
  /* [main; any; none; -] */
  int32_t (*GetBool)(const C4D_Container* c, int32_t id, int32_t def);
  /* [main; any; none; -] */
  double (*GetFloat)(const C4D_Container* c, int32_t id, double def);
  /* Writes replace whatever the id held, whatever its type. */
  /* [main; any; none; lent-read-only] */
  void (*SetInt32)(C4D_Container* c, int32_t id, int32_t value);
  /* [main; any; none; lent-read-only] */
  void (*SetBool)(C4D_Container* c, int32_t id, int32_t value);
  /* [main; any; none; lent-read-only] */
  void (*SetFloat)(C4D_Container* c, int32_t id, double value);
} C4D_ContainerTable;

/* ---- strings -------------------------------------------------------------- */
typedef struct C4D_StringTable {
  uint32_t size;
  /* New string from UTF-8 (NULL gives an empty string); owned, NULL on failure. */
  /* [main; any; owned; utf8, leak-in-call, leak-at-quit] */
  C4D_String* (*Create)(const char* utf8);
  /* [main; any; takes back; lent-object] */
  void (*Free)(C4D_String* s);
  /* Writes at most cap-1 bytes and a terminating NUL into buf (when cap > 0);
     answers the full length in bytes without the NUL. */
  /* [main; any; none; argument] */
  size_t (*GetUtf8)(const C4D_String* s, char* buf, size_t cap);
} C4D_StringTable;

/* ---- file names ----------------------------------------------------------- */
typedef struct C4D_FilenameTable {
  uint32_t size;
  /* New empty path; owned, NULL on failure. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_Filename* (*Create)(void);
  /* [main; any; takes back; lent-object] */
  void (*Free)(C4D_Filename* f);
  /* dst takes src's path. */
  /* [main; any; none; lent-object] */
  void (*CopyFrom)(C4D_Filename* dst, const C4D_Filename* src);
  /* dst takes a path given as UTF-8 text. */
  /* [main; any; none; lent-object] */
  void (*SetUtf8)(C4D_Filename* dst, const char* utf8);
  /* New path: dir joined with one more component; owned, NULL on failure. */
  /* [main; any; owned; argument, leak-in-call, leak-at-quit] */
  C4D_Filename* (*Join)(const C4D_Filename* dir, const char* name);
  /* New path: the folder that holds f; owned, NULL on failure. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_Filename* (*GetDirectory)(const C4D_Filename* f);
  /* The full path as text; owned string, NULL on failure. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_String* (*GetString)(const C4D_Filename* f);
  /* The last component as text; owned string, NULL on failure. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_String* (*GetFileString)(const C4D_Filename* f);
  /* [main; any; none; -] */
  int32_t (*IsEmpty)(const C4D_Filename* f);
  /* [main; any; none; -] */
  int32_t (*Equal)(const C4D_Filename* a, const C4D_Filename* b);
} C4D_FilenameTable;

/* ---- resources ------------------------------------------------------------ */
typedef struct C4D_ResourceTable {
  uint32_t size;
  /* Loads the resource set of a `res` folder (symbols, string tables, dialog
     descriptions); owned (Free), NULL when the folder holds no usable set. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_Resource* (*LoadSet)(const C4D_Filename* resFolder);
  /* A resource object initialised from a plug-in folder: the host looks in
     that folder's `res`. Owned (Free), NULL when it cannot be loaded. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_Resource* (*LoadFromPluginFolder)(const C4D_Filename* pluginFolder);
  /* [main; any; takes back; -] */
  void (*Free)(C4D_Resource* r);
  /* String by id from a string table; owned; empty when r is NULL or the id
     is unknown; NULL only on failure to allocate. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_String* (*LoadString)(const C4D_Resource* r, int32_t id);
} C4D_ResourceTable;

/* ---- bitmaps -------------------------------------------------------------- */
enum { C4D_IMAGERESULT_OK = 1, C4D_IMAGERESULT_NOTEXISTING = -1, C4D_IMAGERESULT_WRONGTYPE = 2 };
typedef struct C4D_BitmapTable {
  uint32_t size;
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_Bitmap* (*Create)(void); /* owned, NULL on failure */
  /* [main; any; takes back; -] */
  void (*Free)(C4D_Bitmap* b);
  /* Reads an image file; answers C4D_IMAGERESULT_OK (1) or an error code. */
  /* [main; any; none; -] */
  int32_t (*InitFromFile)(C4D_Bitmap* b, const C4D_Filename* file);
  /* Sets a bitmap data entry (e.g. 100, the icon scale). */
  /* [main; any; none; -] */
  void (*SetData)(C4D_Bitmap* b, int32_t id, double value);
} C4D_BitmapTable;

/* ---- plug-in registration ------------------------------------------------- */
#define C4D_PLUGINTYPE_COMMAND 4
#define C4D_CMD_ENABLED 0x40000000

/* What a command plug-in hands over. The record is zero-filled, then filled;
   the host copies it, the help text and the icon during RegisterPlugin. Every
   operation receives `object` back as its first argument. */
typedef struct C4D_CommandRecord {
  int32_t info;
  /* Runs the object's destructor and gives its memory back (Memory.Free). The
     host calls it exactly once, when it lets go of the object. */
  void (*Destruct)(void* object);
  void* object; /* allocated with Memory.Alloc; the host owns it from now on */
  const C4D_String* help;
  const C4D_Bitmap* icon; /* NULL: no icon */
  /* The eight overridable operations, in the base class's slot order. */
  int32_t (*Execute)(void* object, C4D_Document* doc);
  int32_t (*ExecuteSubID)(void* object, C4D_Document* doc, int32_t subid);
  int32_t (*ExecuteOptionID)(void* object, C4D_Document* doc, int32_t subid);
  int32_t (*GetState)(void* object, C4D_Document* doc, C4D_Dialog* parentManager);
  int32_t (*GetSubContainer)(void* object, C4D_Document* doc, C4D_Container* submenu);
  int32_t (*RestoreLayout)(void* object, void* secret);
  /* Answers an owned string (the host frees it) or NULL for an empty one. */
  C4D_String* (*GetScriptName)(void* object);
  int32_t (*Message)(void* object, int32_t type, void* data);
} C4D_CommandRecord;

typedef struct C4D_RegistrationTable {
  uint32_t size;
  /* Registers a plug-in of `type` under `id`. On success the host owns the
     record's object; on refusal the host destroys it through Destruct. */
  /* [main; start; takes; register-phase, register-type, register-record, register-object] */
  int32_t (*RegisterPlugin)(int32_t type, int32_t id, const C4D_String* name, const void* record,
                            size_t recordSize, int32_t apiVersion);
} C4D_RegistrationTable;

/* ---- dialogs and menus ---------------------------------------------------- */
#define C4D_DLG_TYPE_MODAL 10
#define C4D_DLG_TYPE_ASYNC 20
#define C4D_BFM_ACTION 0x62414354       /* 'bACT' */
#define C4D_BFM_ACTION_ID 0x6D656964    /* 'meid' */
#define C4D_BFM_ACTION_VALUE 0x6D657661 /* 'meva' */

/* The dialog object's operations, called by the host with the context given to
   Create. The host calls them on the main thread only, one at a time. */
typedef struct C4D_DialogCallbacks {
  uint32_t size;
  int32_t (*CreateLayout)(void* ctx);
  int32_t (*InitValues)(void* ctx);
  /* msg: a borrowed 'bACT' container whose 'meid' is `id`. */
  int32_t (*Command)(void* ctx, int32_t id, const C4D_Container* msg);
  int32_t (*CoreMessage)(void* ctx, int32_t id, const C4D_Container* msg);
  /* Answers true to keep the window open. */
  int32_t (*AskClose)(void* ctx);
  void (*DestroyWindow)(void* ctx);
} C4D_DialogCallbacks;

typedef struct C4D_DialogTable {
  uint32_t size;
  /* Host side of a dialog bound to ctx; owned (Free), NULL on failure.
     `callbacks` must stay valid until Free. */
  /* [main; any; owned; dialog-callbacks, leak-in-call, leak-at-quit] */
  C4D_Dialog* (*Create)(const C4D_DialogCallbacks* callbacks, void* ctx);
  /* Closes a window that is still open (without asking), then frees. */
  /* [main; not-callback; takes back; free-in-callback] */
  void (*Free)(C4D_Dialog* d);
  /* Opens the window (or brings an open one to the front). The host calls
     CreateLayout and then InitValues on a new window. */
  /* [main; not-layout; none; window-in-layout, argument] */
  int32_t (*Open)(C4D_Dialog* d, int32_t type, int32_t pluginId, int32_t x, int32_t y, int32_t w,
                  int32_t h, int32_t subId);
  /* [main; not-layout; none; window-in-layout, argument] */
  int32_t (*RestoreLayout)(C4D_Dialog* d, int32_t pluginId, int32_t subId, void* secret);
  /* [main; not-layout; none; window-in-layout] */
  int32_t (*Close)(C4D_Dialog* d);
  /* Loads dialog description `id` from a resource into the window. */
  /* [main; window; none; no-window] */
  int32_t (*LoadDialogResource)(C4D_Dialog* d, int32_t id, const C4D_Resource* r, int32_t flags);
  /* Combo-box items. */
  /* [main; window; none; no-window, gadget-kind] */
  int32_t (*FreeChildren)(C4D_Dialog* d, int32_t gadget);
  /* [main; window; none; no-window, gadget-kind, combo-item] */
  int32_t (*AddChild)(C4D_Dialog* d, int32_t gadget, int32_t itemId, const C4D_String* text);
  /* The dialog's own menu bar. */
  /* [main; window; none; no-window] */
  int32_t (*MenuFlushAll)(C4D_Dialog* d);
  /* [main; window; none; no-window, menu-bar] */
  int32_t (*MenuSubBegin)(C4D_Dialog* d, const C4D_String* title);
  /* [main; window; none; no-window, menu-bar] */
  int32_t (*MenuAddString)(C4D_Dialog* d, int32_t id, const C4D_String* text);
  /* [main; window; none; no-window, menu-bar] */
  int32_t (*MenuAddSeparator)(C4D_Dialog* d);
  /* [main; window; none; no-window, menu-bar] */
  int32_t (*MenuAddCommand)(C4D_Dialog* d, int32_t commandId);
  /* [main; window; none; no-window, menu-bar] */
  int32_t (*MenuSubEnd)(C4D_Dialog* d);
  /* [main; window; none; no-window, menu-bar] */
  int32_t (*MenuFinished)(C4D_Dialog* d);
  /* Gadget values. A get answers false and leaves *out alone when the gadget
     does not exist (the module's layer does not rely on that: the real
     host's answer there is not defined). */
  /* [main; window; none; gadget-kind, argument] */
  int32_t (*SetInt32)(C4D_Dialog* d, int32_t gadget, int32_t value, int32_t min, int32_t max,
                      int32_t step, int32_t tristate);
  /* [main; window; none; gadget-kind] */
  int32_t (*SetBool)(C4D_Dialog* d, int32_t gadget, int32_t value, int32_t tristate);
  /* [main; window; none; gadget-kind, argument] */
  int32_t (*GetInt32)(C4D_Dialog* d, int32_t gadget, int32_t* out);
  /* [main; window; none; gadget-kind, argument] */
  int32_t (*GetBool)(C4D_Dialog* d, int32_t gadget, int32_t* out);
  /* [main; window; none; -] */
  int32_t (*Enable)(C4D_Dialog* d, int32_t gadget, int32_t enabled);
} C4D_DialogTable;

/* ---- documents, render settings, post effects ----------------------------- */
#define C4D_MSG_UPDATE 5
#define C4D_MSG_DESCRIPTION_CHECKUPDATE 17
#define C4D_MSG_DESCRIPTION_COMMAND 18
#define C4D_SETDATA_MERGE 1
#define C4D_BIT_VPDISABLED 4

/* Data of message 18 (a button parameter was pressed). */
typedef struct C4D_DescriptionCommand {
  C4D_DescID* id;           /* the parameter, owned by the sender          */
  void* parentDialog;       /* NULL                                        */
  const C4D_Container* msg; /* the 'bACT' action container                 */
  void* customGui;          /* NULL                                        */
  C4D_Container* container; /* an empty anonymous container                */
} C4D_DescriptionCommand;

/* Data of message 17. */
typedef struct C4D_DescriptionCheckUpdate {
  C4D_Document* doc;
  int32_t drawFlags;
  const C4D_DescID* descid;
} C4D_DescriptionCheckUpdate;

typedef struct C4D_DocumentTable {
  uint32_t size;
  /* Borrowed; NULL when the host has no active document. */
  /* [main; any; borrowed; -] */
  C4D_Document* (*GetActiveDocument)(void);
  /* Borrowed; NULL when the document has no active render settings. */
  /* [main; any; borrowed; active-document] */
  C4D_Node* (*GetActiveRenderData)(C4D_Document* doc);
  /* The node's live settings container; borrowed. Kept for modules built
     before GetDataInstanceCell: entries are only ever appended, so removing
     it would move every later entry. This layer does not call it. */
  /* [main; any; borrowed; node-kind, lent-object] */
  C4D_Container* (*GetDataInstance)(C4D_Node* node);
  /* Applies a container to the node's settings: with C4D_SETDATA_MERGE the
     entries of bc are written over the node's, others are kept; with 0 the
     node's settings are replaced by bc's entries. */
  /* [main; any; none; node-kind] */
  int32_t (*SetData)(C4D_Node* node, const C4D_Container* bc, int32_t flags);
  /* Sends a message; data as the message type defines it (may be NULL). */
  /* [main; any; none; argument] */
  int32_t (*SendMessage)(C4D_Node* node, int32_t type, void* data);
  /* First post effect of a render settings node, next node; borrowed or NULL. */
  /* [main; any; borrowed; node-kind] */
  C4D_Node* (*GetFirstVideoPost)(C4D_Node* renderData);
  /* [main; any; borrowed; -] */
  C4D_Node* (*GetNext)(C4D_Node* node);
  /* [main; any; none; -] */
  int32_t (*GetType)(const C4D_Node* node);
  /* [main; any; none; -] */
  int32_t (*GetAllBits)(const C4D_Node* node);
  /* [main; any; none; -] */
  void (*SetAllBits)(C4D_Node* node, int32_t bits);
  /* Parameter identifiers: levels of {id, data type, creator}. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_DescID* (*DescIDCreate)(void); /* owned, NULL on failure */
  /* [main; any; takes back; -] */
  void (*DescIDFree)(C4D_DescID* d);
  /* [main; any; none; -] */
  void (*DescIDPushLevel)(C4D_DescID* d, int32_t id, int32_t dtype, int32_t creator);
  /* [main; any; none; -] */
  void (*DescIDCopy)(C4D_DescID* dst, const C4D_DescID* src);
  /* Added with value containers: the cell in which the host keeps the handle
     of the node's live settings container (the one GetDataInstance answers).
     Borrowed; the cell stays where it is, and holds that handle, while the
     node lives. The module presents the cell as the node's BaseContainer. */
  /* [main; any; lends a cell; node-kind, lent-object] */
  C4D_Container* const* (*GetDataInstanceCell)(C4D_Node* node);
} C4D_DocumentTable;

/* ---- commands and events -------------------------------------------------- */
typedef struct C4D_CommandTable {
  uint32_t size;
  /* Runs a host command; does nothing when the host declines it. */
  /* [main; any; none; -] */
  void (*CallCommand)(int32_t id, int32_t subId);
  /* Posts a global update event (flags 0: EVENT::NONE). */
  /* [main; any; none; -] */
  void (*EventAdd)(int32_t flags);
} C4D_CommandTable;

/* ---- console -------------------------------------------------------------- */
typedef struct C4D_ConsoleTable {
  uint32_t size;
  /* One console line to a logger resolved through a C4D_DECL_REFERENCE entry.
     file and line are metadata for the logger, not part of the text. */
  /* [main; any; none; live-handle (the resolved logger only)] */
  int32_t (*WriteLine)(C4D_Logger* logger, const C4D_String* text, const char* file, int32_t line,
                       int32_t flags, int32_t level);
} C4D_ConsoleTable;

/* ---- preferences ---------------------------------------------------------- */
typedef struct C4D_PrefsTable {
  uint32_t size;
  /* The container stored under a plug-in id; borrowed, NULL when none. Kept
     for modules built before GetWorldPluginDataCell (see GetDataInstance);
     this layer does not call it. */
  /* [main; any; borrowed read-only; lent-read-only] */
  C4D_Container* (*GetWorldPluginData)(int32_t pluginId);
  /* Stores a copy of bc: add false replaces the stored container whole, add
     true merges into it. Answers false when the host cannot store it. */
  /* [main; any; none; -] */
  int32_t (*SetWorldPluginData)(int32_t pluginId, const C4D_Container* bc, int32_t add);
  /* Added with value containers: the cell holding the handle of the container
     stored under a plug-in id (the one GetWorldPluginData answers); borrowed,
     valid for the current call from the host; NULL when nothing is stored. */
  /* [main; any; lends a cell, read-only; lent-read-only] */
  C4D_Container* const* (*GetWorldPluginDataCell)(int32_t pluginId);
} C4D_PrefsTable;

/* ---- system: paths, files, message boxes ---------------------------------- */
#define C4D_GEMB_ICONEXCLAMATION 48
typedef struct C4D_SystemTable {
  uint32_t size;
  /* The host's start-up folder; owned. */
  /* [main; any; owned; leak-in-call, leak-at-quit] */
  C4D_Filename* (*GetStartupPath)(void);
  /* Where the host keeps a framework; owned, NULL when it has none. */
  /* [main; any; owned; argument, leak-in-call, leak-at-quit] */
  C4D_Filename* (*GetFrameworkLocation)(const char* frameworkId);
  /* Has the operating system open a file with its associated application. */
  /* [main; any; none; -] */
  int32_t (*ExecuteFile)(const C4D_Filename* file);
  /* Modal message box; answers the button pressed. */
  /* [main; any; none; -] */
  int32_t (*MessageDialog)(int32_t style, const C4D_String* text);
} C4D_SystemTable;

/* ---- the root handed over in C4D_PL_INIT_SYS ------------------------------ */

/* The service tables, in the order of their pointers in the root: X(field,
   table type, name). Every list of tables (the root, its count, the layer's
   record of them) is made from this one. New tables are only appended. */
#define C4D_SERVICE_TABLES(X)                            \
  X(memory, C4D_MemoryTable, "memory")                   \
  X(container, C4D_ContainerTable, "container")          \
  X(string, C4D_StringTable, "string")                   \
  X(filename, C4D_FilenameTable, "filename")             \
  X(resource, C4D_ResourceTable, "resource")             \
  X(bitmap, C4D_BitmapTable, "bitmap")                   \
  X(registration, C4D_RegistrationTable, "registration") \
  X(dialog, C4D_DialogTable, "dialog")                   \
  X(document, C4D_DocumentTable, "document")             \
  X(command, C4D_CommandTable, "command")                \
  X(console, C4D_ConsoleTable, "console")                \
  X(prefs, C4D_PrefsTable, "prefs")                      \
  X(system, C4D_SystemTable, "system")

typedef struct C4D_ServiceRoot {
  int32_t apiVersion; /* first field: the host API version */
  int32_t tableCount; /* number of table pointers below that the host knows */
#define C4D_ROOT_SLOT(field, type, name) const type* field;
  C4D_SERVICE_TABLES(C4D_ROOT_SLOT)
#undef C4D_ROOT_SLOT
} C4D_ServiceRoot;

#define C4D_COUNT_TABLE(field, type, name) +1
enum { C4D_SERVICE_TABLE_COUNT = 0 C4D_SERVICE_TABLES(C4D_COUNT_TABLE) };
#undef C4D_COUNT_TABLE

/* Is `entry` present in table `t` (non-NULL table, inside its size, set)? */
#define C4D_HAS(t, entry) \
  ((t) != NULL && offsetof(__typeof__(*(t)), entry) < (t)->size && (t)->entry != NULL)

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_H */
