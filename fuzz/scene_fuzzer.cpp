// scene_fuzzer.cpp - the simulated host's scene loader, whatever the text of
// a scene file. A scene it accepts must survive the trip through its JSON
// form unchanged and make a live document; one it refuses must say why.
#include <cstddef>
#include <cstdint>
#include <string>

#include "document/document.h"
#include "document/scene.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
  if (j.is_discarded()) return 0;

  simhost::Scene scene;
  std::string error;
  if (!simhost::ParseScene(j, scene, error)) {
    if (error.empty()) brevio_fuzz::Fail("a scene refused without a reason", text);
    return 0;
  }
  const nlohmann::json shown = simhost::SceneToJson(scene);
  simhost::Scene again;
  if (!simhost::ParseScene(shown, again, error))
    brevio_fuzz::Fail("the JSON form of an accepted scene is refused: " + error, shown.dump());
  if (simhost::SceneToJson(again) != shown)
    brevio_fuzz::Fail("a scene changes on its way through its JSON form", shown.dump());

  const auto doc = simhost::Document::FromScene(scene);
  if (doc->effects.size() != scene.effects.size())
    brevio_fuzz::Fail("the document lost post effects", shown.dump());
  if (static_cast<bool>(doc->renderData) != scene.renderSettings.has_value())
    brevio_fuzz::Fail("the document's render settings differ from the scene's", shown.dump());
  doc->SettingsJson().dump();
  doc->EffectsJson().dump();

  // Through a file, as the `document` action reads it.
  const auto file = brevio_fuzz::ScratchDir("scene") / "scene.json";
  brevio_fuzz::WriteFile(file, text);
  simhost::Scene fromFile;
  if (!simhost::LoadSceneFile(file.string(), fromFile, error))
    brevio_fuzz::Fail("a scene accepted as JSON is refused as a file: " + error, text);
  return 0;
}
