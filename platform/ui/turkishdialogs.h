#pragma once
// Qt's own dialogs in Turkish, beyond what Qt's Turkish translation gives:
// the file dialog's detail columns (a folder's type, sizes and dates as a
// Turkish user reads them), the font dialog's style names, and the few texts
// the translation leaves English. The rest of the program keeps its own
// number and date forms.

#include <QString>

class QFileDialog;
class QFontDialog;

namespace zeva {

// The one set-up of every file dialog the program shows: Qt's own dialog
// (never the desktop's), its columns in Turkish, and without Qt's delete,
// which removes a file or a whole folder for good (the desktop's dialogs put
// it in the trash). Safe to call again.
void setUpTurkishFileDialog(QFileDialog& dialog);

// The set-up above for a dialog that only chooses a file to read: the dialog
// changes nothing on disk (no rename, no new folder either).
void setUpFileDialogToRead(QFileDialog& dialog);

// The set-up of the font dialog: Qt's own dialog, the style names of the
// fonts ("Regular", "Bold Italic") shown in Turkish ("Normal", "Kalın
// İtalik"). The dialog still chooses by the font's own style names.
void setUpTurkishFontDialog(QFontDialog& dialog);

// The Turkish name of a font style as the font names it: "Bold Italic" gives
// "Kalın İtalik", "SemiBold" "Yarı Kalın"; words it does not know stay.
QString turkishFontStyle(const QString& style);

// For the whole run: every file and font dialog gets the set-up above as it
// is shown, those Qt opens itself too (the print dialog's file browser), and
// the texts of Qt's dialogs that its Turkish translation leaves English get
// their Turkish. Installed once, after Qt's Turkish translation.
void installTurkishDialogs();

}  // namespace zeva
