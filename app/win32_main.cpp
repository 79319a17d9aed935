#include "runtime/program_io.h"
#include "ui/win32/frm_sorvane.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/message_loop.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  sorvane::win32::QuitMessageLoop programEnd;
  sorvane::win32::SystemMessageBoxes messageBoxes;
  sorvane::win32::FrmSorvane window(programEnd, messageBoxes);
  if (!window.Create()) {
    messageBoxes.Show(nullptr, sorvane::win32::kCannotCreateWindow);
    return 1;
  }
  window.Show(showCommand);
  // A point file named on the command line: "Open with", or files dropped on the
  // program's icon or shortcut. The arguments are read through the wide-character API.
  window.OpenFromOutside(sorvane::ProgramArguments(0, nullptr));
  return sorvane::win32::RunMessageLoop();
}
