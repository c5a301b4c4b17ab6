// c4d_declarations.cpp - the module's load-time declarations. Each entry
// links itself at the tail of the list in g_maxon during static
// initialisation, so the list keeps the order in which they are written here
// (one translation unit: its objects are initialised top to bottom).
#include "c4d_declarations.h"

#include "c4d_export.h"

extern "C" {
C4D_EXPORT C4D_ModuleInfo g_maxon = {
    C4D_API_VERSION, C4D_API_VERSION, nullptr, nullptr, {0, 0, 0, 0}};
}

namespace {

// Filled by the host at load through the reference entry below.
void* g_defaultLogger = nullptr;

class Declaration {
 public:
  Declaration(int32_t kind, const char* id, const char* label = nullptr, void** slot = nullptr)
      : _entry{nullptr, kind, id, label, slot} {
    if (g_maxon.lastDeclaration != nullptr)
      g_maxon.lastDeclaration->next = &_entry;
    else
      g_maxon.declarations = &_entry;
    g_maxon.lastDeclaration = &_entry;
  }
  Declaration(const Declaration&) = delete;
  Declaration& operator=(const Declaration&) = delete;

 private:
  C4D_Declaration _entry;
};

const Declaration g_moduleIdentity(C4D_DECL_MODULE_ID, MAXON_MODULE_ID);

const Declaration g_dependencies[] = {
    {C4D_DECL_DEPENDENCY, "net.maxon.c4d.cinema.framework"},
    {C4D_DECL_DEPENDENCY, "net.maxon.command.framework"},
    {C4D_DECL_DEPENDENCY, "net.maxon.core.framework"},
    {C4D_DECL_DEPENDENCY, "net.maxon.crypt.framework"},
    {C4D_DECL_DEPENDENCY, "net.maxon.image.framework"},
    {C4D_DECL_DEPENDENCY, "net.maxon.math.framework"},
    {C4D_DECL_DEPENDENCY, "net.maxon.mesh_misc.framework"},
    {C4D_DECL_DEPENDENCY, "net.maxon.modeling_geom.framework"},
    {C4D_DECL_DEPENDENCY, "net.maxon.python.framework"},
};

const Declaration g_reflection(C4D_DECL_REFLECTION, ".reflection", "[reflection registration]");

const Declaration g_loggerReference(C4D_DECL_REFERENCE, C4D_DEFAULT_LOGGER_ID, nullptr,
                                    &g_defaultLogger);

}  // namespace

C4D_Logger* GetDefaultLogger() { return static_cast<C4D_Logger*>(g_defaultLogger); }
