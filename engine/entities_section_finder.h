#pragma once
// Where the head of a template copied as it stands ends: at the line that names its
// ENTITIES section, the value of the group 2 right after a group 0 SECTION, the
// template read as group code and value lines, as DXF readers read it. A line ENTITIES
// anywhere else (the name of a layer or a block, a text) is data, copied with the rest.

#include "engine/dxf_group.h"

#include <string_view>

namespace sorvane {

class EntitiesSectionFinder {
 public:
  enum class Result {
    NotYet,
    Found,      // the line names the ENTITIES section: the head ends with it
    NoDrawing,  // a code line that holds no group code: no reader reads past it
  };

  // Takes the template's next line (without its end), from its first on.
  Result Take(std::string_view line);

 private:
  GroupLines lines_;
  bool afterSection_ = false;  // the last group, comments aside, was 0 SECTION
};

}  // namespace sorvane
