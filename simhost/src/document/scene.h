// scene.h - a document as a scene file describes it: the active render
// settings, their post effects and the interactive render region. Scenes are
// plain data; the live document (document.h) is built from one.
#pragma once

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>
#include "c4d_host_numbers.h"

#include "core/objects.h"

namespace simhost {

// The type id the host gives its render-settings nodes.
constexpr int32_t kRenderDataType = 110304;
// A node's bit that switches a post effect off.
constexpr int32_t kBitDisabled = BIT_VPDISABLED;

struct SceneEffect {
  int32_t type = 0;
  int32_t bits = 0;  // bit 4 set: switched off
  Container settings;
};

struct Scene {
  std::string name;  // the file it came from, or "default"
  // Absent: the document has no active render settings (and so no effects).
  std::optional<Container> renderSettings;
  std::vector<SceneEffect> effects;
  // left, top, right, bottom in pixels; absent when no region is open.
  std::optional<std::array<int32_t, 4>> interactiveRegion;
  // While a render runs the host switches post effects back on: every effect
  // when `reenableAll`, else those of the listed types.
  bool reenableAll = false;
  std::vector<int32_t> reenableTypes;
};

// The host's defaults: standard renderer, every render setting the plug-in
// reads or writes, a few common post effects, an interactive render region.
Scene DefaultScene();
// The default scene's render settings alone.
Container DefaultRenderSettings();

// Reads a scene from its JSON form. False with `error` saying what is wrong
// (the key or array index, and why); `out` is then unspecified.
bool ParseScene(const nlohmann::json& j, Scene& out, std::string& error);
// Reads a scene file. False with `error` naming the path and what is wrong.
bool LoadSceneFile(const std::string& path, Scene& out, std::string& error);

// The JSON form of a scene (what ParseScene reads back to an equal scene).
nlohmann::json SceneToJson(const Scene& scene);

}  // namespace simhost
