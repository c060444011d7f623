#pragma once
// "RM Dosyası (dBF) &Yedekle": copies the selected reference table into a file
// the user named (a folder chosen in the backup dialog, followed by the file
// name). Free of widgets: the dialog's answer comes in as `target`.
//
// The target must be an absolute path, not itself a folder, in a folder that
// exists and can be written; the data folder's own tables are never written over (the target
// names the source itself, through whatever spelling or link, or names either
// table, in any letter case, in the data folder). An existing file is
// replaced only after Yes, and the copy goes through a temporary file and a
// rename, so a failed copy leaves the old backup as it was.

#include "core/userport.h"

#include <QString>

namespace zeva {

// The name the backup gets: "Matnrc.Dbf" (as fed) or "Matkumad.Dbf".
QString backupFileName(bool asFed);

// The copy to `target` (empty: the dialog was cancelled; nothing happens).
void RM_YEDEKLE(UserPort& port, bool asFed, const QString& target);

inline const QString kBackupDoneText = QStringLiteral("Seçili RM'ye ait dosya başarıyla yedeklendi...");
inline const QString kBackupSameText = QStringLiteral("Farklı bir sürücü/klasör seçilmedi...");
inline const QString kBackupNoSourceText = QStringLiteral("Seçili RM dosyası bulunamadı...");
inline const QString kBackupFailedText = QStringLiteral("Seçili RM dosyası yedeklenemedi!");

}  // namespace zeva
