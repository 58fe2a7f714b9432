// The key-release rule of the window's boxes (the name boxes and the width boxes): what runs
// when the user has typed a key in a box.
#pragma once

#include <functional>

class QWidget;

namespace designer {

// Runs `released` whenever a key is released in `box` after its press reached the box too. The
// press of Enter or Esc that closes a message box goes to that box, and its release then lands
// in the box behind it: that is no typing, and must not run the rule (or show the message) again.
// Auto-repeated releases of a held key are no typing either. The watcher lives as long as `box`.
void OnKeyTypedIn(QWidget* box, std::function<void()> released);

}  // namespace designer
