#pragma once
// The program's icons, drawn for this program (scripts/make-icons.py) and
// kept as Qt resources under ":/icons/<name>.png".
//
//   ZVXTOD   32 x 32  window icon of the dialogs and child windows
//   ZVXMAIN  32 x 32  picture of the splash screen and the about box
//   ZVXICON  48 x 48
//   PSWICO   32 x 32  password dialog

#include <QIcon>
#include <QString>

namespace zeva {

// The icon resource of that name; a null icon when there is none.
QIcon programIcon(const QString& name);

QIcon ZVXTOD();
QIcon ZVXMAIN();
QIcon ZVXICON();
QIcon PSWICO();

}  // namespace zeva
