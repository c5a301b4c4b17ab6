// Save and render work from what the window shows, also when the gadgets
// were changed while the host had no active document (the dialog then
// ignores every change, so its settings record lags behind its gadgets).
#include <gtest/gtest.h>

#include "dialog_helpers.h"
#include "render_support.h"

namespace brevio_test {
namespace {

// The choices a `show dialog` event shows.
Choices ShownChoices(const json& dialog) {
  Window w = Gadgets(dialog);
  Choices c;
  c.antialiasing = w[10008].value.get<int32_t>();
  c.antialiasingFilter = w[10009].value.get<int32_t>();
  c.frameRange = w[10002].value.get<int32_t>();
  c.renderTarget = w[10003].value.get<int32_t>();
  c.resolutionScale = w[10004].value.get<int32_t>();
  for (const auto& [gadget, pref] : OptionPrefIds()) c.Set(gadget, w[gadget].value.get<bool>());
  return c;
}

TEST(DialogShownValues, ChangesMadeWithoutADocumentAreSavedAndRendered) {
  TempDir dir;
  simhost::Options options = HostOptions(dir);
  // Stored so that every gadget is enabled when the window opens: anti-
  // aliasing on, the Picture Viewer, and every box that others depend on ticked.
  Choices stored = Choices().Set(10012, true).Set(10014, true).Set(10015, true).Set(10023, true);
  stored.antialiasing = 6001;
  stored.renderTarget = 6031;
  stored.resolutionScale = 6042;

  json effects = json::array();
  for (const auto& [type, keep] : EffectKeepOptions())
    effects.push_back({{"type", type}, {"enabled", true}, {"bits", 0}});
  const std::string scenePath = WriteScene(dir, SceneWith(FullSettings(), effects));

  // Every one of the 28 gadgets changed while no document is active, then
  // the document back and `last` (a save, or a render: each on its own, so
  // that one cannot bring the settings up to date for the other).
  auto run = [&](const std::string& last) {
    StoreChoices(options, stored);
    std::vector<std::string> lines = {kOpen,
                                      kShow,
                                      "document none",
                                      "choose 10008 6002",
                                      "choose 10009 6011",
                                      "choose 10002 6023",
                                      "choose 10003 6030",
                                      "choose 10004 6048"};
    for (const auto& [gadget, pref] : OptionPrefIds())
      lines.push_back((stored.On(gadget) ? "untick " : "tick ") + std::to_string(gadget));
    lines.insert(lines.end(),
                 {kShow, "document " + Quoted(scenePath), "show effects", last, kShow});
    Session s = RunHost(options, Script(lines));
    EXPECT_CLEAN(s);
    // The dialog was told of none of the changes.
    size_t changes = 0;
    for (const auto& e : s.Events("user"))
      if (e.contains("gadget") && e["action"] != "click") {
        ++changes;
        EXPECT_EQ(e["answer"], false) << e.dump();
      }
    EXPECT_EQ(changes, 28u);
    EXPECT_EQ(Changed(Gadgets(s, 0), Gadgets(s, 1)).size(), 28u);
    EXPECT_EQ(Gadgets(s, 2), Gadgets(s, 1));  // neither save nor render changed the window
    return s;
  };

  // Saved: exactly what the window shows.
  Session saved = run("menu 5055");
  const Choices shown = ShownChoices(DialogEvent(saved, 1));
  EXPECT_EQ(saved.Last("prefs")["entries"], shown.Stored());
  EXPECT_EQ(saved.Last("prefs")["result"], true);

  // Rendered: the target, the overrides and the effects the window shows.
  Session rendered = run("click 10032");
  EXPECT_EQ(ShownChoices(DialogEvent(rendered, 1)).Stored(), shown.Stored());
  auto renders = rendered.Events("render");
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_EQ(renders[0]["command"], kEditorCommand);
  EXPECT_EQ(renders[0]["settings"], ExpectedRenderSettings(FullSettings(), std::nullopt, shown));
  const json before = rendered.Last("effects")["effects"];
  EXPECT_EQ(renders[0]["effects"], ExpectedRenderEffects(before, shown)) << shown.Describe();
}

}  // namespace
}  // namespace brevio_test
