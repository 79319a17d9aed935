#include "ui/qt/drive_list_box.h"

#include "ui/qt/utf8_text.h"

namespace sorvane {

void DriveListBox::Show(const std::vector<ListEntry>& entries, int selected, ListScroll) {
  clear();
  for (const ListEntry& entry : entries) addItem(Utf8Text(entry.text));
  setCurrentIndex(selected);
}

}  // namespace sorvane
