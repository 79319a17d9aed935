#pragma once
// What a drawing keeps of a template of DXF R13 or newer, and what it takes from it.
// Such a template is a whole drawing whose objects point at one another by handle: the
// drawing keeps everything but the template's own entities (its ENTITIES section holds
// the points instead), so every pointer at those entities has to go with them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

struct DrawingTemplate {
  // The template up to and including the group that opens its ENTITIES section.
  std::string head;
  // Where in `head` the value of $HANDSEED stands: kFixedHandleWidth digits, to be
  // replaced by the drawing's own seed once its last handle is known.
  std::size_t handleSeedOffset = 0;
  // The sections after ENTITIES, through the group that ends the file.
  std::string tail;
  // The *Model_Space block record, owner of the drawing's entities.
  std::uint64_t modelSpace = 0;
  // Above every handle of the template and not below its $HANDSEED: the first handle
  // the drawing may give out.
  std::uint64_t firstFreeHandle = 0;
};

// The largest handle a template may use, so that the drawing's handles, counted on from
// it, stay within kFixedHandleWidth digits whatever the number of points.
inline constexpr std::uint64_t kLargestTemplateHandle = std::uint64_t{1} << 60;

// `text` is the rest of an R13-or-newer template, every line ended by CR LF, from a
// group code line inside its HEADER section (after $ACADVER's value, or at a $HANDSEED
// that came before it) to its end.
//
// The drawing leaves out each entity of the template's ENTITIES section and each
// object owned by one of them (an extension dictionary and what it holds), and every
// group that points at any of those: a dictionary's entry with its key, a sort table's
// entry with its sort handle, a group's member, a layout's viewport, a reactor. Nothing
// else changes but the value of $HANDSEED. Text after the group that ends the file is
// not kept.
//
// Returns nullopt when no conforming drawing can be made from the template: a code line
// that is not an integer or a code without its value; groups outside a section or
// sections inside one another; no ENTITIES section, or more than one; no end of file
// group; no $HANDSEED in the HEADER, or more than one; no *Model_Space block record, or
// one owned by an entity; a handle that is not hexadecimal, that two objects share, or
// that is above kLargestTemplateHandle; a pointer that names no object. Does not throw
// but for std::bad_alloc.
std::optional<DrawingTemplate> AnalyzeTemplate(std::string_view text);

}  // namespace sorvane
