#pragma once
// The program's message boxes on QMessageBox: the box type word picks the
// buttons and the icon, the button pressed gives the program's reply code.
//
//   16 OK, stop icon            36 Yes/No, question mark
//   48 OK, exclamation mark     20 Yes/No, stop icon
//   64 OK, information icon     52 Yes/No, exclamation mark
//                               35 Yes/No/Cancel, question mark
// 256 added: the second button (No) is the default instead of the first.
// Replies: OK 1, Cancel 1 (Yes/No/Cancel box only), No 3, Yes 6.

#include <QString>

class QMessageBox;
class QWidget;

namespace zeva {

// A box of that type, not shown yet. `owner` may be nullptr. A carriage
// return in the text breaks the line (CR LF makes one break).
QMessageBox* makeMessageBox(QWidget* owner, const QString& title, const QString& text, int type);

// The reply code for the button by which the box was closed. A box closed
// without a button (Esc, close box) gives the reply of its escape button: OK,
// or Cancel of a Yes/No/Cancel box. A Yes/No box has no escape: Esc and its
// close box do nothing, the user answers Evet or Hayır (a box taken down
// unanswered counts as No).
int messageBoxReply(const QMessageBox& box);

}  // namespace zeva
