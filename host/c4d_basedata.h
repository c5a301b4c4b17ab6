// c4d_basedata.h - BaseData, the base of the objects a plug-in registers.
#pragma once

namespace cinema {

class BaseData {
 public:
  virtual ~BaseData() {}
};

}  // namespace cinema
