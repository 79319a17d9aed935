#pragma once
// The identifiers of the windows' controls and menu items, by which their
// notifications come and a test finds them. Not 1 or 2: those are IDOK and IDCANCEL,
// which Enter and Esc send.

namespace sorvane::win32 {

enum ControlId : int {
  kDrv1 = 101,
  kDir1,
  kFil1,
  kLbl1,
  kTxt1,
  kLine1,
  kLbl2,
  kTxt2,
  kCmd1,
  kCmd2,
  kMnuEnd = 201,
  kMnuAbout,
  kAboutLbl1 = 301,
  kAboutLbl2,
  kAboutCmd1,
};

}  // namespace sorvane::win32
