// brevcore_render.cpp - the test render: the settings laid over a copy of the
// render settings, unwanted post effects switched off, the host's render
// command, and everything put back at once.
#include "brevcore.h"
#include "brevcore_bindings.h"

namespace {

// The user-interface action that the render-region button parameter receives
// when it is pressed: element 1440, value 1.
constexpr Int32 REGION_ACTION_ELEMENT = 1440;
constexpr Int32 REGION_ACTION_VALUE = 1;

const Char* const kNotStandardRenderer =
    "Brevio only works with the standard renderer in Cinema 4D.\n"
    "The current render engine is not the standard renderer; please change the engine and try "
    "again";

Int32 AntialiasingMode(Int32 choice) {
  if (choice == IDV_AA_NONE) return RDATA_ANTIALIASING_NONE;
  if (choice == IDV_AA_GEOMETRY) return RDATA_ANTIALIASING_GEOMETRY;
  return RDATA_ANTIALIASING_BEST;
}

}  // namespace

BaseVideoPost* FindPostEffect(RenderData* rd, Int32 type) {
  for (BaseVideoPost* vp = rd->GetFirstVideoPost(); vp != nullptr; vp = vp->GetNext())
    if (vp->GetType() == type) return vp;
  return nullptr;
}

Bool BrevioDialog::TestRender(BaseDocument* doc) {
  // Declared in this order so that the working copy goes first.
  BaseContainer backup;
  BaseContainer working;

  ReadGadgets();

  // Without render settings there is nothing to render with; nothing changes.
  RenderData* rd = doc->GetActiveRenderData();
  if (rd == nullptr) return false;
  // Without both copies the document could not be put back afterwards (the
  // host is out of memory): nothing is changed.
  const BaseContainer& live = rd->GetDataInstanceRef();
  if (!live.CopyTo(&backup, COPYFLAGS::NONE, nullptr) ||
      !live.CopyTo(&working, COPYFLAGS::NONE, nullptr))
    return false;

  if (backup.GetInt32(RDATA_RENDERENGINE, RDATA_RENDERENGINE_STANDARD) !=
      RDATA_RENDERENGINE_STANDARD) {
    GeOutString(String(kNotStandardRenderer), GEMB::OK | GEMB::ICONEXCLAMATION);
    return false;
  }

  ApplyOverrides(doc, rd, working);
  SuppressPostEffects(rd);

  rd->SetData(working, true);
  rd->Message(MSG_UPDATE);
  EventAdd(EVENT::NONE);
  // The host takes what the render needs before the command returns, so the
  // document is put back at once; the render is never waited for.
  CallCommand(
      settings.renderTarget == IDV_TARGET_EDITOR ? CMD_RENDER_VIEW : CMD_RENDER_PICTUREVIEWER, 0);

  RestorePostEffects(rd);
  rd->SetData(backup, true);
  rd->Message(MSG_UPDATE);
  return true;
}

