#pragma once
// What the main window's behaviour (MainWindow) asks of a view: each platform's window
// implements these over its own controls, and a test over plain fields. The calls put
// into the controls what MainWindow decided; none of them raises an event back into
// it, but ShowPaths, which may raise Txt2_Change with the text it was given. Texts are
// UTF-8, ready to show; an entry of a list is named by its index from 0, -1 for none.

#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// One entry of a list.
struct ListEntry {
  std::string text;
  int depth = 0;      // how many steps in it is drawn: a folder's, counted from its root
  bool open = false;  // a folder on the way from the root to the one listed
  friend bool operator==(const ListEntry&, const ListEntry&) = default;
};

// Where a list stands once it shows new entries.
enum class ListScroll {
  ToSelected,  // the selected entry in sight: the list shows another place
  Kept,        // scrolled as it was: the same place, read anew
};

// The drive list, the directory list or the file list.
class ListView {
 public:
  virtual ~ListView() = default;
  // Shows `entries` in place of the list's, entry `selected` selected, neither taking
  // nor moving the focus.
  virtual void Show(const std::vector<ListEntry>& entries, int selected, ListScroll scroll) = 0;
};

// The rest of the main window.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  // Drv1: selects drive `index` of those shown.
  virtual void SelectDrive(int index) = 0;
  // Txt1 and Txt2, in this order.
  virtual void ShowPaths(std::string_view inPath, std::string_view outPath) = 0;
  // The pointer shows that the window is busy, until EndWaitCursor.
  virtual void ShowWaitCursor() = 0;
  virtual void EndWaitCursor() noexcept = 0;
  // Tells the user `message` in a box with the application's title and an OK button,
  // and returns when the user has closed it.
  virtual void Tell(std::string_view message) = 0;
  // The lists now show `folder`: from now on, MainWindow::RefreshFolder is wanted soon
  // after any entry of it is added, removed or renamed (in place of the folder watched
  // before).
  virtual void WatchFolder(const std::string& folder) = 0;
};

}  // namespace sorvane
