#pragma once
// The designed geometry of both windows, in twips as drawn, converted at 96 dpi
// (15 twips a pixel). Every value is a whole number of pixels at that scale.

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace sorvane::design {

inline constexpr int kTwipsPerPixel = 15;

// A Japanese font at a size that fits every caption into its designed box: the
// longest, "出力ファイル名", has 81 pixels for seven full-width characters.
QFont CaptionFont();

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

struct TwipsRect {
  int left, top, width, height;
  constexpr QRect ToPixels() const {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
  }
};

constexpr QSize ClientPixels(int widthTwips, int heightTwips) {
  return {Pixels(widthTwips), Pixels(heightTwips)};
}

namespace main_window {
inline constexpr QSize kClient = ClientPixels(6510, 5175);
inline constexpr TwipsRect kDrv1{120, 120, 2655, 300};
inline constexpr TwipsRect kDir1{120, 480, 2655, 2400};
inline constexpr TwipsRect kFil1{2880, 480, 3495, 2430};
inline constexpr TwipsRect kLbl1{120, 3000, 855, 255};
inline constexpr TwipsRect kTxt1{120, 3360, 6255, 270};
inline constexpr QPoint kLine1From{Pixels(960), Pixels(3720)};
inline constexpr QPoint kLine1To{Pixels(6360), Pixels(3720)};
inline constexpr TwipsRect kLbl2{120, 3960, 1215, 255};
inline constexpr TwipsRect kTxt2{120, 4320, 6255, 270};
inline constexpr TwipsRect kCmd1{120, 4680, 1215, 375};
inline constexpr TwipsRect kCmd2{5160, 4680, 1215, 375};
}  // namespace main_window

namespace about_window {
inline constexpr QSize kClient = ClientPixels(3990, 1695);
inline constexpr TwipsRect kLbl1{240, 240, 3015, 255};
inline constexpr TwipsRect kLbl2{480, 720, 2775, 255};
inline constexpr TwipsRect kCmd1{2640, 1200, 1215, 375};
}  // namespace about_window

}  // namespace sorvane::design
