#pragma once
// What a template's HEADER section sets for the entities a user adds to the drawing:
// the current layer, the text height, and the code page its text is kept in. A label
// written into the drawing takes these, as one drawn in a CAD program would.

#include "engine/dxf_group.h"

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

class HeaderDefaults {
 public:
  // Takes the template's next line (without its end), from its first line on. Lines
  // after the HEADER section, or of a template that opens with no HEADER section, are
  // passed over.
  void Take(std::string_view line);

  // $CLAYER, "0" when the template sets none.
  const std::string& CurrentLayer() const { return layer_; }
  // $TEXTSIZE when it is a number above 0; otherwise 0.2, as CAD programs take a
  // drawing that sets none.
  double TextSize() const { return textSize_.value_or(kDefaultTextSize); }
  // $DWGCODEPAGE as written ("ANSI_932"); empty when the template sets none.
  const std::string& CodePage() const { return codePage_; }
  // Whether $ACADVER claims R2007 (AC1021) or newer, whose text is UTF-8.
  bool TextIsUtf8() const { return textIsUtf8_; }

 private:
  static constexpr double kDefaultTextSize = 0.2;

  enum class Place { BeforeSections, SectionName, Header, Done };

  void TakePair(int code, std::string_view value);

  Place place_ = Place::BeforeSections;
  GroupLines lines_;
  std::string variable_;  // the HEADER variable whose value comes next
  std::string layer_ = "0";
  std::optional<double> textSize_;
  std::string codePage_;
  bool textIsUtf8_ = false;
};

}  // namespace sorvane
