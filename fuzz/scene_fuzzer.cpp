// scene_fuzzer.cpp - the simulated host's scene loader, whatever the text of
// a scene file. The file is read first, as the `document` action reads it,
// so that any fault of the reader itself (a number out of range, deep
// nesting) is met; a scene it accepts must survive the trip through its
// JSON form unchanged and make a live document; one it refuses must say why.
//
// An input starting with byte 1 is a deep one: the next two bytes give a
// nesting depth (up to 65535) around the rest, in a key the loader refuses
// or in one it reads, so that inputs reach depths a small input cannot.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/json_read.h"
#include "document/document.h"
#include "document/scene.h"
#include "fuzz_support.h"

namespace {

std::string Deep(const uint8_t* data, size_t size) {
  if (size < 4) return std::string(reinterpret_cast<const char*>(data), size);
  const size_t depth = (size_t{data[1]} << 8) | data[2];
  const bool read = data[3] % 2 == 1;
  const std::string inner(reinterpret_cast<const char*>(data) + 4, size - 4);
  std::string text = read ? "{\"render_settings\": " : "{\"description\": ";
  for (size_t i = 0; i < depth; ++i) text += read ? "{\"1\": " : "[";
  text += inner.empty() ? "0" : inner;
  for (size_t i = 0; i < depth; ++i) text += read ? "}" : "]";
  return text + "}";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = size > 0 && data[0] == 1
                               ? Deep(data, size)
                               : std::string(reinterpret_cast<const char*>(data), size);

  const auto file = brevio_fuzz::ScratchDir("scene") / "scene.json";
  brevio_fuzz::WriteFile(file, text);
  simhost::Scene fromFile;
  std::string fileError;
  const bool fileOk = simhost::LoadSceneFile(file.string(), fromFile, fileError);
  if (!fileOk && fileError.find(file.string()) == std::string::npos)
    brevio_fuzz::Fail("a scene file refused without naming the file: " + fileError, text);

  nlohmann::json j;
  std::string error;
  if (!simhost::ReadJson(text, j, error)) {
    if (fileOk) brevio_fuzz::Fail("a file accepted whose text the reader refuses", text);
    return 0;
  }
  simhost::Scene scene;
  if (!simhost::ParseScene(j, scene, error)) {
    if (error.empty()) brevio_fuzz::Fail("a scene refused without a reason", text);
    if (fileOk) brevio_fuzz::Fail("a scene refused as JSON is accepted as a file", text);
    return 0;
  }
  if (!fileOk)
    brevio_fuzz::Fail("a scene accepted as JSON is refused as a file: " + fileError, text);
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
  return 0;
}
