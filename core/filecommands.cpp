#include "core/filecommands.h"

#include "core/activeproblem.h"
#include "core/helpers.h"
#include "core/messages.h"
#include "core/problemfile.h"
#include "platform/atomicfile.h"
#include "platform/dbf.h"
#include "platform/filefingerprint.h"
#include "platform/regularfile.h"
#include "platform/runtime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zeva {

namespace {

const QString kExtension = QStringLiteral(".ZVF");
constexpr int kRequirementItem = 3548;

// TRUE when both names lead to the same file on disk.
bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// The name Save As works with: the file part without its extension (when it
// has one), followed by ".ZVF".
QString withProblemExtension(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    const QString file = path.mid(slash + 1);
    const QString base = SFILEEXT(file).isEmpty() ? file : SFILEBASE(file);
    return folder + base + kExtension;
}

}  // namespace

FileCommands::FileCommands(UserPort& port, FileCommandHooks hooks) : port_(port), hooks_(std::move(hooks)) {}

QString FileCommands::dataFolder() const
{
    return pathForWriting(QDir(G().CDATAPATH).filePath(QStringLiteral("Data")));
}

bool FileCommands::createProblemFile(const QString& path, int type)
{
    DbfTable table = newProblemTable(type);
    table.setLastUpdate(QDate::currentDate());
    return writeDbfFile(path, table);
}

