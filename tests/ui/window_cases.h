#pragma once
// The window as designed and as it behaves, written out here, not read from the design,
// so that a wrong design fails too: where each control stands and what it says at 96
// dpi, which every view's suite checks for its toolkit; what a click on a file proposes
// and how Convert ends, which the behaviour's suite (tests/selection) checks once.

#include <array>
#include <ostream>

namespace sorvane::window_cases {

// A case prints as its name in test listings.
template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

struct Placement {
  const char* name;
  int left, top, width, height;
  const char* caption;  // UTF-8; empty where the control has none
};

inline constexpr std::array<Placement, 10> kMainWindow = {{
    {"Drv1", 8, 8, 177, 20, ""},
    {"Dir1", 8, 32, 177, 160, ""},
    {"Fil1", 192, 32, 233, 162, ""},
    {"Lbl1", 8, 200, 57, 17, "ファイル名"},
    {"Txt1", 8, 224, 417, 18, ""},
    // A line from (64, 248) to (424, 248), both ends drawn.
    {"Line1", 64, 248, 361, 1, ""},
    {"Lbl2", 8, 264, 81, 17, "出力ファイル名"},
    {"Txt2", 8, 288, 417, 18, ""},
    {"Cmd1", 8, 312, 81, 25, "変\u3000換"},
    {"Cmd2", 344, 312, 81, 25, "取\u3000消"},
}};
inline constexpr int kMainClientWidth = 434;
inline constexpr int kMainClientHeight = 345;
// What a screen reader calls each control that takes the focus: each list by what it
// lists, each box by its label, each button by its caption.
struct Spoken {
  const char* name;
  const char* spoken;
};
inline constexpr std::array<Spoken, 7> kSpoken = {{
    {"Drv1", "ドライブ"},
    {"Dir1", "フォルダ"},
    {"Fil1", "ファイル"},
    {"Txt1", "ファイル名"},
    {"Txt2", "出力ファイル名"},
    {"Cmd1", "変\u3000換"},
    {"Cmd2", "取\u3000消"},
}};
// Where Tab goes from the drive list, round to it again.
inline constexpr std::array<const char*, 7> kTabOrder = {"Dir1", "Fil1", "Txt1", "Cmd1",
                                                         "Txt2", "Cmd2", "Drv1"};

inline constexpr std::array<Placement, 3> kAboutWindow = {{
    {"Lbl1", 16, 16, 201, 17, "Sorvane  Ver 1.00 00"},
    {"Lbl2", 32, 48, 185, 17, "(C) The Sorvane developers"},
    {"Cmd1", 176, 80, 81, 25, "O  K"},
}};
inline constexpr int kAboutClientWidth = 266;
inline constexpr int kAboutClientHeight = 113;

struct FileClick {
  const char* name;
  const char* file;      // in the folder the window starts in
  const char* proposal;  // the DXF beside it
};

inline constexpr std::array<FileClick, 3> kFileClicks = {{
    {"PlainName", "points.csv", "points.dxf"},
    {"JapaneseName", "点群.csv", "点群.dxf"},
    {"CutAtTheFirstDot", "run.2.csv", "run.dxf"},
}};

struct ConvertEnd {
  const char* name;
  bool chooseFile;
  bool templateThere;
  const char* message;
  bool written;
};

inline constexpr std::array<ConvertEnd, 3> kConvertEnds = {{
    {"Converted", true, true, "変換しました", true},
    {"NoFileChosen", false, true, "ファイル名を選択してください", false},
    {"TemplateMissing", true, false, "PreData.txtファイルが存在しません", false},
}};

}  // namespace sorvane::window_cases
