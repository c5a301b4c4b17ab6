// c4d_basedocument.h - documents and their render settings (opaque shells:
// a BaseDocument* is the host's document handle, a RenderData* its node).
#pragma once

#include "c4d_abi.h"
#include "c4d_baselist.h"
#include "c4d_videopost.h"

namespace cinema {

class RenderData : public BaseList2D {
 public:
  // The first post effect of these render settings, or NULL.
  BaseVideoPost* GetFirstVideoPost();
};

class BaseDocument {
 public:
  BaseDocument() = delete;
  ~BaseDocument() = delete;
  BaseDocument(const BaseDocument&) = delete;
  BaseDocument& operator=(const BaseDocument&) = delete;

  // The document's active render settings, or NULL.
  RenderData* GetActiveRenderData();

  C4D_Document* GetHostHandle() const;
  static BaseDocument* FromHostHandle(C4D_Document* doc);
};

// The active document, or NULL.
BaseDocument* GetActiveDocument();

}  // namespace cinema
