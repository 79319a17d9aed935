#include "engine/conversion_run.h"

#include "engine/dxf_writer.h"
#include "engine/layout_row_reader.h"
#include "engine/point_row_reader.h"
#include "engine/printed_rows.h"
#include "runtime/output_file.h"
#include "runtime/text_input_file.h"

#include <exception>

namespace sorvane {
namespace {

ConvertOutcome OutcomeOfCreate(OutputFile::CreateStatus status) {
  switch (status) {
    case OutputFile::CreateStatus::EmptyName: return ConvertOutcome::OutputNameEmpty;
    case OutputFile::CreateStatus::SameAsInput: return ConvertOutcome::OutputSameAsInput;
    case OutputFile::CreateStatus::CannotCreate:
    case OutputFile::CreateStatus::Created: break;
  }
  return ConvertOutcome::OutputCannotCreate;
}

ConversionResult OutcomeOfRows(RowStatus end, const TextInputFile& points) {
  switch (end) {
    case RowStatus::Row:
    case RowStatus::EndOfFile: break;
    case RowStatus::BadRow: return {ConvertOutcome::BadRow, points.LineNumber()};
    case RowStatus::ReadFailed: return {ConvertOutcome::InputReadFailed};
  }
  return {ConvertOutcome::Converted};
}

// Reads the next rows as `layout` lays them out, or by the comma scanner without one.
RowStatus ReadRows(TextInputFile& points, const std::optional<PointLayout>& layout,
                   PrintedRows& rows) {
  return layout ? ReadLayoutRows(points, *layout, rows) : ReadPointRows(points, rows);
}

// One VERTEX per row of the point file.
ConversionResult WriteVertices(TextInputFile& points, const std::optional<PointLayout>& layout,
                               DxfWriter& writer, OutputFile& out) {
  // The rows are read a batch at a time and their vertices written at once, while the
  // batch is in the cache; the output file writes full blocks on the other core, and
  // whenever that core is about to idle, it is left a larger batch to write the
  // vertices of itself.
  PrintedRows rows;
  while (!out.Failed()) {
    RowStatus end;
    if (writer.VerticesBestDeferred()) {
      PrintedRows deferred = writer.StartDeferredBatch();
      end = ReadRows(points, layout, deferred);
      writer.DeferVertices(deferred);
    } else {
      rows.Clear();
      end = ReadRows(points, layout, rows);
      writer.WriteVertices(rows);
    }
    if (end != RowStatus::Row) return OutcomeOfRows(end, points);
  }
  return {ConvertOutcome::Converted};
}

// A label for each named point, from a second reading of the point file: the labels
// follow the polyline, so that its vertices run on unbroken to its SEQEND, and memory
// stays the same for any number of points.
ConversionResult WriteLabels(TextInputFile& points, const PointLayout& layout,
                             std::optional<double> textHeight, DxfWriter& writer,
                             OutputFile& out) {
  if (layout.name == PointLayout::kNoField) return {ConvertOutcome::Converted};
  if (!points.Rewind()) return {ConvertOutcome::InputReadFailed};
  writer.StartLabels(textHeight);
  LabelledRow row;
  while (!out.Failed()) {
    const RowStatus end = ReadLabelledRow(points, layout, row);
    if (end != RowStatus::Row) return OutcomeOfRows(end, points);
    writer.WriteLabel(row);
  }
  return {ConvertOutcome::Converted};
}

// Writes the whole DXF text; the output is committed by the caller. `ifThrown` is set
// to what each step's failure is when the step throws.
ConversionResult WriteDrawing(TextInputFile& points, TextInputFile& templateFile,
                              OutputFile& out, const ConversionOptions& options,
                              ConvertOutcome& ifThrown) {
  DxfWriter writer(out, options.polyline, options.closed);
  ifThrown = ConvertOutcome::TemplateReadFailed;
  switch (writer.CopyTemplateHead(templateFile)) {
    case DxfWriter::HeadStatus::Copied: break;
    case DxfWriter::HeadStatus::ReadFailed: return {ConvertOutcome::TemplateReadFailed};
    case DxfWriter::HeadStatus::Invalid: return {ConvertOutcome::TemplateInvalid};
  }
  // Reading a row needs no memory; writing the drawing does.
  ifThrown = ConvertOutcome::OutputWriteFailed;
  writer.WritePrologue();
  const std::optional<PointLayout> layout = options.StrictLayout();
  if (const ConversionResult written = WriteVertices(points, layout, writer, out);
      written.outcome != ConvertOutcome::Converted) {
    return written;
  }
  writer.EndPolyline();
  if (options.labels) {
    if (const ConversionResult labelled =
            WriteLabels(points, *layout, options.textHeight, writer, out);
        labelled.outcome != ConvertOutcome::Converted) {
      return labelled;
    }
  }
  writer.WriteTrailer();
  return {ConvertOutcome::Converted};
}

ConversionResult Convert(const std::string& inPath, const std::string& outPath,
                         const std::string& templatePath, const ConversionOptions& options,
                         ConvertOutcome& ifThrown) {
  if (inPath.empty()) return {ConvertOutcome::NoFileSelected};
  ifThrown = ConvertOutcome::InputReadFailed;
  TextInputFile points;
  if (!points.Open(inPath)) return {ConvertOutcome::InputMissing};
  ifThrown = ConvertOutcome::TemplateReadFailed;
  TextInputFile templateFile;
  if (!templateFile.Open(templatePath)) return {ConvertOutcome::TemplateMissing};

  ifThrown = ConvertOutcome::OutputCannotCreate;
  OutputFile out;
  const FileIdentity inputs[] = {points.Identity(), templateFile.Identity()};
  const OutputFile::CreateStatus created = out.Create(outPath, inputs);
  if (created != OutputFile::CreateStatus::Created) return {OutcomeOfCreate(created)};

  const ConversionResult result = WriteDrawing(points, templateFile, out, options, ifThrown);
  if (result.outcome != ConvertOutcome::Converted) return result;
  if (out.Failed() || !out.Commit()) return {ConvertOutcome::OutputWriteFailed};
  return result;
}

}  // namespace

ConversionResult RunConversion(const std::string& inPath, const std::string& outPath,
                               MessageSink& messages, const std::string& templatePath,
                               const ConversionOptions& options) {
  // A step that throws (memory runs out for a large R13 template held whole, for the
  // output's buffers) ends the run with that step's own failure; unwinding has closed
  // the files and removed the temporary output.
  ConvertOutcome ifThrown = ConvertOutcome::InputReadFailed;
  ConversionResult result;
  try {
    result = Convert(inPath, outPath, templatePath, options, ifThrown);
  } catch (const std::exception&) {
    result = {ifThrown};
  }
  messages.ShowMessage(OutcomeMessage(result));
  return result;
}

}  // namespace sorvane
