#pragma once
// The thread's message loops. The keys that walk and press controls (Tab, arrows,
// Enter, Space) work in every window of the program as in a dialog, but none is a
// default or cancel button: Enter and Esc reach the window as IDOK and IDCANCEL, and
// the window decides what they do.

#include "runtime/program_end.h"

#include <windows.h>

namespace sorvane::win32 {

// Handles one message the way the loops do.
void DispatchWithDialogKeys(MSG& message);

// Runs until the program is asked to end; returns the code it ends with.
int RunMessageLoop();

// Runs until `window` is destroyed, or the program is asked to end, which the outer
// loop is then told again.
void RunModalLoop(HWND window);

// Ending the program: the message loop stops, and with it every window.
class QuitMessageLoop final : public ProgramEnd {
 public:
  void EndProgram() override;
};

}  // namespace sorvane::win32
