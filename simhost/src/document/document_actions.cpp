// document_actions.cpp - the script actions of the document area:
//   document FILE | none | default     make a scene the active document
//   show renderdata                    the active render settings
//   show effects                       the post effects and their states
#include <filesystem>

#include "core/offers.h"
#include "document/document_area.h"
#include "document/host_names.h"

namespace simhost {

namespace {

using nlohmann::json;

std::string Outline(const Document& doc) {
  if (!doc.renderData) return "no render settings";
  return std::to_string(doc.renderData->data.entries.size()) + " render settings, " +
         std::to_string(doc.effects.size()) + " post effects";
}

bool DocumentAction(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (args.size() != 1) {
    error = "expected: document FILE | none | default (quote a path that holds spaces)";
    return false;
  }
  auto& area = host.AreaOf<DocumentArea>();
  const std::string& what = args[0];
  if (what == "none") {
    area.SetActive(host, nullptr);
    host.journal.Emit({{"event", "document"}, {"name", nullptr}});
    host.journal.Say("document: none (the host has no active document)");
    return true;
  }
  Scene scene;
  if (what == "default") {
    scene = DefaultScene();
  } else {
    if (what.empty()) {
      error = "document needs a file name, none or default";
      return false;
    }
    // Relative paths are taken from the working folder of the host program.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(what, ec);
    if (ec) {
      error = "document " + what + ": " + ec.message();
      return false;
    }
    std::string path = absolute.lexically_normal().generic_string();
    if (!LoadSceneFile(path, scene, error)) return false;
  }
  area.SetActive(host, Document::FromScene(scene));
  host.journal.Emit({{"event", "document"}, {"name", scene.name}, {"scene", SceneToJson(scene)}});
  host.journal.Say("document: " + scene.name + " (" + Outline(*area.Active()) + ")");
  return true;
}

bool ShowRenderData(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!args.empty()) {
    error = "show renderdata takes no arguments";
    return false;
  }
  Document* doc = host.AreaOf<DocumentArea>().Active();
  json e = {{"event", "renderdata"}, {"document", doc != nullptr}};
  e["settings"] = doc ? doc->SettingsJson() : json(nullptr);
  host.journal.Emit(e);
  if (!doc)
    host.journal.Say("render settings: no active document");
  else if (!doc->renderData)
    host.journal.Say("render settings: the document has none");
  else
    SayLines(host, "render settings of " + doc->name + ":\n" + ListSettings(doc->renderData->data));
  return true;
}

bool ShowEffects(Host& host, const std::vector<std::string>& args, std::string& error) {
  if (!args.empty()) {
    error = "show effects takes no arguments";
    return false;
  }
  Document* doc = host.AreaOf<DocumentArea>().Active();
  json e = {{"event", "effects"}, {"document", doc != nullptr}};
  e["effects"] = doc ? doc->EffectsJson() : json::array();
  host.journal.Emit(e);
  if (!doc)
    host.journal.Say("post effects: no active document");
  else if (doc->effects.empty())
    host.journal.Say("post effects of " + doc->name + ": none");
  else
    SayLines(host, "post effects of " + doc->name + ":\n" + ListEffects(*doc));
  return true;
}

}  // namespace

namespace {

void AddDocumentActions(ActionRegistry& actions) {
  actions.Add("document", "document FILE | none | default", DocumentAction);
  actions.Add("show renderdata", "show renderdata", ShowRenderData);
  actions.Add("show effects", "show effects", ShowEffects);
}

const Offer kActions(AddDocumentActions);

}  // namespace

}  // namespace simhost
