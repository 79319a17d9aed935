#include "engine/header_defaults.h"

#include "engine/dxf_group.h"
#include "runtime/number_text.h"

namespace sorvane {
namespace {

// AC1021 is R2007, the first version that keeps its text in UTF-8.
constexpr std::string_view kFirstUtf8Version = "AC1021";

}  // namespace

void HeaderDefaults::Take(std::string_view line) {
  if (place_ == Place::Done) return;
  switch (lines_.Take(line)) {
    case GroupLines::Line::Code: return;
    case GroupLines::Line::NotACode: place_ = Place::Done; return;  // not read as DXF pairs
    case GroupLines::Line::Value: TakePair(lines_.Code(), line); return;
  }
}

void HeaderDefaults::TakePair(int code, std::string_view value) {
  if (code == kCommentCode) return;
  value = TrimBlanks(value);
  switch (place_) {
    case Place::BeforeSections:
      place_ = code == 0 && value == "SECTION" ? Place::SectionName : Place::Done;
      return;
    case Place::SectionName:
      place_ = code == 2 && value == "HEADER" ? Place::Header : Place::Done;
      return;
    case Place::Header: break;
    case Place::Done: return;
  }
  if (code == 0) {
    place_ = Place::Done;  // the HEADER section ended
  } else if (code == 9) {
    variable_.assign(value);
  } else if (variable_ == "$CLAYER" && code == 8) {
    if (!value.empty()) layer_.assign(value);
  } else if (variable_ == "$TEXTSIZE" && code == 40) {
    const std::optional<double> size = StrictConvert(value);
    textSize_ = size && *size > 0 ? size : std::nullopt;
  } else if (variable_ == "$DWGCODEPAGE" && code == 3) {
    codePage_.assign(value);
  } else if (variable_ == "$ACADVER" && code == 1) {
    textIsUtf8_ = value.size() == kFirstUtf8Version.size() && value >= kFirstUtf8Version;
  }
}

}  // namespace sorvane
