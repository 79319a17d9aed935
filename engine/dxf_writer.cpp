#include "engine/dxf_writer.h"

#include "engine/template_version.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace sorvane {
namespace {

// The layer of the POINT at the origin and of the polyline.
constexpr std::string_view kPolylineLayer = "0";

// Up to the handle: R12 has none, so its layer follows at once.
std::string EntityStart(std::string_view type, bool handles, std::string_view layer) {
  return "  0\r\n" + std::string(type) +
         (handles ? "\r\n  5\r\n" : "\r\n  8\r\n" + std::string(layer) + "\r\n");
}

// After the handle: the owner, the layer and the subclass markers.
std::string EntityOwnerAndLayer(Handle owner, std::string_view layer,
                                std::initializer_list<std::string_view> subclasses) {
  std::string text = "\r\n330\r\n" + std::string(HandleText(owner).Text()) +
                     "\r\n100\r\nAcDbEntity\r\n  8\r\n" + std::string(layer) + "\r\n";
  for (const std::string_view subclass : subclasses) {
    text += "100\r\n";
    text += subclass;
    text += "\r\n";
  }
  return text;
}

// The template's next line, as the head is read: nothing when it was read, else how
// reading the head ends. Each line is within the cap on what is read of a template,
// which a pipe that never ends reaches too.
std::optional<DxfWriter::HeadStatus> ReadTemplateLine(TextInputFile& templateFile,
                                                      std::string_view& line) {
  switch (templateFile.ReadLine(line)) {
    case TextInputFile::LineStatus::Read:
      if (templateFile.Offset() <= DxfWriter::kMaxTemplateSize) return std::nullopt;
      break;
    case TextInputFile::LineStatus::TooLong:
      // A megabyte without a line end that holds a NUL byte is no text (/dev/zero).
      if (templateFile.Buffered().find('\0') != std::string_view::npos) {
        return DxfWriter::HeadStatus::Invalid;
      }
      break;
    case TextInputFile::LineStatus::ReadFailed: break;
  }
  return DxfWriter::HeadStatus::ReadFailed;
}

// A template held in memory: its first lines, and an R13-or-newer one whole. Each line
// end becomes CR LF, so a line of the template may take one byte more held, and its
// last line two.
constexpr std::size_t kFirstHeldSize = std::size_t{4} << 10;
constexpr std::size_t kMaxHeldSize = 2 * DxfWriter::kMaxTemplateSize + 2;

void Hold(std::string& held, std::string_view line) {
  // Once the first lines do not fit, room at once for the largest template: the text
  // never moves, nor takes twice its size, as it grows, and what it does not fill is
  // never touched.
  if (held.size() + line.size() + 2 > held.capacity()) held.reserve(kMaxHeldSize);
  held.append(line).append("\r\n");
}

// The output file as the place a template's kept records are written to.
class OutputSink final : public DrawingTemplate::Sink {
 public:
  explicit OutputSink(OutputFile& out) : out_(out) {}
  void Put(std::string_view text) override { out_.Put(text); }

 private:
  OutputFile& out_;
};

}  // namespace

DxfWriter::DxfWriter(OutputFile& out, PolylineKind kind, bool closed)
    : out_(out), kind_(kind), closed_(closed) {
  PrepareVertices();
}

DxfWriter::HeadStatus DxfWriter::CopyTemplateHead(TextInputFile& templateFile) {
  const HeadStatus status = ReadHead(templateFile);
  templateFile.Close();
  return status;
}

std::optional<DxfWriter::HeadStatus> DxfWriter::NextTemplateLine(TextInputFile& templateFile,
                                                                  std::string_view& line) {
  const std::optional<HeadStatus> ended = ReadTemplateLine(templateFile, line);
  if (!ended) header_.Take(line);
  return ended;
}

