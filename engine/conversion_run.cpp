#include "engine/conversion_run.h"

#include "engine/background_row_reader.h"
#include "engine/dxf_writer.h"
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
  // One thread reads the rows while this one writes the vertices of those before.
  BackgroundRowReader rows(points);
  for (bool more = true; more && !out.Failed();) {
    const BackgroundRowReader::Batch& batch = rows.Next();
    writer.WriteVertices(batch.rows);
    switch (batch.end) {
      case RowStatus::Row: break;
      case RowStatus::EndOfFile: more = false; break;
      case RowStatus::BadRow: return {ConvertOutcome::BadRow, batch.lineNumber};
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
