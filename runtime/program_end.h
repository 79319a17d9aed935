#pragma once
// How the program is asked to end. The desktop program quits at once; a test records
// the request and keeps running.

namespace sorvane {

class ProgramEnd {
 public:
  virtual ~ProgramEnd() = default;
  // Ends the program without a question; nothing is saved. May return to the caller,
  // which then does nothing more.
  virtual void EndProgram() = 0;
};

}  // namespace sorvane
