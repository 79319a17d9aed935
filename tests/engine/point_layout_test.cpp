// Point files laid out as surveyors write them, converted whole: which value lands on
// which axis, which rows are refused and at which line, the closed outline and the
// labels. Each file is converted twice: as it stands, where every row is near the end
// of what is buffered and read the general way, and followed by blank lines, where the
// rows of the common form are read the fast way; both must give the same drawing.

#include "engine/conversion_run.h"

#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/small_r2000_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sorvane {
namespace {

using testing::ReadFile;
using testing::RecordingSink;
using testing::ScratchDirectory;
using testing::WriteFile;
namespace r2000 = testing::small_r2000;
using namespace std::string_literals;

constexpr std::string_view kR12Template = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
constexpr std::string_view kOldDrawing = "an earlier drawing\r\n";

PointLayout Layout(std::string_view columns, Separator separator = Separator::Comma,
                   std::int64_t skipLines = 0) {
  PointLayout layout;
  layout.separator = separator;
  layout.skipLines = skipLines;
  return WithColumns(layout, columns).value();
}

struct Entity {
  std::string type;
  std::vector<std::pair<int, std::string>> groups;

  // The value of the entity's first group `code`, blanks around it taken off.
  std::string Value(int code) const {
    for (const auto& [groupCode, value] : groups) {
      if (groupCode != code) continue;
      const std::size_t first = value.find_first_not_of(' ');
      return first == std::string::npos ? "" : value.substr(first, value.find_last_not_of(' ') - first + 1);
    }
    return "-";
  }
  std::string Place() const { return Value(10) + " " + Value(20) + " " + Value(30); }
};

// The entities of a drawing's ENTITIES section.
std::vector<Entity> EntitiesOf(const std::string& drawing) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < drawing.size();) {
    const std::size_t end = drawing.find("\r\n", at);
    lines.push_back(drawing.substr(at, end - at));
    at = end + 2;
  }
  std::vector<Entity> entities;
  bool inEntities = false;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    const int code = std::stoi(lines[i]);
    if (code == 2 && lines[i + 1] == "ENTITIES") inEntities = true;
    if (!inEntities) continue;
    if (code == 0 && lines[i + 1] == "ENDSEC") break;
    if (code == 0) {
      entities.push_back({lines[i + 1], {}});
    } else if (!entities.empty()) {
      entities.back().groups.emplace_back(code, lines[i + 1]);
    }
  }
  return entities;
}

struct LayoutCase {
  const char* name;
  ConversionOptions options;
  std::string points;
  // The vertices' places, "X Y Z" as written; or, for a file the run must refuse, the
  // line it stops at, with nothing written.
  std::vector<std::string> vertices;
  std::int64_t badLine = 0;
  std::string polylineFlags = "-";  // its group 70, "-" for none
  // The labels, "name at X Y Z", each a TEXT with a POINT at its place.
  std::vector<std::string> labels = {};
};

class PointLayoutRun : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PointLayoutRun, PutsEachValueOnItsAxisOrRefusesTheRow) {
  const LayoutCase& c = GetParam();
  // Blank lines after the last row leave every row a window of bytes to be read in.
  for (const std::string& points : {c.points, c.points + std::string(256, '\n')}) {
    SCOPED_TRACE(points.size() == c.points.size() ? "as it stands" : "followed by blank lines");
    ScratchDirectory dir;
    WriteFile("points.csv", points);
    WriteFile(kTemplateName, kR12Template);
    WriteFile("out.dxf", kOldDrawing);
    RecordingSink sink;
    const ConversionResult result = RunConversion("points.csv", "out.dxf", sink, kTemplateName, c.options);
    if (c.badLine != 0) {
      EXPECT_EQ(result, (ConversionResult{ConvertOutcome::BadRow, c.badLine}));
      EXPECT_EQ(sink.messages, std::vector<std::string>{std::to_string(c.badLine) +
                                                        "行目のデータが正しくありません"});
      EXPECT_EQ(ReadFile("out.dxf"), kOldDrawing);
      continue;
    }
    ASSERT_EQ(result.outcome, ConvertOutcome::Converted) << sink.messages.front();
    std::vector<std::string> vertices;
    std::vector<std::string> labels;
    std::string flags = "none";
    const std::vector<Entity> entities = EntitiesOf(ReadFile("out.dxf"));
    for (std::size_t i = 0; i < entities.size(); ++i) {
      const Entity& entity = entities[i];
      if (entity.type == "POLYLINE") flags = entity.Value(70);
      if (entity.type == "VERTEX") vertices.push_back(entity.Place());
      if (entity.type != "TEXT") continue;
      labels.push_back(entity.Value(1) + " at " + entity.Place());
      EXPECT_EQ(entities[i - 1].type, "POINT");
      EXPECT_EQ(entities[i - 1].Place(), entity.Place());
    }
    EXPECT_EQ(vertices, c.vertices);
    EXPECT_EQ(flags, c.polylineFlags);
    EXPECT_EQ(labels, c.labels);
  }
}

const std::string kSurveyFile = "点名,X,Y,Z\r\nP1,-9571.454,-45840.421,156.995\r\nP2,-9569.273,-45836.197,1E2\r\n";

