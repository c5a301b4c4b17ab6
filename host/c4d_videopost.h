// c4d_videopost.h - BaseVideoPost: a post effect of render settings.
#pragma once

#include "c4d_baselist.h"

namespace cinema {

class BaseVideoPost : public BaseList2D {
 public:
  // The next post effect in the list, or NULL.
  BaseVideoPost* GetNext() const;
};

}  // namespace cinema
