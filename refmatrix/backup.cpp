#include "refmatrix/backup.h"

#include "core/messages.h"
#include "platform/atomicfile.h"
#include "platform/dbf.h"
#include "platform/regularfile.h"
#include "refmatrix/refcommands.h"
#include "refmatrix/reftables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zeva {

namespace {

// TRUE when `target` would land on one of the data folder's reference tables:
// the source itself by any path, or a file in the data folder whose name is a
// table's name in another letter case (the next backup would find it in place
// of the table).
bool isDataTable(const QString& target, const QString& source)
{
    const QFileInfo t(target);
    if (!source.isEmpty() && t.exists() && t.canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        return true;
    const QString folder = QFileInfo(t.absolutePath()).canonicalFilePath();
    const QString dataFolder = QFileInfo(QFileInfo(referenceTablePath(kAsFedTable)).absolutePath()).canonicalFilePath();
    if (folder.isEmpty() || folder != dataFolder)
        return false;
    return t.fileName().compare(kAsFedTable, Qt::CaseInsensitive) == 0
        || t.fileName().compare(kDryMatterTable, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString backupFileName(bool asFed)
{
    return asFed ? QStringLiteral("Matnrc.Dbf") : QStringLiteral("Matkumad.Dbf");
}

void RM_YEDEKLE(UserPort& port, bool asFed, const QString& target)
{
    if (target.isEmpty() || !QDir::isAbsolutePath(target))
        return;
    // A folder is no file to copy into: refused before anything is asked.
    if (QFileInfo(target).isDir()) {
        MESS2(port, target + QStringLiteral(" bir klasör, dosya değil!\r\rYedek dosyasının adını da yazınız: ") +
                        QDir(target).filePath(backupFileName(asFed)));
        return;
    }
    const QString folder = QFileInfo(target).absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir() || !folderInfo.isWritable()) {
        MESS2(port, folder + QStringLiteral(": klasörü yok veya yazılamıyor!\r\rHazırlayıp tekrar deneyiniz."));
        return;
    }
    const QString source = findExistingPath(referenceTablePath(asFed ? kAsFedTable : kDryMatterTable));
    if (isDataTable(target, source)) {
        port.statusText(kBackupSameText);
        return;
    }
    if (QFileInfo::exists(target)) {
        const int reply = ASK(port, QStringLiteral("Uyarı..."),
                              target + QStringLiteral(" Dosyası mevcut!\n\nÜzerine yazılsın mı?"), BOX_YESNO_STOP);
        if (reply != REPLY_YES)
            return;
    }
    if (source.isEmpty()) {
        port.statusText(kBackupNoSourceText);
        return;
    }
    QString error;
    QByteArray bytes;
    const bool copied =
        readRegularFile(source, &bytes, kMaxDataFileSize, &error) == FileRead::Read
        && writeFileAtomically(target, bytes, &error);
    if (!copied) {
        ERRMESS(port, error.isEmpty() ? kBackupFailedText : kBackupFailedText + QStringLiteral("\r\r") + error);
        return;
    }
    port.statusText(kBackupDoneText);
}

}  // namespace zeva
