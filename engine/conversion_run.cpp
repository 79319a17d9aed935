#include "engine/conversion_run.h"

#include "engine/dxf_writer.h"
#include "engine/point_row_reader.h"
#include "engine/printed_rows.h"
#include "runtime/output_file.h"
#include "runtime/text_input_file.h"

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

// Writes the whole DXF text; the output is committed by the caller.
ConversionResult WriteDrawing(TextInputFile& points, TextInputFile& templateFile,
                              OutputFile& out, PolylineKind polyline) {
  DxfWriter writer(out, polyline);
  switch (writer.CopyTemplateHead(templateFile)) {
    case DxfWriter::HeadStatus::Copied: break;
    case DxfWriter::HeadStatus::ReadFailed: return {ConvertOutcome::TemplateReadFailed};
    case DxfWriter::HeadStatus::Invalid: return {ConvertOutcome::TemplateInvalid};
  }
  writer.WritePrologue();
  // The rows are read a batch at a time and their vertices written at once, while the
  // batch is in the cache; the output file writes full blocks on the other core.
  PrintedRows rows;
  for (bool more = true; more && !out.Failed();) {
    rows.Clear();
    const RowStatus end = ReadPointRows(points, rows);
    writer.WriteVertices(rows);
    switch (end) {
      case RowStatus::Row: break;
      case RowStatus::EndOfFile: more = false; break;
      case RowStatus::BadRow: return {ConvertOutcome::BadRow, points.LineNumber()};
      case RowStatus::ReadFailed: return {ConvertOutcome::InputReadFailed};
    }
  }
  writer.WriteTrailer();
  return {ConvertOutcome::Converted};
}

ConversionResult Convert(const std::string& inPath, const std::string& outPath,
                         const std::string& templatePath, PolylineKind polyline) {
  if (inPath.empty()) return {ConvertOutcome::NoFileSelected};
  TextInputFile points;
  if (!points.Open(inPath)) return {ConvertOutcome::InputMissing};
  TextInputFile templateFile;
  if (!templateFile.Open(templatePath)) return {ConvertOutcome::TemplateMissing};

  OutputFile out;
  const FileIdentity inputs[] = {points.Identity(), templateFile.Identity()};
  const OutputFile::CreateStatus created = out.Create(outPath, inputs);
  if (created != OutputFile::CreateStatus::Created) return {OutcomeOfCreate(created)};

  const ConversionResult result = WriteDrawing(points, templateFile, out, polyline);
  if (result.outcome != ConvertOutcome::Converted) return result;
  if (out.Failed() || !out.Commit()) return {ConvertOutcome::OutputWriteFailed};
  return result;
}

}  // namespace

ConversionResult RunConversion(const std::string& inPath, const std::string& outPath,
                               MessageSink& messages, const std::string& templatePath,
                               PolylineKind polyline) {
  const ConversionResult result = Convert(inPath, outPath, templatePath, polyline);
  messages.ShowMessage(OutcomeMessage(result));
  return result;
}

}  // namespace sorvane