DxfWriter::HeadStatus DxfWriter::ReadHead(TextInputFile& templateFile) {
  using Verdict = TemplateVersionWatcher::Verdict;
  TemplateVersionWatcher watcher;
  EntitiesSectionFinder headEnd;
  // The lines taken until the version shows: one of R13 or newer is analyzed whole, a
  // pointer in the HEADER before $ACADVER repaired like any other.
  std::string held;
  held.reserve(kFirstHeldSize);
  while (!templateFile.AtEnd()) {
    std::string_view line;
    if (const std::optional<HeadStatus> ended = NextTemplateLine(templateFile, line)) return *ended;
    const Verdict verdict = watcher.Take(line);
    if (verdict == Verdict::NotText) return HeadStatus::Invalid;
    Hold(held, line);
    if (verdict == Verdict::R13OrNewer) return TakeWholeTemplate(templateFile, std::move(held));
    const EntitiesSectionFinder::Result found = headEnd.Take(line);
    if (found == EntitiesSectionFinder::Result::NoDrawing) return HeadStatus::Invalid;
    if (found == EntitiesSectionFinder::Result::Found) {
      out_.Put(held);
      return HeadStatus::Copied;
    }
    if (verdict == Verdict::Legacy) {
      out_.Put(held);
      return CopyRestOfLegacyHead(templateFile, headEnd);
    }
  }
  return HeadStatus::Invalid;  // no ENTITIES section begins: no reader takes it for a drawing
}

DxfWriter::HeadStatus DxfWriter::CopyRestOfLegacyHead(TextInputFile& templateFile,
                                                      EntitiesSectionFinder& headEnd) {
  while (!templateFile.AtEnd()) {
    std::string_view line;
    if (const std::optional<HeadStatus> ended = NextTemplateLine(templateFile, line)) return *ended;
    out_.PrintLine(line);
    switch (headEnd.Take(line)) {
      case EntitiesSectionFinder::Result::NotYet: break;
      case EntitiesSectionFinder::Result::Found: return HeadStatus::Copied;
      case EntitiesSectionFinder::Result::NoDrawing: return HeadStatus::Invalid;
    }
  }
  return HeadStatus::Invalid;
}

DxfWriter::HeadStatus DxfWriter::TakeWholeTemplate(TextInputFile& templateFile, std::string held) {
  while (!templateFile.AtEnd()) {
    std::string_view line;
    if (const std::optional<HeadStatus> ended = NextTemplateLine(templateFile, line)) return *ended;
    Hold(held, line);
  }
  template_ = DrawingTemplate::Analyze(std::move(held));
  if (!template_) return HeadStatus::Invalid;
  handles_ = true;
  nextHandle_ = HandleText(template_->FirstFreeHandle());
  polyline_ = Handle{NumberOf(template_->FirstFreeHandle()) + 1};  // after the POINT
  OutputSink sink(out_);
  handleSeedOffset_ = out_.Offset();
  handleSeedOffset_ += template_->WriteHead(sink);
  PrepareVertices();
  return HeadStatus::Copied;
}

void DxfWriter::PrepareVertices() {
  std::string start = EntityStart("VERTEX", handles_, kPolylineLayer);
  std::string ownerToX;
  if (handles_) {
    const std::string_view vertexSubclass =
        kind_ == PolylineKind::ThreeD ? "AcDb3dPolylineVertex" : "AcDb2dVertex";
    ownerToX = EntityOwnerAndLayer(polyline_, kPolylineLayer, {"AcDbVertex", vertexSubclass}) +
               " 10\r\n";
  } else {
    start += " 10\r\n";
  }
  vertices_.Assign(start, ownerToX, kind_ == PolylineKind::ThreeD ? " 70\r\n    32\r\n" : "",
                   handles_);
}

PrintedRows DxfWriter::StartDeferredBatch() {
  const std::span<char> block = out_.StartRawBlock();
  return PrintedRows(block.first(std::min(kDeferredBatchSize, block.size())));
}

