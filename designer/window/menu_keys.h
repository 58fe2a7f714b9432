// The menu bar's keys beside the menus' underlined letters: F10 and Alt pressed alone open the
// first menu, and every Cyrillic underlined letter, of a menu or of an item in an open menu,
// answers on the Latin keyboard layout too, by the key that carries it on the Russian layout.
#pragma once

class QMainWindow;

namespace designer {

// Adds the keys to `window`'s menu bar as its menus stand; they live as long as the window.
void AddMenuKeys(QMainWindow* window);

}  // namespace designer
