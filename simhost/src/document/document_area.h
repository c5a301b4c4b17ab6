// document_area.h - the host's document area: the active document, the nodes
// and parameter identifiers handed to the plug-in, and the checks every
// document or command call goes through.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "core/host.h"
#include "document/document.h"

namespace simhost {

// What a C4D_DescID* points to: levels of {id, data type, creator}.
struct DescIdObj {
  std::vector<std::array<int32_t, 3>> levels;
};

inline constexpr TypedKind<DescIdObj> kDescIdKind = Kind<DescIdObj>("descid");

class DocumentArea : public Area {
 public:
  void OnStart(Host& host) override;
  void OnStop(Host& host) override;

  Document* Active() { return active_.get(); }
  // Makes `doc` the active document (NULL: none). The previous document is
  // retired, not freed, so that a handle kept from it can never alias a new
  // node and is always recognised as stale.
  // The live nodes' settings containers are lent to the plug-in as host
  // objects of kind "container" while their document is active.
  void SetActive(Host& host, std::unique_ptr<Document> doc);

  bool IsActiveDocument(const C4D_Document* d) const;
  // The node behind a handle, or NULL when it is not a node of the active
  // document.
  Node* LiveNode(const C4D_Node* n) const;

 private:
  std::unique_ptr<Document> active_;
  std::vector<std::unique_ptr<Document>> retired_;
  std::unordered_set<const Node*> liveNodes_;
};

// The document area of the running host, when a host runs and `call` comes
// on its main thread; otherwise the misuse is reported and NULL answered.
DocumentArea* EnterDocumentCall(const char* call);

// Writes a text of several lines to the transcript, line by line.
void SayLines(Host& host, const std::string& text);

}  // namespace simhost
