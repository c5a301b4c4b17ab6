// document_area.cpp - the active document and the checks of document calls.
#include "document/document_area.h"
#include "core/offers.h"

#include <sstream>

namespace simhost {

void DocumentArea::OnStart(Host& host) {
  // A host starts with a fresh document on the default scene.
  SetActive(host, Document::FromScene(DefaultScene()));
}

void DocumentArea::OnStop(Host& host) {
  SetActive(host, nullptr);
  retired_.clear();
}

void DocumentArea::SetActive(Host& host, std::unique_ptr<Document> doc) {
  for (const Node* n : liveNodes_) host.RemoveHostObject(kContainerKind, &n->data);
  liveNodes_.clear();
  if (active_) retired_.push_back(std::move(active_));
  active_ = std::move(doc);
  if (!active_) return;
  auto add = [&](Node* n) {
    liveNodes_.insert(n);
    host.AddHostObject(kContainerKind, &n->data);
  };
  if (active_->renderData) add(active_->renderData.get());
  for (auto& e : active_->effects) add(e.get());
}

bool DocumentArea::IsActiveDocument(const C4D_Document* d) const {
  return d != nullptr && active_ && reinterpret_cast<const Document*>(d) == active_.get();
}

Node* DocumentArea::LiveNode(const C4D_Node* n) const {
  const Node* node = AsNode(n);
  return liveNodes_.count(node) ? const_cast<Node*>(node) : nullptr;
}

DocumentArea* EnterDocumentCall(const char* call) {
  Host* host = Enter(call);
  return host != nullptr ? &host->AreaOf<DocumentArea>() : nullptr;
}

void SayLines(Host& host, const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) host.journal.Say(line);
}

namespace {

// Areas start in order: resources and dialogs, then documents.
const Offer kArea(2, []() -> std::unique_ptr<Area> { return std::make_unique<DocumentArea>(); });

}  // namespace

}  // namespace simhost