INSTANTIATE_TEST_SUITE_P(
    PointLayout, PointLayoutRun,
    ::testing::Values(
        // Japanese survey files: a name, the northing (the drawing's Y), the easting.
        LayoutCase{"NameFirstNorthingFirst", {.layout = Layout("name,n,e,z", Separator::Comma, 1)},
                   kSurveyFile, {"-45840.421 -9571.454 156.995", "-45836.197 -9569.273 100"}},
        LayoutCase{"HeaderWithoutSkipLines", {.layout = Layout("name,n,e,z")}, kSurveyFile, {}, 1},
        LayoutCase{"EastingNorthingWithoutZ", {.layout = Layout("e,n")}, "1,2\r\n-3,4.50\r\n",
                   {"1 2 0", "-3 4.5 0"}},
        LayoutCase{"FieldsIgnoredBetweenAndAfter", {.layout = Layout("-,x,-,y,z,-")},
                   "a,1,b,2,3,c,d\r\n , 4 , ,5,6\r\n", {"1 2 3", "4 5 6"}},
        LayoutCase{"SkipLinesTakeAnything", {.layout = Layout("x,y,z", Separator::Comma, 2)},
                   "9,9,9\r\nX,Y\0,Z\r\n1,2,3\r\n"s, {"1 2 3"}},
        LayoutCase{"BlankLinesSkipped", {.layout = Layout("x,y,z")},
                   "\r\n1,2,3\r\n \t \r\n\r\n4,5,6\r\n", {"1 2 3", "4 5 6"}},
        LayoutCase{"Tab", {.layout = Layout("name,x,y,z", Separator::Tab)},
                   "P 1\t1\t 2 \t3\r\nP2\t4\t5\t6\r\n", {"1 2 3", "4 5 6"}},
        LayoutCase{"Semicolon", {.layout = Layout("x,y,z", Separator::Semicolon)},
                   "1.5;2.5;3.5\r\n", {"1.5 2.5 3.5"}},
        LayoutCase{"SemicolonWithDecimalCommas", {.layout = Layout("x,y,z", Separator::Semicolon)},
                   "1.5;2.5;3.5\r\n1,5;2,5;3,5\r\n", {}, 2},
        LayoutCase{"SpaceTakesAnyRunOfBlanks", {.layout = Layout("name,x,y", Separator::Space)},
                   "P1 1 2\r\n  P2\t \t3   4  \r\n", {"1 2 0", "3 4 0"}},
        // Closing alone reads X, Y and Z strictly, separated by commas.
        LayoutCase{"Closed", {.closed = true}, "1,2,3\r\n4,5,6\r\n", {"1 2 3", "4 5 6"}, 0, "1"},
        LayoutCase{"Closed3d", {.polyline = PolylineKind::ThreeD, .closed = true}, "1,2,3\r\n",
                   {"1 2 3"}, 0, "9"},
        LayoutCase{"ClosedRefusesAHeader", {.closed = true}, "X,Y,Z\r\n1,2,3\r\n", {}, 1},
        LayoutCase{"Labels", {.layout = Layout("name,n,e,z", Separator::Comma, 1), .labels = true},
                   kSurveyFile, {"-45840.421 -9571.454 156.995", "-45836.197 -9569.273 100"}, 0, "-",
                   {"P1 at -45840.421 -9571.454 156.995", "P2 at -45836.197 -9569.273 100"}},
        LayoutCase{"LabelsWithoutANameColumn", {.labels = true}, "1,2,3\r\n", {"1 2 3"}},
        // Rows that do not fit: the line is counted from the top, skipped and blank
        // lines included.
        LayoutCase{"TooFewFields", {.layout = Layout("name,n,e,z")}, "P1,1,2,3\r\n\r\nP2,1,2\r\n", {}, 3},
        LayoutCase{"EmptyFieldForZ", {.layout = Layout("name,n,e,z")}, "P1,1,2,\r\n", {}, 1},
        LayoutCase{"EmptyName", {.layout = Layout("name,n,e,z")}, "P1,1,2,3\r\n,1,2,3\r\n", {}, 2},
        LayoutCase{"BlankName", {.layout = Layout("name,n,e,z", Separator::Comma, 1)},
                   "h\r\nP1,1,2,3\r\n \t,1,2,3\r\n", {}, 3},
        LayoutCase{"NumberFollowedByText", {.layout = Layout("x,y,z")}, "1,2,3abc\r\n", {}, 1},
        LayoutCase{"BlankInsideANumber", {.layout = Layout("x,y,z")}, "1,2 5,3\r\n", {}, 1},
        LayoutCase{"BeyondADouble", {.layout = Layout("x,y,z")}, "1,2,3\r\n1E999,2,3\r\n", {}, 2},
        LayoutCase{"NulInAName", {.layout = Layout("name,x,y")}, "P\0,1,2\r\n"s, {}, 1},
        LayoutCase{"NulInAnIgnoredField", {.layout = Layout("x,y,-")}, "1,2,\0\r\n"s, {}, 1},
        LayoutCase{"TooFewFieldsBetweenBlanks", {.layout = Layout("x,y,z", Separator::Space)},
                   "1 2 3\r\n 1  2 \r\n", {}, 2},
        LayoutCase{"TooFewFieldsEndingTheLine", {.layout = Layout("x,y,z", Separator::Space)},
                   "1 2 3\r\n1 2\r\n", {}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
