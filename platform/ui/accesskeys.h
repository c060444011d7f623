#pragma once
// Access keys on the dotted capital İ ("&İptal", "&İndeks", "Matris
// &İşlemleri"): the i key answers them, as it answers "&I" and "&i" captions.
// Alt+i in a window (dialogs and menu bars) and i in an open menu or a menu
// bar under keyboard control. Where the window or the menu also has an "&I"
// or "&i" caption, the key answers all of them as a repeated access key does:
// it moves the focus (the highlighted item) between them and presses none.
// The dotless ı and the capital I keep answering "&I" captions alone.
//
// Alt+Shift+letter acts as Alt+letter wherever no shortcut takes it as it is:
// Alt+Shift+I as Alt+ı ("&Irk"), Alt+Shift+İ as Alt+i. The İ of a Turkish
// keyboard (Shift on its i key) is Alt+i even where the platform offers it
// to the shortcuts as Alt+İ.

namespace zeva {

// Installs the rule for the whole application (once; later calls do nothing).
void installAccessKeys();

}  // namespace zeva