void DxfWriter::DeferVertices(const PrintedRows& rows) {
  const auto size = static_cast<std::size_t>(rows.end() - rows.begin());
  out_.HandOverRaw(size, [vertices = vertices_, first = nextHandle_](
                             std::string_view block,
                             BackgroundWriter::ExpandedOutput& out) noexcept {
    HandleText handle = first;
    vertices.Write(block.data(), block.data() + block.size(), handle, out);
  });
  if (handles_) nextHandle_.Advance(rows.RowCount());
}

void DxfWriter::WriteEntityStart(std::string_view type, Handle owner, std::string_view layer,
                                 std::string_view subclass) {
  out_.Put(EntityStart(type, handles_, layer));
  if (!handles_) return;
  out_.Put(nextHandle_.Text());
  nextHandle_.Increment();
  out_.Put(subclass.empty() ? EntityOwnerAndLayer(owner, layer, {})
                            : EntityOwnerAndLayer(owner, layer, {subclass}));
}

Handle DxfWriter::ModelSpace() const { return template_ ? template_->ModelSpace() : kNullHandle; }

void DxfWriter::WritePrologue() {
  const Handle modelSpace = ModelSpace();
  const bool threeD = kind_ == PolylineKind::ThreeD;
  // The POINT's X and Y carry ten decimals, its Z one.
  WriteEntityStart("POINT", modelSpace, kPolylineLayer, "AcDbPoint");
  for (const std::string_view line :
       {" 10", "0.0000000000", " 20", "0.0000000000", " 30", "0.0"}) {
    out_.PrintLine(line);
  }
  WriteEntityStart("POLYLINE", modelSpace, kPolylineLayer,
                   threeD ? "AcDb3dPolyline" : "AcDb2dPolyline");
  for (const std::string_view line : {" 66", "     1", " 10", "0.0", " 20", "0.0", " 30", "0.0"}) {
    out_.PrintLine(line);
  }
  // Flags, right-aligned in six: 1 closed, 8 a 3D polyline.
  const int flags = (closed_ ? 1 : 0) | (threeD ? 8 : 0);
  if (flags != 0) out_.Put(" 70\r\n     " + std::to_string(flags) + "\r\n");
}

void DxfWriter::EndPolyline() { WriteEntityStart("SEQEND", polyline_, kPolylineLayer, {}); }

void DxfWriter::StartLabels(std::optional<double> textHeight) {
  const double height = textHeight.value_or(header_.TextSize());
  NumberText heightText;
  heightText.length =
      static_cast<std::uint8_t>(PrintNumberText(height, heightText.text) - heightText.text);
  labels_.emplace(LabelStyle{header_.CurrentLayer(), heightText,
                             LabelText(header_.TextIsUtf8(), header_.CodePage())});
}

void DxfWriter::WritePlace(const LabelledRow& row) {
  out_.Put(" 10\r\n");
  out_.PrintLine(row.x.View());
  out_.Put(" 20\r\n");
  out_.PrintLine(row.y.View());
  out_.Put(" 30\r\n");
  out_.PrintLine(row.z.View());
}

void DxfWriter::WriteLabel(const LabelledRow& row) {
  WriteEntityStart("POINT", ModelSpace(), labels_->layer, "AcDbPoint");
  WritePlace(row);
  WriteEntityStart("TEXT", ModelSpace(), labels_->layer, "AcDbText");
  WritePlace(row);
  out_.Put(" 40\r\n");
  out_.PrintLine(labels_->height.View());
  out_.Put("  1\r\n");
  out_.PrintLine(labels_->text.Of(row.name));
  // A TEXT's alignment has a subclass marker of its own, after the text.
  if (handles_) out_.Put("100\r\nAcDbText\r\n");
}

void DxfWriter::WriteTrailer() {
  out_.Put("  0\r\nENDSEC\r\n");
  if (!template_) {
    out_.Put("  0\r\nEOF\r\n");
    return;
  }
  OutputSink sink(out_);
  template_->WriteTail(sink);
  out_.Overwrite(handleSeedOffset_, nextHandle_.FixedWidth());
}

}  // namespace sorvane
