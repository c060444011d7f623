#pragma once
// The detail columns of Qt's own file dialog in Turkish: a folder's type,
// sizes and dates as a Turkish user reads them. The rest of the program keeps
// its own number and date forms.

class QFileDialog;

namespace zeva {

void showTurkishFileColumns(QFileDialog& dialog);

}  // namespace zeva
