#pragma once
// What a drawing keeps of a template of DXF R13 or newer, and what it takes from it.
// Such a template is a whole drawing whose objects point at one another by handle: the
// drawing keeps everything but the template's own entities (its ENTITIES section holds
// the points instead), so every pointer at those entities has to go with them.

#include "engine/template_records.h"

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
  Handle modelSpace = kNullHandle;
  // Above every handle of the template and not below its $HANDSEED: the first handle
  // the drawing may give out.
  Handle firstFreeHandle = kNullHandle;
};

// `text` is the rest of an R13-or-newer template, every line ended by CR LF, from a
// group code line inside its HEADER section (after $ACADVER's value, or at a $HANDSEED
// that came before it) to its end.
//
// The drawing leaves out each entity of the template's ENTITIES section, each object
// owned by one of them (an extension dictionary and what it holds), directly or not, a
// group whose members are all left out, and the ACDSDATA record of a left-out entity
// (a 3D solid's data); and every group that points at any of those: a dictionary's
// entry with its key, a sort table's entry with its sort handle, a group's member, a
// layout's viewport, a reactor, a handle in extended data (1005).
//
// It repairs what a CAD program's audit repairs: a pointer that names no object, or
// whose value is not a handle, goes when it is an entry of a list (a reactor or other
// application data, a dictionary's entry with its key, a group's member, a sort table's
// entry with its sort handle), and is set to the null handle 0 otherwise. A handle in
// extended data that names nothing stays as it is. Nothing else changes but the value
// of $HANDSEED. Text after the group that ends the file is not kept.
//
// Returns nullopt when no conforming drawing can be made from the template: its
// structure cannot be followed (TemplateRecords::Next says when); no end of file
// group; no ENTITIES section; no $HANDSEED; no *Model_Space block record, or one owned
// by an entity; two objects that share a handle. Does not throw but for
// std::bad_alloc. Time and memory grow in proportion to the text whatever its handles;
// memory, the text's included, stays below three and a half times its size.
[[nodiscard]] std::optional<DrawingTemplate> AnalyzeTemplate(std::string_view text);

}  // namespace sorvane