bool FileCommands::YENIDOSYAGIR()
{
    const NewProblemAnswer answer = port_.askNewProblem();
    if (!answer.accepted || AllTrim(answer.name).isEmpty())
        return false;
    const QString fullPath = QDir(dataFolder()).filePath(CHRCONT(answer.name) + kExtension);
    const int type = answer.type;

    const QString existing = findExistingPath(fullPath);
    if (!existing.isEmpty()) {
        const QString question = fullPath + QStringLiteral(" Dosyası mevcut!\n\nÜzerine yazılsın mı?");
        if (ASK(port_, QStringLiteral("Uyarı..."), question, BOX_YESNO_QUESTION) != REPLY_YES)
            return false;
    }
    const QString target = existing.isEmpty() ? fullPath : existing;
    // A file that may not be written is not replaced: told before the open
    // problem is closed for it.
    if (!existing.isEmpty() && writeProtected(existing)) {
        port_.statusText(QStringLiteral("Dosya Oluşturmada hata..."));
        return false;
    }
    // The open problem is closed first, with its save offer. Where the close
    // stops (the user keeps another writer's change, or the save fails), the
    // problem stays open and no file is made or replaced. It also keeps the
    // open problem's save from going over a new file of its own name.
    if (G().isOpen() && !FILECLOSE())
        return false;

    // The new table replaces an old file only once it is whole on disk.
    if (!createProblemFile(target, type)) {
        port_.statusText(QStringLiteral("Dosya Oluşturmada hata..."));
        return false;
    }
    if (!DOOPENFILE(fullPath))
        return false;

    ActiveProblem& p = G();
    if (type == 1) {
        p.APARAMS = {QStringLiteral("K"), QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")};
    } else {
        p.APARAMS = {QStringLiteral("G"), QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg")};
        if (hooks_.enableItem)
            hooks_.enableItem(kRequirementItem);
    }
    p.LPARAMCHANGED = true;
    if (!PROBDBFUPDATE(port_))
        return false;
    port_.statusText(QStringLiteral("Dosya oluşturuldu!"));
    return true;
}

bool FileCommands::FILEOPEN()
{
    const QString chosen = port_.askOpenFileName(QStringLiteral("Aç..."), dataFolder(),
                                                 {QStringLiteral("Zeva Veri Dosyası(*.ZVF)")});
    if (chosen.isEmpty())
        return false;
    return DOOPENFILE(chosen);
}

bool FileCommands::KAYDET()
{
    return PROBDBFUPDATE(port_);
}

bool FileCommands::FKAYDET()
{
    if (!G().isOpen())
        return false;
    const QString source = openProblemPath();
    // The dialog starts on the open file itself (its folder, its name).
    QString chosen = port_.askSaveFileName(QStringLiteral("Farklı Kaydet"), source, {QStringLiteral("*.ZVF")});
    if (chosen.isEmpty())
        return true;
    if (QFileInfo(chosen).isRelative())
        chosen = QDir(dataFolder()).filePath(chosen);
    chosen = withProblemExtension(chosen);

    const QString existing = findExistingPath(chosen);
    if (!existing.isEmpty() && sameFile(existing, source)) {
        port_.statusText(QStringLiteral("Açık dosyayı kendi üzerine kaydetme teşbbüsü..."));
        return false;
    }
    if (!existing.isEmpty()) {
        const QString question = chosen + QStringLiteral(" Dosyası mevcut!\n\nÜzerine yazılsın mı?");
        if (ASK(port_, QStringLiteral("Uyarı..."), question, BOX_YESNO_STOP) != REPLY_YES)
            return false;
    }
    const QString target = existing.isEmpty() ? chosen : existing;
    const SaveResult saved = saveProblem(port_);
    switch (saved) {
    case SaveResult::Refused:
        return false;
    case SaveResult::Declined:
    case SaveResult::NotWritten: {
        // The open file cannot be written (a write-protected file or medium,
        // a full disk), or another writer changed it and the user keeps
        // that change: the problem goes into the chosen file as it is in
        // memory (as it was read, in the second case, with none of the other
        // writer's change) and that file becomes the open one. The open
        // file stays as it was; when the chosen file fails too, the problem
        // stays open with its changes.
        if (!writeProblemInto(port_, target, saved == SaveResult::Declined))
            return false;
        ActiveProblem& p = G();
        p.LYMCHANGED = p.LBMCHANGED = p.LMATCHANGED = p.LPARAMCHANGED = p.LBMOCHANGED = false;
        port_.statusText(QStringLiteral("Dosya başarıyla kaydedildi..."));
        return DOOPENFILE(chosen);
    }
    case SaveResult::Saved:
        break;
    }

    QByteArray bytes;
    const bool copied =
        readRegularFile(source, &bytes) == FileRead::Read && writeFileAtomically(target, bytes);
    if (!copied) {
        ERRMESS(port_, chosen + QStringLiteral(" dosyasına kopyalamada hata!"));
        return false;
    }
    port_.statusText(QStringLiteral("Dosya başarıyla kaydedildi..."));
    return DOOPENFILE(chosen);
}

bool FileCommands::FILECLOSE()
{
    ActiveProblem& p = G();
    if (p.isOpen() && p.anyChanged()) {
        const QString question = openProblemPath()
            + QStringLiteral(" Dosyasındaki veriler değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");
        if (ASK(port_, QStringLiteral("Uyarı..."), question, BOX_YESNO_QUESTION) == REPLY_YES && !KAYDET())
            return false;
    }
    p.reset();  // closes the file and empties the problem
    if (hooks_.menuState)
        hooks_.menuState();
    return true;
}

bool FileCommands::DOOPENFILE(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    if (!(fileName.size() > 3 && fileName.right(4).toUpper() == kExtension)) {
        ERRMESS(port_, fileName + QStringLiteral(" dosyası bir ZEVA veri dosyası değil..."));
        return false;
    }
    if (G().isOpen() && !FILECLOSE())
        return false;

    const QString existing = findExistingPath(fileName);
    RFATRIB(existing);
    if (existing.isEmpty() || !QFileInfo(existing).isFile()) {
        ERRMESS(port_, fileName + QStringLiteral(" dosyası bulunamıyor..."));
        return false;
    }
    // The table is parsed from the very bytes its fingerprint is taken of, so
    // that a save can tell whether anyone wrote into the file since.
    DbfTable table;
    QByteArray bytes;
    FileFingerprint fingerprint;
    if (!FileFingerprint::read(existing, &bytes, &fingerprint) || !DbfTable::fromBytes(bytes, &table)
        || !isProblemTable(table)) {
        ERRMESS(port_, fileName + QStringLiteral(" veri dosyasını açmada hata!"));
        return false;
    }

    // A matrix is cut or completed to its tables as it is read: the user
    // hears of it first, so a damaged file is not taken for a sound one.
    const MatrixFit fit = matrixFit(table);
    if (!fit.fits()) {
        QStringList what;
        if (fit.beyond)
            what << kMatrixCut;
        if (fit.missing)
            what << kMatrixPadded;
        UYARI(port_, fileName + kMatrixMismatch + QStringLiteral("\n\n") + what.join(QLatin1Char('\n')));
    }

    ActiveProblem& p = G();
    p.reset();  // nothing is open here: start from the empty problem
    const QString path = QDir::cleanPath(QFileInfo(existing).absoluteFilePath());
    p.OPROBSERVER = std::make_shared<ProblemServer>(path, table, fingerprint);
    AKTPRODIZOLUSTUR(p.OPROBSERVER->table());
    // The problem shown is not what the file holds: the first save writes
    // the tables, the matrix and the header as shown, and what was dropped
    // goes from the file.
    if (!fit.fits())
        p.LMATCHANGED = true;
    if (hooks_.menuState)
        hooks_.menuState();
    if (hooks_.setCaption)
        hooks_.setCaption(QStringLiteral("ZEVA 2.0 - ") + fileName);
    return true;
}

}  // namespace zeva
