#pragma once
// Which kind of drawing a template claims to be, told from its first lines as they are
// read. A template of DXF R12 or older (its $ACADVER is AC1009 or below), or one that
// claims no version, is copied as it stands. From R13 on (AC1012 and above) every
// object carries a handle and points at others, and the drawing written from such a
// template has to keep all of that consistent. A binary DXF, or a text in UTF-16 or
// UTF-32, is no template at all: copied, its head would open a drawing no reader takes.

#include "engine/dxf_group.h"

#include <string_view>

namespace sorvane {

class TemplateVersionWatcher {
 public:
  enum class Verdict {
    Undecided,
    Legacy,         // R12 or older, or no version claimed
    R13OrNewer,
    NotText,        // a binary DXF, or UTF-16 or UTF-32 text
  };

  // Takes the template's next line (without its end). Feed no more once the verdict is
  // decided.
  //
  // The version is the $ACADVER variable of the HEADER section, which has to be the
  // first section. The template is read as group code and value lines. It claims no
  // version (Legacy) at a code line that is not an integer, when the first section is
  // not HEADER, or at the end of the HEADER section without $ACADVER. It is NotText at
  // a first line that is a binary DXF's sentinel or starts with a UTF-16 or UTF-32 byte
  // order mark, and at a line that holds a NUL byte (the other half of every ASCII
  // character in UTF-16 and UTF-32).
  [[nodiscard]] Verdict Take(std::string_view line);

 private:
  enum class Place { BeforeSections, SectionName, Header, Version };

  Verdict TakePair(int code, std::string_view value);

  Place place_ = Place::BeforeSections;
  bool firstLine_ = true;
  GroupLines lines_;
};

}  // namespace sorvane
