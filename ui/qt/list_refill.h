#pragma once
// A list's entries replaced. A list that shows the same place read anew stays scrolled
// as it was, so that entries appearing elsewhere do not move what the user looks at;
// one that shows another place brings its selected entry into sight.

#include "selection/main_window_view.h"

#include <QAbstractItemView>
#include <QScrollBar>

namespace sorvane {

// Puts the new entries in with `fill`, then scrolls `list` as `scroll` says.
template <typename Fill>
void RefillList(QAbstractItemView& list, ListScroll scroll, Fill fill) {
  const int top = list.verticalScrollBar()->value();
  fill();
  if (scroll == ListScroll::Kept) {
    // The new entries are laid out at once, so that the scroll bar's range fits them.
    list.doItemsLayout();
    list.verticalScrollBar()->setValue(top);
  } else if (list.currentIndex().isValid()) {
    list.scrollTo(list.currentIndex());
  }
}

}  // namespace sorvane
