// document_area.cpp - the active document and the checks of document calls.
#include "document/document_area.h"

#include <cstdio>
#include <sstream>

namespace simhost {

void DocumentArea::OnStart(Host&) {
  // A host starts with a fresh document on the default scene.
  mainThread_ = std::this_thread::get_id();
  SetActive(Document::FromScene(DefaultScene()));
}

void DocumentArea::OnStop(Host&) {
  liveNodes_.clear();
  liveContainers_.clear();
  active_.reset();
  retired_.clear();
}

void DocumentArea::SetActive(std::unique_ptr<Document> doc) {
  if (active_) retired_.push_back(std::move(active_));
  liveNodes_.clear();
  liveContainers_.clear();
  active_ = std::move(doc);
  if (!active_) return;
  auto add = [this](Node* n) {
    liveNodes_.insert(n);
    liveContainers_.insert(&n->data);
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

bool DocumentArea::IsNodeContainer(const C4D_Container* c) const {
  return liveContainers_.count(AsContainer(c)) != 0;
}

DocumentArea* EnterDocumentCall(const char* call) {
  Host* host = Current();
  if (!host) {
    std::fprintf(stderr, "simhost: %s called while no host runs\n", call);
    return nullptr;
  }
  auto& area = host->AreaOf<DocumentArea>();
  if (!area.OnMainThread()) {
    host->Misuse(call, "called off the host's main thread");
    return nullptr;
  }
  return &area;
}

bool IsUsableContainer(Host& host, const C4D_Container* c) {
  return c != nullptr &&
         (host.ledger.Has("container", c) || host.AreaOf<DocumentArea>().IsNodeContainer(c));
}

void SayLines(Host& host, const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) host.journal.Say(line);
}

std::unique_ptr<Area> MakeDocumentArea() { return std::make_unique<DocumentArea>(); }

}  // namespace simhost
