// document.cpp - building a live document from a scene and showing its state.
#include "document/document.h"

namespace simhost {

std::unique_ptr<Document> Document::FromScene(const Scene& scene) {
  auto doc = std::make_unique<Document>();
  doc->name = scene.name;
  doc->interactiveRegion = scene.interactiveRegion;
  doc->reenableAll = scene.reenableAll;
  doc->reenableTypes = scene.reenableTypes;
  if (!scene.renderSettings) return doc;

  doc->renderData = std::make_unique<Node>();
  Node& rd = *doc->renderData;
  rd.kind = Node::Kind::RenderData;
  rd.type = kRenderDataType;
  rd.data = *scene.renderSettings;
  rd.document = doc.get();
  for (const auto& e : scene.effects) {
    auto node = std::make_unique<Node>();
    node->kind = Node::Kind::Effect;
    node->type = e.type;
    node->bits = e.bits;
    node->data = e.settings;
    node->document = doc.get();
    node->index = doc->effects.size();
    doc->effects.push_back(std::move(node));
  }
  return doc;
}

nlohmann::json Document::SettingsJson() const {
  return renderData ? ToTypedJson(renderData->data) : nlohmann::json(nullptr);
}

nlohmann::json Document::EffectsJson() const {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& e : effects)
    list.push_back({{"type", e->type}, {"enabled", e->Enabled()}, {"bits", e->bits}});
  return list;
}

}  // namespace simhost
