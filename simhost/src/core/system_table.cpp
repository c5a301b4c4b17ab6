// system_table.cpp - the host's folders, opening files, message boxes.
#include <filesystem>

#include "core/core.h"
#include "core/offers.h"

namespace simhost {

namespace {

C4D_Filename* NewPath(Host& host, std::string path) {
  if (!host.AllowCreate(kFilenameKind)) return nullptr;
  auto* f = new FilenameObj{std::move(path)};
  host.ledger.Add(kFilenameKind, f);
  return reinterpret_cast<C4D_Filename*>(f);
}

C4D_Filename* GetStartupPath() {
  Host* host = Enter("System.GetStartupPath");
  return host == nullptr ? nullptr : NewPath(*host, platform::ExecutableFolder());
}

C4D_Filename* GetFrameworkLocation(const char* frameworkId) {
  constexpr const char* kCall = "System.GetFrameworkLocation";
  Host* host = Enter(kCall);
  if (host == nullptr) return nullptr;
  if (frameworkId == nullptr) {
    host->Misuse(Rule::Argument, kCall, "NULL framework id");
    return nullptr;
  }
  for (const auto& id : HostFrameworks())
    if (id == frameworkId) return NewPath(*host, JoinPath(FrameworkFolder(), id));
  return nullptr;
}

int32_t ExecuteFile(const C4D_Filename* file) {
  constexpr const char* kCall = "System.ExecuteFile";
  auto [host, filename] = Enter(kCall, kFilenameKind, file);
  if (filename == nullptr) return 0;
  const std::string& path = filename->path;
  std::error_code ec;
  const bool exists = !path.empty() && std::filesystem::exists(path, ec);
  // Nothing is launched: the host records what the system would have opened.
  host->journal.Say("simhost: the system opens " + path + (exists ? "" : " (no such file)"));
  host->journal.Emit({{"event", "open"}, {"path", path}, {"exists", exists}});
  return exists ? 1 : 0;
}

int32_t MessageDialog(int32_t style, const C4D_String* text) {
  constexpr const char* kCall = "System.MessageDialog";
  auto [host, string] = Enter(kCall, kStringKind, text);
  if (string == nullptr) return 0;
  const std::string& message = string->utf8;
  host->journal.Emit({{"event", "messagebox"}, {"text", message}, {"style", style}});
  size_t start = 0;
  do {
    size_t end = message.find('\n', start);
    if (end == std::string::npos) end = message.size();
    host->journal.Say("message box | " + message.substr(start, end - start));
    start = end + 1;
  } while (start <= message.size());
  host->journal.Say("simhost: the user presses OK");
  return 1;
}

}  // namespace

const std::vector<std::string>& HostFrameworks() {
  static const std::vector<std::string> frameworks = {
      "net.maxon.c4d.cinema.framework", "net.maxon.command.framework",
      "net.maxon.core.framework",       "net.maxon.crypt.framework",
      "net.maxon.image.framework",      "net.maxon.math.framework",
      "net.maxon.mesh_misc.framework",  "net.maxon.modeling_geom.framework",
      "net.maxon.python.framework"};
  return frameworks;
}

std::string FrameworkFolder() { return JoinPath(platform::ExecutableFolder(), "frameworks"); }

namespace {

const C4D_SystemTable* Table() {
  static const C4D_SystemTable table = {sizeof(C4D_SystemTable), GetStartupPath,
                                        GetFrameworkLocation, ExecuteFile, MessageDialog};
  return &table;
}

const Offer kOffer("system", &C4D_ServiceRoot::system, Table());

}  // namespace

}  // namespace simhost
