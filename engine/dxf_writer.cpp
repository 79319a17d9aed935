#include "engine/dxf_writer.h"

#include "engine/template_version.h"

#include <algorithm>
#include <initializer_list>
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

bool DxfWriter::ReadTemplateLine(TextInputFile& templateFile, std::string_view& line) {
  if (templateFile.ReadLine(line) != TextInputFile::LineStatus::Read) return false;
  header_.Take(line);
  return true;
}

DxfWriter::HeadStatus DxfWriter::ReadHead(TextInputFile& templateFile) {
  using Verdict = TemplateVersionWatcher::Verdict;
  TemplateVersionWatcher watcher;
  // Lines taken but not yet written: the last one, whose successor may show that it
  // opens $HANDSEED, and once that has shown, every line from it on.
  std::string held;
  while (!templateFile.AtEnd()) {
    std::string_view line;
    if (!ReadTemplateLine(templateFile, line)) return HeadStatus::ReadFailed;
    const Verdict verdict = watcher.Take(line);
    if (verdict == Verdict::NotText) return HeadStatus::Invalid;
    if (!watcher.SeedSeen()) {
      out_.Put(held);
      held.clear();
    } else if (held.size() + line.size() + 2 > kMaxTemplateSize) {
      return HeadStatus::ReadFailed;
    } else if (held.capacity() < kMaxTemplateSize) {
      // Held from $HANDSEED on until the version shows: room at once for all that may
      // be held, so that the text never moves, nor takes twice its size, as it grows.
      held.reserve(kMaxTemplateSize);
    }
    held.append(line).append("\r\n");
    if (verdict == Verdict::Undecided) continue;
    if (verdict == Verdict::R13OrNewer) {
      if (!watcher.SeedSeen()) {
        out_.Put(held);
        held.clear();
      }
      return TakeWholeTemplate(templateFile, std::move(held));
    }
    out_.Put(held);
    return line == "ENTITIES" ? HeadStatus::Copied : CopyRestOfLegacyHead(templateFile);
  }
  out_.Put(held);
  return HeadStatus::Copied;
}

DxfWriter::HeadStatus DxfWriter::CopyRestOfLegacyHead(TextInputFile& templateFile) {
  while (!templateFile.AtEnd()) {
    std::string_view line;
    if (!ReadTemplateLine(templateFile, line)) return HeadStatus::ReadFailed;
    out_.PrintLine(line);
    if (line == "ENTITIES") break;  // whole line, same case, nothing around it
  }
  return HeadStatus::Copied;
}

DxfWriter::HeadStatus DxfWriter::TakeWholeTemplate(TextInputFile& templateFile, std::string held) {
  // Room for the largest template at once: the text never moves as it grows, so it
  // never takes twice its size, and what it does not fill is never touched.
  held.reserve(kMaxTemplateSize);
  while (!templateFile.AtEnd()) {
    std::string_view line;
    if (!ReadTemplateLine(templateFile, line) ||
        held.size() + line.size() + 2 > kMaxTemplateSize) {
      return HeadStatus::ReadFailed;
    }
    held.append(line).append("\r\n");
  }
  template_ = AnalyzeTemplate(held);
  if (!template_) return HeadStatus::Invalid;
  handles_ = true;
  nextHandle_ = HandleText(template_->firstFreeHandle);
  polyline_ = Handle{NumberOf(template_->firstFreeHandle) + 1};  // after the POINT
  handleSeedOffset_ = out_.Offset() + template_->handleSeedOffset;
  out_.Put(template_->head);
  template_->head = std::string();
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

void DxfWriter::WriteEntityStart(std::string_view type, Handle owner,
                                 std::string_view layer, std::string_view subclass) {
  out_.Put(EntityStart(type, handles_, layer));
  if (!handles_) return;
  out_.Put(nextHandle_.Text());
  nextHandle_.Increment();
  out_.Put(subclass.empty() ? EntityOwnerAndLayer(owner, layer, {})
                            : EntityOwnerAndLayer(owner, layer, {subclass}));
}

Handle DxfWriter::ModelSpace() const { return template_ ? template_->modelSpace : kNullHandle; }

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
  const double height = textHeight.value_or(header_.TextSize().value_or(kDefaultTextSize));
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
  out_.Put(template_->tail);
  out_.Overwrite(handleSeedOffset_, nextHandle_.FixedWidth());
}

}  // namespace sorvane
