#include "engine/conversion_run.h"
#include "engine/dxf_writer.h"
#include "engine/point_row_reader.h"
#include "runtime/output_file.h"

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/small_r2000_template.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace sorvane {
namespace {

using testing::ReadFile;
using testing::RecordingSink;
using testing::ScratchDirectory;
using testing::WriteFile;
namespace r2000 = testing::small_r2000;

// The drawing's fixed parts, byte for byte: group codes right-aligned in three
// characters, the POINT's X and Y with ten decimals but its Z with one, CR LF after
// every line.
constexpr std::string_view kPrologue =
    "  0\r\nPOINT\r\n  8\r\n0\r\n"
    " 10\r\n0.0000000000\r\n 20\r\n0.0000000000\r\n 30\r\n0.0\r\n"
    "  0\r\nPOLYLINE\r\n  8\r\n0\r\n 66\r\n     1\r\n"
    " 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n";
constexpr std::string_view kTrailer =
    "  0\r\nSEQEND\r\n  8\r\n0\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

// The shortest head: the opening of the ENTITIES section.
constexpr std::string_view kEntitiesOpening = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";

// Converts `points` with `templateText` as PreData.txt and returns the drawing; nothing
// when the template is refused as no drawing.
std::optional<std::string> ConvertOrRefuse(std::string_view points, std::string_view templateText,
                                           const ConversionOptions& options = {}) {
  ScratchDirectory dir;
  WriteFile("points.csv", points);
  WriteFile(kTemplateName, templateText);
  RecordingSink sink;
  const ConversionResult result =
      RunConversion("points.csv", "out.dxf", sink, kTemplateName, options);
  if (result.outcome == ConvertOutcome::TemplateInvalid) {
    EXPECT_FALSE(std::filesystem::exists("out.dxf"));
    return std::nullopt;
  }
  EXPECT_EQ(result.outcome, ConvertOutcome::Converted) << sink.messages.front();
  return ReadFile("out.dxf");
}

std::string Convert(std::string_view points, std::string_view templateText,
                    const ConversionOptions& options = {}) {
  std::optional<std::string> drawing = ConvertOrRefuse(points, templateText, options);
  EXPECT_TRUE(drawing.has_value()) << "template refused";
  return drawing.value_or("");
}

std::size_t CountLines(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(DxfWriter, WritesTheGoldenDrawing) {
  const std::string drawing = Convert("12.5,-3,0\r\n-0.25,1E20,7,9\r\n", kEntitiesOpening);
  // A number's line has a blank before a value that is not negative and one after
  // every value; nothing else carries a trailing blank.
  const std::string expected = std::string(kEntitiesOpening) +
                               std::string(kPrologue) +
                               "  0\r\nVERTEX\r\n  8\r\n0\r\n"
                               " 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 0 \r\n"
                               "  0\r\nVERTEX\r\n  8\r\n0\r\n"
                               " 10\r\n-0.25 \r\n 20\r\n 1E+20 \r\n 30\r\n 7 \r\n" +
                               std::string(kTrailer);
  EXPECT_EQ(drawing, expected);
}

TEST(DxfWriter, FlagsA3dPolylineInAnR12Drawing) {
  const std::string drawing =
      Convert("12.5,-3,0\r\n", kEntitiesOpening, {.polyline = PolylineKind::ThreeD});
  EXPECT_EQ(drawing, std::string(kEntitiesOpening) + std::string(kPrologue) +
                         " 70\r\n     8\r\n"
                         "  0\r\nVERTEX\r\n  8\r\n0\r\n"
                         " 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 0 \r\n 70\r\n    32\r\n" +
                         std::string(kTrailer));
}

// The template's head with the drawing's seed, then the entities with handles from the
// template's seed on, owned by the model space block record 1F and the POLYLINE 2B.
TEST(DxfWriter, WritesAConformingR2000Drawing) {
  const std::string entities =
      "  0\r\nPOINT\r\n  5\r\n2A\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDbPoint\r\n"
      " 10\r\n0.0000000000\r\n 20\r\n0.0000000000\r\n 30\r\n0.0\r\n"
      "  0\r\nPOLYLINE\r\n  5\r\n2B\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDb2dPolyline\r\n 66\r\n     1\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n"
      "  0\r\nVERTEX\r\n  5\r\n2C\r\n330\r\n2B\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDbVertex\r\n100\r\nAcDb2dVertex\r\n"
      " 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 0 \r\n"
      "  0\r\nVERTEX\r\n  5\r\n2D\r\n330\r\n2B\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDbVertex\r\n100\r\nAcDb2dVertex\r\n"
      " 10\r\n-0.25 \r\n 20\r\n 1E+20 \r\n 30\r\n 7 \r\n"
      "  0\r\nSEQEND\r\n  5\r\n2E\r\n330\r\n2B\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n";
  EXPECT_EQ(Convert("12.5,-3,0\r\n-0.25,1E20,7,9\r\n", r2000::Template()),
            std::string(r2000::kVersion) + std::string(r2000::kSeed) + "000000000000002F\r\n" +
                std::string(r2000::kTables) + entities + "  0\r\nENDSEC\r\n" +
                std::string(r2000::kObjects));
}

TEST(DxfWriter, WritesAConformingR2000Drawing3d) {
  const std::string entities =
      "  0\r\nPOINT\r\n  5\r\n2A\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDbPoint\r\n"
      " 10\r\n0.0000000000\r\n 20\r\n0.0000000000\r\n 30\r\n0.0\r\n"
      "  0\r\nPOLYLINE\r\n  5\r\n2B\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDb3dPolyline\r\n 66\r\n     1\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n"
      " 70\r\n     8\r\n"
      "  0\r\nVERTEX\r\n  5\r\n2C\r\n330\r\n2B\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDbVertex\r\n100\r\nAcDb3dPolylineVertex\r\n"
      " 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 0 \r\n 70\r\n    32\r\n"
      "  0\r\nSEQEND\r\n  5\r\n2D\r\n330\r\n2B\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n";
  EXPECT_EQ(Convert("12.5,-3,0\r\n", r2000::Template(), {.polyline = PolylineKind::ThreeD}),
            std::string(r2000::kVersion) + std::string(r2000::kSeed) + "000000000000002E\r\n" +
                std::string(r2000::kTables) + entities + "  0\r\nENDSEC\r\n" +
                std::string(r2000::kObjects));
}

// Labels follow the polyline's SEQEND, a POINT and a TEXT for each named point, on the
// template's current layer and with its text height.
TEST(DxfWriter, WritesLabelsAfterThePolylineOnTheCurrentLayer) {
  ConversionOptions options{.closed = true, .labels = true};
  options.layout = WithColumns({}, "name,x,y");
  const std::string head =
      "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$CLAYER\r\n  8\r\nPoints\r\n"
      "  9\r\n$TEXTSIZE\r\n 40\r\n1.5\r\n  0\r\nENDSEC\r\n"
      "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  EXPECT_EQ(Convert("P1,12.5,-3\r\n", head, options),
            head + std::string(kPrologue) + " 70\r\n     1\r\n" +
                "  0\r\nVERTEX\r\n  8\r\n0\r\n 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 0 \r\n"
                "  0\r\nSEQEND\r\n  8\r\n0\r\n"
                "  0\r\nPOINT\r\n  8\r\nPoints\r\n 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 0 \r\n"
                "  0\r\nTEXT\r\n  8\r\nPoints\r\n 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 0 \r\n"
                " 40\r\n 1.5 \r\n  1\r\nP1\r\n"
                "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
}

// The labels' entities take the handles after the SEQEND's, owned by the model space
// block record; the seed comes after the last of them. Without $TEXTSIZE, the height
// is the one CAD programs take, unless one is given.
TEST(DxfWriter, GivesLabelsHandlesOwnersAndSubclassMarkers) {
  ConversionOptions options{.labels = true};
  options.layout = WithColumns({}, "name,x,y,z");
  const std::string labels =
      "  0\r\nSEQEND\r\n  5\r\n2D\r\n330\r\n2B\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "  0\r\nPOINT\r\n  5\r\n2E\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDbPoint\r\n 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 7 \r\n"
      "  0\r\nTEXT\r\n  5\r\n2F\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
      "100\r\nAcDbText\r\n 10\r\n 12.5 \r\n 20\r\n-3 \r\n 30\r\n 7 \r\n"
      " 40\r\n 0.2 \r\n  1\r\nP1\r\n100\r\nAcDbText\r\n"
      "  0\r\nENDSEC\r\n";
  const std::string drawing = Convert("P1,12.5,-3,7\r\n", r2000::Template(), options);
  EXPECT_TRUE(drawing.starts_with(std::string(r2000::kVersion) + std::string(r2000::kSeed) +
                                  "0000000000000030\r\n"))
      << drawing;
  EXPECT_NE(drawing.find(labels + std::string(r2000::kObjects)), std::string::npos) << drawing;
  options.textHeight = 3;
  EXPECT_NE(Convert("P1,12.5,-3,7\r\n", r2000::Template(), options).find(" 40\r\n 3 \r\n  1\r\nP1\r\n"),
            std::string::npos);
}

// The drawing's seed comes after its last handle however far the head lies behind, and
// a $HANDSEED written before $ACADVER is the one replaced.
TEST(DxfWriter, SeedsAboveTheLastHandleBeyondOneBuffer) {
  std::string points;
  for (int row = 0; row < 40000; ++row) points += "1,2,3\r\n";
  for (const bool seedFirst : {false, true}) {
    SCOPED_TRACE(seedFirst);
    const std::string drawing = Convert(points, r2000::Template(seedFirst));
    // 2A for the POINT, 2B for the POLYLINE, 2C to 9C6B for 40000 vertices, the SEQEND.
    EXPECT_NE(drawing.find("  0\r\nSEQEND\r\n  5\r\n9C6C\r\n"), std::string::npos);
    EXPECT_NE(drawing.find("$HANDSEED\r\n  5\r\n0000000000009C6D\r\n"), std::string::npos);
  }
}

// A HEADER pointer that names nothing is repaired wherever it stands, before $ACADVER
// as after it.
TEST(DxfWriter, RepairsHeaderPointersOnEitherSideOfTheVersion) {
  const std::string pointer = "  9\r\n$CMATERIAL\r\n347\r\nDEAD\r\n";
  std::string templateText = r2000::Template();
  templateText.insert(templateText.find("$HANDSEED") - 5, pointer);
  templateText.insert(templateText.find("  9\r\n$ACADVER"), pointer);
  const std::string drawing = Convert("", templateText);
  const std::string repaired = "  9\r\n$CMATERIAL\r\n347\r\n0\r\n";
  const std::size_t first = drawing.find(repaired);
  ASSERT_LT(first, drawing.find("$ACADVER"));
  EXPECT_GT(drawing.find(repaired, first + 1), drawing.find("$ACADVER"));
  EXPECT_EQ(drawing.find("DEAD"), std::string::npos);
}

// Writes a drawing of `points` and the small R2000 template as the conversion does,
// but choosing the batches whose vertices the output's writing thread makes: once the
// thread runs, with `leaveSomeToThread` every other batch, each when it waits for work.
std::string WriteByTurns(const std::string& points, bool leaveSomeToThread) {
  ScratchDirectory dir;
  WriteFile("points.csv", points);
  WriteFile(kTemplateName, r2000::Template());
  TextInputFile pointFile;
  TextInputFile templateFile;
  EXPECT_TRUE(pointFile.Open("points.csv") && templateFile.Open(kTemplateName));
  OutputFile out;
  EXPECT_EQ(out.Create("out.dxf", {}), OutputFile::CreateStatus::Created);
  DxfWriter writer(out, PolylineKind::Flat);
  EXPECT_EQ(writer.CopyTemplateHead(templateFile), DxfWriter::HeadStatus::Copied);
  writer.WritePrologue();
  PrintedRows rows;
  int deferred = 0;
  for (RowStatus status = RowStatus::Row; status == RowStatus::Row;) {
    const bool threadRuns = deferred > 0 || out.Offset() > 2 * BackgroundWriter::kBlockSize;
    if (leaveSomeToThread && threadRuns) {
      while (!writer.VerticesBestDeferred()) std::this_thread::yield();
      PrintedRows batch = writer.StartDeferredBatch();
      status = ReadPointRows(pointFile, batch);
      writer.DeferVertices(batch);
      ++deferred;
      if (status != RowStatus::Row) break;
    }
    rows.Clear();
    status = ReadPointRows(pointFile, rows);
    writer.WriteVertices(rows);
  }
  writer.EndPolyline();
  writer.WriteTrailer();
  EXPECT_TRUE(out.Commit());
  EXPECT_EQ(deferred > 1, leaveSomeToThread);
  return ReadFile("out.dxf");
}

// Vertices left to the writing thread land where those written at once would, with
// the same handles, each batch larger than a block; the seed is replaced all the same.
TEST(DxfWriter, VerticesLeftToTheWritingThreadLandInOrder) {
  std::string points;
  for (int row = 0; row < 60000; ++row) points += std::to_string(row) + ",2,-3\r\n";
  const std::string drawing = WriteByTurns(points, true);
  const std::string written = WriteByTurns(points, false);
  // Compared from where they first differ: a diff of whole drawings takes gigabytes.
  const std::size_t at = static_cast<std::size_t>(
      std::mismatch(drawing.begin(), drawing.end(), written.begin(), written.end()).first -
      drawing.begin());
  EXPECT_EQ(drawing.substr(at, 200), written.substr(at, 200)) << "from byte " << at;
  // 2A for the POINT, 2B for the POLYLINE, 2C to EA8B for 60000 vertices, the SEQEND.
  EXPECT_NE(drawing.find("$HANDSEED\r\n  5\r\n000000000000EA8D\r\n"), std::string::npos);
}

struct TemplateCase {
  const char* name;
  std::string_view templateText;
  std::optional<std::string_view> head;  // what of it starts the drawing; nothing: refused
};

class TemplateHead : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(TemplateHead, IsCopiedUpToTheEntitiesSectionOrRefused) {
  const std::optional<std::string> drawing = ConvertOrRefuse("", GetParam().templateText);
  ASSERT_EQ(drawing.has_value(), GetParam().head.has_value());
  if (drawing) {
    EXPECT_EQ(*drawing, std::string(*GetParam().head) + std::string(kPrologue) + std::string(kTrailer));
  }
}

// An R12 drawing's tables and blocks before its ENTITIES section, what Dia and FreeCAD
// write when the user names a layer ENTITIES: a layer, a block on it and a text in the
// block, all named ENTITIES.
const std::string kNamedTablesAndBlocks =
    "  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLAYER\r\n 70\r\n1\r\n"
    "  0\r\nLAYER\r\n  2\r\nENTITIES\r\n 70\r\n0\r\n 62\r\n7\r\n  6\r\nCONTINUOUS\r\n"
    "  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n"
    "  0\r\nBLOCK\r\n  8\r\nENTITIES\r\n  2\r\nENTITIES\r\n 70\r\n0\r\n 10\r\n0.0\r\n"
    " 20\r\n0.0\r\n 30\r\n0.0\r\n  3\r\nENTITIES\r\n  0\r\nTEXT\r\n  8\r\nENTITIES\r\n"
    " 10\r\n0.0\r\n 20\r\n0.0\r\n 40\r\n1.0\r\n  1\r\nENTITIES\r\n  0\r\nENDBLK\r\n"
    "  8\r\nENTITIES\r\n  0\r\nENDSEC\r\n";
const std::string kNamedEntities = kNamedTablesAndBlocks + std::string(kEntitiesOpening);
const std::string kR12Header =
    "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC\r\n";
const std::string kOwnEntities = "  0\r\nLINE\r\n  8\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
const std::string kNoVersionTemplate = kNamedEntities + kOwnEntities;
const std::string kR12Head = kR12Header + kNamedEntities;
const std::string kR12Template = kR12Head + kOwnEntities;
const std::string kR12WithoutEntities = kR12Header + "  0\r\nEOF\r\n";
const std::string kR12WithNamesOnly = kR12Header + kNamedTablesAndBlocks + "  0\r\nEOF\r\n";

INSTANTIATE_TEST_SUITE_P(
    DxfWriter, TemplateHead,
    ::testing::Values(
        TemplateCase{"EndsWithTheSectionName", kEntitiesOpening, kEntitiesOpening},
        TemplateCase{"SectionNameWithoutLineEnd", "  0\r\nSECTION\r\n  2\r\nENTITIES",
                     kEntitiesOpening},
        TemplateCase{"NamesEntitiesBeforeTheSection", kNoVersionTemplate, kNamedEntities},
        TemplateCase{"NamesEntitiesBeforeTheSectionR12", kR12Template, kR12Head},
        TemplateCase{"CommentBetweenSectionAndName",
                     "  0\r\nSECTION\r\n999\r\nENTITIES\r\n  2\r\nENTITIES\r\n  0\r\nEOF\r\n",
                     "  0\r\nSECTION\r\n999\r\nENTITIES\r\n  2\r\nENTITIES\r\n"},
        TemplateCase{"BlanksAroundCodesAndNames", "  0 \r\n SECTION\r\n2\r\nENTITIES \r\nEOF\r\n",
                     "  0 \r\n SECTION\r\n2\r\nENTITIES \r\n"},
        TemplateCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF  0\r\nSECTION\r\n  2\r\nENTITIES\r\nEOF\r\n",
                     kEntitiesOpening},
        TemplateCase{"LfAndCrLineEndsBecomeCrLf", "  0\nSECTION\r  2\r\nENTITIES\nEOF\n",
                     kEntitiesOpening},
        TemplateCase{"NonAsciiValuesPassThrough",
                     "999\r\n\r\n999\r\n\xE5\x9B\xB3\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n",
                     "999\r\n\r\n999\r\n\xE5\x9B\xB3\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"},
        // No ENTITIES section begins: no reader takes any of these for a drawing.
        TemplateCase{"Empty", "", std::nullopt},
        TemplateCase{"OnlyByteOrderMark", "\xEF\xBB\xBF", std::nullopt},
        TemplateCase{"WithoutEntitiesSection", kR12WithoutEntities, std::nullopt},
        TemplateCase{"EntitiesOnlyAsNames", kR12WithNamesOnly, std::nullopt},
        TemplateCase{"SectionNameInSmallLetters", "  0\r\nSECTION\r\n  2\r\nentities\r\n",
                     std::nullopt},
        TemplateCase{"LinesThatAreNoGroups", "ENTITIES\r\nENTITIES\r\n", std::nullopt},
        // No reader reads past a code line that holds no code.
        TemplateCase{"TitleBeforeTheSection", "Survey\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n",
                     std::nullopt},
        TemplateCase{"PointFile", "1.5,2.5,3.5\r\n-4,5,-6\r\n", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumberCase {
  const char* name;
  std::string_view field;
  std::string_view valueLine;  // without its CR LF
};

class VertexValueLine : public ::testing::TestWithParam<NumberCase> {};

// The same text as X (read by Val), Y (Val) and Z (the strict conversion) must be
// written the same way, whichever reading path the reader took.
TEST_P(VertexValueLine, PrintsTheNumberAsTheRuntimeDoes) {
  const std::string field(GetParam().field);
  const std::string value = std::string(GetParam().valueLine) + "\r\n";
  const std::string drawing = Convert(field + "," + field + "," + field + "\r\n", kEntitiesOpening);
  const std::string vertex = "  0\r\nVERTEX\r\n  8\r\n0\r\n 10\r\n" + value + " 20\r\n" + value +
                             " 30\r\n" + value;
  EXPECT_EQ(drawing,
            std::string(kEntitiesOpening) + std::string(kPrologue) + vertex + std::string(kTrailer));
}

INSTANTIATE_TEST_SUITE_P(
    DxfWriter, VertexValueLine,
    ::testing::Values(NumberCase{"Whole", "42", " 42 "},
                      NumberCase{"Negative", "-3", "-3 "},
                      NumberCase{"Zero", "0", " 0 "},
                      NumberCase{"NegativeZeroIsNotNegative", "-0", " 0 "},
                      NumberCase{"NegativeZeroWithDecimals", "-0.000", " 0 "},
                      NumberCase{"PlusSignDropped", "+7", " 7 "},
                      NumberCase{"LeadingAndTrailingZerosDropped", "007.100", " 7.1 "},
                      NumberCase{"PointWithoutDigitsAfter", "5.", " 5 "},
                      NumberCase{"ZeroBeforePointBelowOne", ".5", " 0.5 "},
                      NumberCase{"NegativeBelowOne", "-.25", "-0.25 "},
                      NumberCase{"SurveyValue", "-45840.4215", "-45840.4215 "},
                      NumberCase{"SmallestWithoutExponent", "0.0001", " 0.0001 "},
                      NumberCase{"BelowThatUsesExponent", "0.00001", " 1E-05 "},
                      NumberCase{"NegativeSmallExponent", "-0.000015", "-1.5E-05 "},
                      NumberCase{"FifteenDigitsWhole", "999999999999999", " 999999999999999 "},
                      NumberCase{"SixteenDigitsWhole", "1000000000000000", " 1E+15 "},
                      NumberCase{"RoundedToFifteenDigits", "123456789012345.6",
                                 " 123456789012346 "},
                      NumberCase{"RoundedBelowOne", "0.1234567890123456", " 0.123456789012346 "},
                      NumberCase{"RoundingCarriesToNextPower", "9.9999999999999999", " 10 "},
                      NumberCase{"ManyZerosAfterPoint", "1.000000000000000000001", " 1 "},
                      NumberCase{"ExponentInput", "2.5e-7", " 2.5E-07 "},
                      NumberCase{"LargeExponentInput", "1.5E20", " 1.5E+20 "},
                      NumberCase{"ExponentGivingPlainNumber", "1.25E2", " 125 "},
                      NumberCase{"LeadingZerosAreNotSignificant", "000000000000001.5", " 1.5 "},
                      NumberCase{"TrailingZerosAreNotSignificant", "0.000100000000000000",
                                 " 0.0001 "},
                      NumberCase{"NegativeZeroPointZeros", "-00.00", " 0 "},
                      NumberCase{"FifteenDigitsWithPoint", "12345678901234.5",
                                 " 12345678901234.5 "},
                      NumberCase{"SixteenDigitsRoundUpToPower", "99999999999999.99",
                                 " 100000000000000 "},
                      NumberCase{"SixteenDigitsRoundUpPastFifteen", "999999999999999.9",
                                 " 1E+15 "},
                      NumberCase{"SixteenDigitsBelowOne", "0.9999999999999999", " 1 "},
                      NumberCase{"JustBelowTheSmallestPlain", "0.00009999999999999999",
                                 " 0.0001 "},
                      NumberCase{"SmallestSubnormal", "4.9406564584124654E-324",
                                 " 4.94065645841247E-324 "},
                      NumberCase{"EighteenDigits", "1234567890.12345678", " 1234567890.12346 "}),
    [](const auto& info) { return std::string(info.param.name); });

struct LineCountCase {
  const char* name;
  std::size_t rows;
};

class DrawingLineCount : public ::testing::TestWithParam<LineCountCase> {};

// The bundled template's head, 22 prologue lines, 10 per row and 8 trailer lines;
// enough rows cross the writer's buffer, and every line ends with CR LF.
TEST_P(DrawingLineCount, IsHeadPlusTwentyTwoPlusTenPerRowPlusEight) {
  const std::string templateText = ReadFile(SORVANE_EXAMPLES_DIR "/PreData.txt");
  ASSERT_FALSE(templateText.empty());
  std::string points;
  for (std::size_t row = 0; row < GetParam().rows; ++row) {
    points += std::to_string(row) + ".125,-" + std::to_string(row) + ".5,100.25\r\n";
  }
  const std::string drawing = Convert(points, templateText);
  const std::size_t headLines = CountLines(templateText);
  EXPECT_EQ(CountLines(drawing), headLines + 22 + 10 * GetParam().rows + 8);
  std::size_t lone = 0;
  for (std::size_t i = 0; i < drawing.size(); ++i) {
    if (drawing[i] == '\n' && (i == 0 || drawing[i - 1] != '\r')) ++lone;
    if (drawing[i] == '\r' && (i + 1 == drawing.size() || drawing[i + 1] != '\n')) ++lone;
  }
  EXPECT_EQ(lone, 0u) << "line ends other than CR LF";
  EXPECT_TRUE(drawing.ends_with(kTrailer));
}

INSTANTIATE_TEST_SUITE_P(DxfWriter, DrawingLineCount,
                         ::testing::Values(LineCountCase{"NoRows", 0}, LineCountCase{"OneRow", 1},
                                           LineCountCase{"ThreeRows", 3},
                                           LineCountCase{"BeyondOneBuffer", 40000}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