void BrevioDialog::ApplyOverrides(BaseDocument* doc, RenderData* rd, BaseContainer& working) {
  const BrevioSettings& s = settings;

  // The region taken from the interactive render region is a button of the
  // render settings, so it is pressed on the live object and the working
  // copy is taken again; every later override goes on top of that.
  if (!s.option10012) {
    working.SetBool(RDATA_RENDERREGION, false);
  } else if (!s.option10013) {
    working.SetBool(RDATA_RENDERREGION, true);
  } else {
    SendParameterAction(doc, rd);
    rd->GetDataInstanceRef().CopyTo(&working, COPYFLAGS::NONE, nullptr);
  }

  working.SetInt32(RDATA_ANTIALIASING, AntialiasingMode(s.antialiasing));
  working.SetInt32(RDATA_AAFILTER, s.antialiasingFilter == IDV_AAFILTER_STILL
                                       ? RDATA_AAFILTER_STILLIMAGE
                                       : RDATA_AAFILTER_ANIMATION);

  if (s.frameRange == IDV_FRAMES_CURRENT)
    working.SetInt32(RDATA_FRAMESEQUENCE, RDATA_FRAMESEQUENCE_CURRENTFRAME);
  else if (s.frameRange == IDV_FRAMES_PREVIEW)
    working.SetInt32(RDATA_FRAMESEQUENCE, RDATA_FRAMESEQUENCE_PREVIEWRANGE);
  else if (s.frameRange == IDV_FRAMES_ALL)
    working.SetInt32(RDATA_FRAMESEQUENCE, RDATA_FRAMESEQUENCE_ALLFRAMES);

  if (s.renderTarget == IDV_TARGET_PICTUREVIEWER && s.resolutionScale > IDV_SCALE_BASE) {
    const Float divisor = static_cast<Float>(s.resolutionScale - IDV_SCALE_BASE);
    working.SetFloat(RDATA_XRES, working.GetFloat(RDATA_XRES, 0.0) / divisor);
    working.SetFloat(RDATA_YRES, working.GetFloat(RDATA_YRES, 0.0) / divisor);
  }

  // The plain switches: off while their box is unticked.
  for (const OptionBinding& b : kOptionBindings)
    if (b.switchesOff != kNone && !(s.*b.field)) working.SetBool(b.switchesOff, false);

  if (s.option10007) working.SetBool(RDATA_ACTIVEOBJECTONLY, true);

  if (!s.option10015)
    working.SetBool(RDATA_OPTION_SHADOW, false);
  else if (s.option10017)
    working.SetBool(RDATA_LIMITSHADOW, true);

  if (!s.option10014) {
    working.SetBool(RDATA_OPTION_REFLECTION, false);
    working.SetBool(RDATA_OPTION_REFRACTION, false);
    working.SetBool(RDATA_LIMITREFLECTION, false);
  } else if (s.option10016) {
    working.SetBool(RDATA_LIMITREFLECTION, true);
  }
}

void BrevioDialog::SendParameterAction(BaseDocument* doc, RenderData* rd) {
  BaseContainer action(BFM_ACTION);
  action.SetInt32(BFM_ACTION_ID, REGION_ACTION_ELEMENT);
  action.SetInt32(BFM_ACTION_VALUE, REGION_ACTION_VALUE);

  const DescID descId = CreateDescID(DescLevel(RDATA_FROMIRR, DTYPE_BUTTON, rd->GetType()));

  DescriptionCommand command;
  command._descId = descId;
  command._msg = &action;
  rd->Message(MSG_DESCRIPTION_COMMAND, &command);

  DescriptionCheckUpdate checkUpdate;
  checkUpdate.doc = doc;
  checkUpdate.drawflags = 0;
  checkUpdate.descid = &descId;
  rd->Message(MSG_DESCRIPTION_CHECKUPDATE, &checkUpdate);
  // Leaving the scope frees the message's container, the identifier and the
  // action container, in that order.
}

void BrevioDialog::SuppressPostEffects(RenderData* rd) {
  for (const PostEffectRule& rule : kPostEffectRules) this->*rule.suppressed = false;
  if (!settings.option10023) return;

  for (const PostEffectRule& rule : kPostEffectRules) {
    if (settings.*rule.keep) continue;
    BaseVideoPost* vp = FindPostEffect(rd, rule.type);
    if (vp == nullptr) continue;
    const Int32 bits = vp->GetAllBits();
    // An effect the user switched off stays off afterwards: not ours to undo.
    if (bits & BIT_VPDISABLED) continue;
    vp->SetAllBits(bits | BIT_VPDISABLED);
    this->*rule.suppressed = true;
  }
}

void BrevioDialog::RestorePostEffects(RenderData* rd) {
  for (const PostEffectRule& rule : kPostEffectRules) {
    if (!(this->*rule.suppressed)) continue;
    // Found again by type: no effect pointer is kept across the render command.
    BaseVideoPost* vp = FindPostEffect(rd, rule.type);
    if (vp == nullptr) continue;
    // Switched on by clearing the bit, so an effect that is somehow on already
    // stays on rather than being switched off.
    vp->SetAllBits(vp->GetAllBits() & ~BIT_VPDISABLED);
  }
}
