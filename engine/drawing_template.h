#pragma once
// What a drawing keeps of a template of DXF R13 or newer, and what it takes from it.
// Such a template is a whole drawing whose objects point at one another by handle: the
// drawing keeps everything but the template's own entities (its ENTITIES section holds
// the points instead), so every pointer at those entities has to go with them.

#include "engine/handle_table.h"
#include "engine/template_records.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace sorvane {

class DrawingTemplate {
 public:
  // Where the drawing's text goes, a piece at a time.
  class Sink {
   public:
    virtual void Put(std::string_view text) = 0;

   protected:
    ~Sink() = default;
  };

  // `text` is a whole R13-or-newer template, from its first line, every line ended by
  // CR LF.
  //
  // The drawing leaves out each entity of the template's ENTITIES section, each object
  // owned by one of them (an extension dictionary and what it holds), directly or not, a
  // group whose members are all left out, and the ACDSDATA record of a left-out entity
  // (a 3D solid's data); and every group that points at any of those: a dictionary's
  // entry with its key, a sort table's entry with its sort handle, a group's member, a
  // layout's viewport, a reactor, a handle in extended data (1005).
  //
  // It repairs what a CAD program's audit repairs, in the HEADER section as anywhere: a
  // pointer that names no object, or whose value is not a handle, goes when it is an
  // entry of a list (a reactor or other application data, a dictionary's entry with its
  // key, a group's member, a sort table's entry with its sort handle), and is set to the
  // null handle 0 otherwise. A handle in extended data that names nothing stays as it
  // is. Nothing else changes but the value of $HANDSEED. Text after the group that ends
  // the file is not kept.
  //
  // Returns nullptr when no conforming drawing can be made from the template: its
  // structure cannot be followed (TemplateRecords::Next says when); no end of file
  // group; no ENTITIES section; no $HANDSEED; no *Model_Space block record, or one owned
  // by an entity; two objects that share a handle. Does not throw but for
  // std::bad_alloc. Time grows in proportion to the text whatever its handles. Memory
  // is the text's and, for as long as the result lives, 16 bytes for each of four
  // thirds of the objects with a handle: the drawing is written from the text, never
  // held beside it.
  [[nodiscard]] static std::unique_ptr<DrawingTemplate> Analyze(std::string text);

  // The *Model_Space block record, owner of the drawing's entities.
  Handle ModelSpace() const noexcept { return modelSpace_; }
  // Above every handle of the template and not below its $HANDSEED: the first handle
  // the drawing may give out.
  Handle FirstFreeHandle() const noexcept { return firstFreeHandle_; }

  // Writes what the drawing keeps of the template up to and including the group that
  // opens its ENTITIES section, $HANDSEED's value as FirstFreeHandle() in
  // kFixedHandleWidth digits. Returns where in what it wrote that value stands, to be
  // replaced by the drawing's own seed once its last handle is known. Call once.
  [[nodiscard]] std::size_t WriteHead(Sink& out);

  // Writes what the drawing keeps of the sections after ENTITIES, through the group
  // that ends the file. Call once, after WriteHead.
  void WriteTail(Sink& out);

  DrawingTemplate(const DrawingTemplate&) = delete;
  DrawingTemplate& operator=(const DrawingTemplate&) = delete;
  ~DrawingTemplate() = default;

 private:
  explicit DrawingTemplate(std::string text);
  // Reads the whole structure and every handle; false when no drawing can be made.
  [[nodiscard]] bool ReadHandles();
  // Drops the records with a handle that go with what they name.
  void DropFollowers();

  std::string text_;
  HandleTable handles_;
  bool followersToCheck_ = false;
  std::size_t seedValueBegin_ = 0;
  Handle modelSpace_ = kNullHandle;
  Handle firstFreeHandle_ = kNullHandle;
  // Where WriteHead stopped and WriteTail goes on.
  TemplateRecords records_;
};

}  // namespace sorvane
