#pragma once
// How the two windows look, as designed, for every platform's view to build from:
// positions and sizes in twips as drawn (15 a pixel at 96 dpi; every value is a whole
// number of pixels at that scale), captions, menus and the order the focus walks.
// Captions are UTF-8; "&" marks a menu's access key, shown underlined. What a screen
// reader calls each control is its caption, or for a control without one the name given
// here.

#include "version/sorvane_version.h"

#include <array>
#include <string>
#include <string_view>

namespace sorvane::design {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

struct PixelRect {
  int left, top, width, height;
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
  int width, height;
  friend constexpr bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct TwipsRect {
  int left, top, width, height;
  constexpr PixelRect ToPixels() const {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
  }
};

struct Control {
  std::string_view name;
  TwipsRect twips;
  std::string_view caption = {};
  // For a control that shows no caption of its own: each list by what it lists, each
  // box by the label above it.
  std::string_view accessibleName = {};
};

struct Line {
  std::string_view name;
  int fromX, fromY, toX, toY;  // twips
};

struct MenuItem {
  std::string_view name;
  std::string_view caption;
};

inline constexpr std::string_view kApplicationTitle = "Sorvane";

// The em size of every caption and list entry, in pixels at 96 dpi: a Japanese font
// fits each caption into its designed box at this size; the longest, "出力ファイル名",
// has 81 pixels for seven full-width characters.
inline constexpr int kCaptionPixels = 11;

// The narrowest message box, in pixels at 96 dpi. A window manager puts an icon and up
// to three buttons beside the title, so a box only as wide as a short text
// ("変換しました", 109 pixels) showed its title as "So…ne" or ".".
inline constexpr int kMessageBoxMinimumWidth = 240;

namespace main_window {
inline constexpr PixelSize kClient{Pixels(6510), Pixels(5175)};
inline constexpr Control kDrv1{"Drv1", {120, 120, 2655, 300}, {}, "ドライブ"};
inline constexpr Control kDir1{"Dir1", {120, 480, 2655, 2400}, {}, "フォルダ"};
inline constexpr Control kFil1{"Fil1", {2880, 480, 3495, 2430}, {}, "ファイル"};
inline constexpr Control kLbl1{"Lbl1", {120, 3000, 855, 255}, "ファイル名"};
inline constexpr Control kTxt1{"Txt1", {120, 3360, 6255, 270}, {}, kLbl1.caption};
inline constexpr Line kLine1{"Line1", 960, 3720, 6360, 3720};
inline constexpr Control kLbl2{"Lbl2", {120, 3960, 1215, 255}, "出力ファイル名"};
inline constexpr Control kTxt2{"Txt2", {120, 4320, 6255, 270}, {}, kLbl2.caption};
// An ideographic space (U+3000) stands between the two characters of each button.
inline constexpr Control kCmd1{"Cmd1", {120, 4680, 1215, 375}, "変\u3000換"};
inline constexpr Control kCmd2{"Cmd2", {5160, 4680, 1215, 375}, "取\u3000消"};

// The labels hold places in the designed order too, but take no focus; Convert comes
// before the output box although it stands below it.
inline constexpr std::array<const Control*, 7> kTabOrder = {&kDrv1, &kDir1, &kFil1, &kTxt1,
                                                            &kCmd1, &kTxt2, &kCmd2};

inline constexpr MenuItem kMnuFile{"mnuFile", "ファイル(&F)"};
inline constexpr MenuItem kMnuEnd{"mnuEnd", "終了(&X)"};
inline constexpr MenuItem kMnuHelp{"mnuHelp", "ヘルプ(&H)"};
inline constexpr MenuItem kMnuAbout{"mnuAbout", "バージョン表示(&A)"};

// How far in each level of the directory list is drawn, in pixels at 96 dpi.
inline constexpr int kFolderIndentPixels = 10;
}  // namespace main_window

namespace about_window {
inline constexpr std::string_view kCaption = "バージョン表示";
inline constexpr PixelSize kClient{Pixels(3990), Pixels(1695)};
// Its caption is the program's name and version (VersionLine).
inline constexpr Control kLbl1{"Lbl1", {240, 240, 3015, 255}};
inline constexpr Control kLbl2{"Lbl2", {480, 720, 2775, 255}, "(C) The Sorvane developers"};
// Two spaces between the letters.
inline constexpr Control kCmd1{"Cmd1", {2640, 1200, 1215, 375}, "O  K"};
// "Sorvane  Ver 1.00 00" for version 1.0.0: two spaces before "Ver", the minor and
// patch numbers two digits each.
inline std::string VersionLine() {
  const auto twoDigits = [](int number) {
    return std::string(number < 10 ? "0" : "") + std::to_string(number);
  };
  return "Sorvane  Ver " + std::to_string(kVersionMajor) + "." + twoDigits(kVersionMinor) + " " +
         twoDigits(kVersionPatch);
}
}  // namespace about_window

}  // namespace sorvane::design
