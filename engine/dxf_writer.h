#pragma once
// The DXF text of a conversion: the head taken from the template, one POINT at the
// origin, one POLYLINE with a VERTEX per point row, and the closing records. Every line
// ends with CR LF; the POINT and the POLYLINE are on layer "0". Labels asked for follow
// the polyline's SEQEND: a POINT and a TEXT of its name for each named point, on the
// template's current layer.
//
// The template decides the form. One of DXF R12 or older, or one that claims no version
// (template_version.h), gives its lines up to the one that opens its ENTITIES section
// unchanged, then the entities R12's way, then ENDSEC and EOF. One of R13 or newer gives a drawing of that
// version: its head, entities with handles, owners and subclass markers, then the
// template's sections after ENTITIES (drawing_template.h), and a $HANDSEED above every
// handle.

#include "engine/drawing_template.h"
#include "engine/entities_section_finder.h"
#include "engine/handle_text.h"
#include "engine/header_defaults.h"
#include "engine/label_text.h"
#include "engine/layout_row_reader.h"
#include "engine/printed_rows.h"
#include "engine/polyline_kind.h"
#include "engine/vertex_format.h"
#include "runtime/number_text.h"
#include "runtime/output_file.h"
#include "runtime/text_input_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

class DxfWriter {
 public:
  enum class HeadStatus {
    Copied,
    ReadFailed,  // reading failed part way, a line was too long, or the template went
                 // on past kMaxTemplateSize before its head was read
    Invalid,     // no ENTITIES section begins in it; a binary or UTF-16/32 template; an
                 // R13-or-newer one from which no conforming drawing can be made
  };

  // The most of a template that is read: an R13-or-newer template is held in memory
  // whole, and from an older one the lines up to its ENTITIES section; a drawing head
  // is a few hundred kilobytes. The template's own bytes are counted, as they are on
  // disk or come through a pipe.
  static constexpr std::size_t kMaxTemplateSize = std::size_t{64} << 20;

  // `closed`: the polyline closes on its first vertex.
  DxfWriter(OutputFile& out, PolylineKind kind, bool closed = false);

  // Writes the template's head and closes the template. For R12 or older it copies the
  // lines up to and including the one that names the ENTITIES section
  // (entities_section_finder.h); for R13 or newer it reads the whole template. On any
  // status but Copied, what was written must not be committed. Throws nothing but
  // std::bad_alloc.
  [[nodiscard]] HeadStatus CopyTemplateHead(TextInputFile& templateFile);

  // The POINT at the origin and the head of the POLYLINE; for an R12 template and a
  // flat open polyline, 22 lines.
  void WritePrologue();

  // One VERTEX per row, in order; for an R12 template and a flat polyline, 10 lines.
  void WriteVertices(const PrintedRows& rows) {
    vertices_.Write(rows.begin(), rows.end(), nextHandle_, out_);
  }

  // True when the next rows' vertices are best left to the output's writing thread,
  // which is about to have nothing to do.
  [[nodiscard]] bool VerticesBestDeferred() noexcept { return out_.WritingThreadAboutToIdle(); }
  // A batch in the output's next block, to fill and pass to DeferVertices.
  // Precondition: VerticesBestDeferred() was last true.
  [[nodiscard]] PrintedRows StartDeferredBatch();
  // Leaves the writing of one VERTEX per row of `rows`, the batch StartDeferredBatch
  // gave, to the writing thread: they take their place in the file as WriteVertices
  // would put them.
  void DeferVertices(const PrintedRows& rows);

  // The SEQEND that ends the polyline's vertices.
  void EndPolyline();

  // Once the polyline is ended: takes what every label has from the template's HEADER,
  // its current layer ($CLAYER), the height of its text ($TEXTSIZE, or its default
  // when it sets none), unless `textHeight` is given, and how it keeps text (UTF-8 from
  // R2007 on, before that the code page of $DWGCODEPAGE).
  void StartLabels(std::optional<double> textHeight);
  // A POINT at the row's place and a TEXT of its name there, its insertion point.
  // Precondition: StartLabels was called.
  void WriteLabel(const LabelledRow& row);

  // ENDSEC; for R12 EOF, for R13 or newer the template's sections after ENTITIES, and
  // the final $HANDSEED. With EndPolyline, 8 lines for R12.
  void WriteTrailer();

 private:
  // The template's next line, as ReadTemplateLine reads it, shown to header_ too.
  [[nodiscard]] std::optional<HeadStatus> NextTemplateLine(TextInputFile& templateFile,
                                                           std::string_view& line);
  [[nodiscard]] HeadStatus ReadHead(TextInputFile& templateFile);
  [[nodiscard]] HeadStatus CopyRestOfLegacyHead(TextInputFile& templateFile, EntitiesSectionFinder& headEnd);
  [[nodiscard]] HeadStatus TakeWholeTemplate(TextInputFile& templateFile, std::string held);
  void PrepareVertices();
  // Up to the group codes of its own: type, handle, owner, layer, subclass markers.
  void WriteEntityStart(std::string_view type, Handle owner, std::string_view layer,
                        std::string_view subclass);
  void WritePlace(const LabelledRow& row);
  // The owner of the drawing's entities; the null handle for R12, which has none.
  Handle ModelSpace() const;

  struct LabelStyle {
    std::string layer;
    NumberText height;
    LabelText text;
  };

  OutputFile& out_;
  const PolylineKind kind_;
  const bool closed_;
  HeaderDefaults header_;
  std::optional<LabelStyle> labels_;
  std::unique_ptr<DrawingTemplate> template_;  // R13 or newer only
  bool handles_ = false;
  HandleText nextHandle_;
  Handle polyline_ = kNullHandle;
  std::uint64_t handleSeedOffset_ = 0;  // in the output
  VertexFormat vertices_;
  // The texts of the rows left to the writing thread at a time, with their slack:
  // small enough that the share it takes follows closely how busy its writes keep it.
  static constexpr std::size_t kDeferredBatchSize = (std::size_t{256} << 10) + PrintedRows::kSlack;
};

}  // namespace sorvane
