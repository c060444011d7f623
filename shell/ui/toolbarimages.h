#pragma once
// The program's own toolbar images, drawn at run time, by the image numbers
// the menu tables use: 1 new file, 2 open, 3 close, 4 save, 5 print, 6 report
// editor, 12 font, 21 to 23 align left, centre and right, 31 copy, 41 link
// nutrients, 69 add, 81 pick a ratio, 89 column arithmetic, 90 solve, 100 new
// file (report pad), 101 cut, 102 paste, 107 freeze column, 120 help index,
// 121 delete, 127 previous, 128 next, 129 first, 130 last, 131 table, 132 form.

#include <QIcon>

namespace zeva {

// The image of `number` at 16 and 32 pixels; a plain frame for a number
// without a drawing of its own.
QIcon toolbarImage(int number);

// TRUE when `number` has a drawing of its own.
bool hasToolbarImage(int number);

}  // namespace zeva
