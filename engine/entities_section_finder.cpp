#include "engine/entities_section_finder.h"

namespace sorvane {

EntitiesSectionFinder::Result EntitiesSectionFinder::Take(std::string_view line) {
  switch (lines_.Take(line)) {
    case GroupLines::Line::Code: return Result::NotYet;
    case GroupLines::Line::NotACode: return Result::NoDrawing;
    case GroupLines::Line::Value: break;
  }
  const int code = lines_.Code();
  if (code == kCommentCode) return Result::NotYet;
  const std::string_view value = TrimBlanks(line);
  if (afterSection_ && code == 2 && value == "ENTITIES") return Result::Found;
  afterSection_ = code == 0 && value == "SECTION";
  return Result::NotYet;
}

}  // namespace sorvane
