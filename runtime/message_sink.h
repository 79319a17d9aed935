#pragma once
// How a run tells the user its outcome. The window shows a message box (OK only, the
// application's title) and waits for OK; the batch converter prints a line.

#include <string_view>

namespace sorvane {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Returns once the user has seen the message.
  virtual void ShowMessage(std::string_view message) = 0;
};

}  // namespace sorvane
