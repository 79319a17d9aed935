#include "engine/template_version.h"

#include <charconv>
#include <utility>

namespace sorvane {
namespace {

// AC1012 is R13, the first version with handles, owners and subclass markers.
constexpr int kFirstVersionWithHandles = 1012;

bool ClaimsR13OrNewer(std::string_view version) {
  version = TrimBlanks(version);
  if (!version.starts_with("AC") || version.size() != 6) return false;
  int number = 0;
  const auto [end, error] = std::from_chars(version.data() + 2, version.data() + 6, number);
  return error == std::errc() && end == version.data() + 6 && number >= kFirstVersionWithHandles;
}

// What a binary DXF begins with, before its CR LF, SUB and NUL.
constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

bool IsNotText(std::string_view line, bool firstLine) {
  if (line.find('\0') != std::string_view::npos) return true;
  // UTF-16's byte order marks, which also begin UTF-32's little-endian one; the
  // big-endian one begins with a NUL.
  return firstLine && (line == kBinarySentinel || line.starts_with("\xFF\xFE") ||
                       line.starts_with("\xFE\xFF"));
}

}  // namespace

TemplateVersionWatcher::Verdict TemplateVersionWatcher::Take(std::string_view line) {
  if (IsNotText(line, std::exchange(firstLine_, false))) return Verdict::NotText;
  switch (lines_.Take(line)) {
    case GroupLines::Line::Code: return Verdict::Undecided;
    case GroupLines::Line::NotACode: return Verdict::Legacy;
    case GroupLines::Line::Value: break;
  }
  return TakePair(lines_.Code(), line);
}

TemplateVersionWatcher::Verdict TemplateVersionWatcher::TakePair(int code, std::string_view value) {
  if (code == kCommentCode) return Verdict::Undecided;
  value = TrimBlanks(value);
  switch (place_) {
    case Place::BeforeSections:
      if (code != 0 || value != "SECTION") return Verdict::Legacy;
      place_ = Place::SectionName;
      return Verdict::Undecided;
    case Place::SectionName:
      if (code != 2 || value != "HEADER") return Verdict::Legacy;
      place_ = Place::Header;
      return Verdict::Undecided;
    case Place::Header:
      if (code == 0) return Verdict::Legacy;  // the HEADER section ended
      if (code == 9 && value == "$ACADVER") place_ = Place::Version;
      return Verdict::Undecided;
    case Place::Version:
      if (code != 1) return Verdict::Legacy;
      return ClaimsR13OrNewer(value) ? Verdict::R13OrNewer : Verdict::Legacy;
  }
  return Verdict::Legacy;
}

}  // namespace sorvane
