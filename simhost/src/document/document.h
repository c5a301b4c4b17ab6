// document.h - the host's live documents: a document's active render
// settings node and its post-effect nodes, built from a scene. A C4D_Document*
// is a Document*, a C4D_Node* a Node*.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/objects.h"
#include "document/scene.h"

namespace simhost {

struct Document;

struct Node {
  enum class Kind { RenderData, Effect };
  Kind kind = Kind::Effect;
  int32_t type = 0;
  int32_t bits = 0;
  Container data;  // the live settings container GetDataInstance hands out
  // The cell GetDataInstanceCell lends; it is set to the handle of `data`
  // when lent, so a copied node never lends its original's.
  C4D_Container* dataCell = nullptr;
  Document* document = nullptr;
  size_t index = 0;  // an effect's place in its list

  bool IsRenderData() const { return kind == Kind::RenderData; }
  bool Enabled() const { return (bits & kBitDisabled) == 0; }
};

struct Document {
  std::string name;
  std::unique_ptr<Node> renderData;  // NULL: no active render settings
  std::vector<std::unique_ptr<Node>> effects;
  std::optional<std::array<int32_t, 4>> interactiveRegion;
  bool reenableAll = false;
  std::vector<int32_t> reenableTypes;

  static std::unique_ptr<Document> FromScene(const Scene& scene);

  // The render settings as the typed JSON form (null without render settings).
  nlohmann::json SettingsJson() const;
  // [{"type":T,"enabled":B,"bits":N}, ...] in list order.
  nlohmann::json EffectsJson() const;
};

inline Document* AsDocument(C4D_Document* d) { return reinterpret_cast<Document*>(d); }
inline C4D_Document* ToHandle(Document* d) { return reinterpret_cast<C4D_Document*>(d); }
inline Node* AsNode(C4D_Node* n) { return reinterpret_cast<Node*>(n); }
inline const Node* AsNode(const C4D_Node* n) { return reinterpret_cast<const Node*>(n); }
inline C4D_Node* ToHandle(Node* n) { return reinterpret_cast<C4D_Node*>(n); }

}  // namespace simhost
