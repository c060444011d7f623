#include "refmatrix/refmatrixedit.h"

#include "core/messages.h"
#include "editing/browserrules.h"
#include "platform/atomicfile.h"
#include "platform/regularfile.h"

#include <QFileInfo>

namespace zeva {

namespace {

FieldSpecs fieldSpecs(const DbfTable& table)
{
    FieldSpecs specs;
    for (const DbfField& f : table.fields())
        specs.append({f.name, QStringLiteral("C"), f.length, 0});
    return specs;
}

Table liveRows(const DbfTable& table)
{
    Table rows;
    for (int rec : table.liveRecords()) {
        Row row;
        for (int f = 0; f < table.fieldCount(); ++f)
            row << table.value(rec, f);
        rows << row;
    }
    return rows;
}

}  // namespace

ReferenceMatrixEdit::ReferenceMatrixEdit(QString path, DbfTable table, FileFingerprint fingerprint)
    : path_(std::move(path)), fingerprint_(std::move(fingerprint)), original_(std::move(table))
{
    // Records the file marks deleted are not edited, but they go back into
    // the file where they stood: after the live records that preceded them.
    int live = 0;
    for (int rec = 0; rec < original_.recordCount(); ++rec) {
        if (original_.isDeleted(rec))
            deleted_.append({live, rec});
        else
            ++live;
    }
    server_ = std::make_unique<BARRAYSERVER>(fieldSpecs(original_), liveRows(original_));
    connect(server_.get(), &BARRAYSERVER::notice, this, [this](int code, int, int) {
        if (isChangeNotice(code))
            LRMCHANGED = true;
    });
}

std::unique_ptr<ReferenceMatrixEdit> ReferenceMatrixEdit::open(const QString& path, UserPort& port)
{
    // The table is parsed from the very bytes its fingerprint is taken of.
    const QString existing = findExistingPath(path);
    DbfTable table;
    QByteArray bytes;
    FileFingerprint fingerprint;
    if (existing.isEmpty() || !FileFingerprint::read(existing, &bytes, &fingerprint)
        || !DbfTable::fromBytes(bytes, &table) || table.fieldCount() < 1) {
        const QString refusal = plainFileRefusal(existing);
        ERRMESS(port, refusal.isEmpty() ? kReferenceOpenError
                                        : kReferenceOpenError + QStringLiteral("\r\r") + refusal);
        return nullptr;
    }
    return std::unique_ptr<ReferenceMatrixEdit>(
        new ReferenceMatrixEdit(path, std::move(table), std::move(fingerprint)));
}

void ReferenceMatrixEdit::RMDELETE(UserPort& port)
{
    BARRAYSERVER& s = *server_;
    if (s.Eof() || s.RecNo() <= 1)
        return;
    if (ASK(port, QStringLiteral("Uyarı"), kReferenceDeleteQuestion, BOX_YESNO_QUESTION) != REPLY_YES)
        return;
    const int n = s.RecNo();
    s.Delete();
    s.Pack();
    // The file's deleted records after this one keep their place.
    for (auto& [after, rec] : deleted_)
        if (after >= n)
            --after;
    if (n > s.LastRec())
        s.GoBottom();
    else
        s.GoTo(n);
}

void ReferenceMatrixEdit::formCellEdited(int nCol, const QString& text)
{
    BARRAYSERVER& s = *server_;
    if (s.Eof() || nCol < 1 || nCol > s.FCount())
        return;
    const QString v = referenceCellText(s.RecNo(), nCol, text);
    if (v == s.FieldGet(nCol))
        return;
    s.FieldPut(nCol, v);
}

bool ReferenceMatrixEdit::QUERYCLOSE(UserPort& port)
{
    if (!LRMCHANGED)
        return true;
    const QString text = QStringLiteral("Referans matris dosyası (") + path_ +
                         QStringLiteral(") değişmiş.\n\nDeğişiklikleri kaydetmek istiyor musunuz?");
    if (ASK(port, QStringLiteral("Uyarı..."), text, BOX_YESNO_QUESTION) != REPLY_YES)
        return true;
    // What another program changed in the file is never written over
    // unasked; No keeps the window and its edits.
    if (!mayWriteOver(port, fingerprint_,
                      QStringLiteral("Referans matris dosyası (") + path_
                          + QStringLiteral(") pencere açıldıktan sonra diskte değiştirilmiş.")))
        return false;
    QString error;
    if (save(&error))
        return true;
    ERRMESS(port, QStringLiteral("Referans matris dosyası yazılamadı!\n") + error);
    return false;
}

bool ReferenceMatrixEdit::save(QString* error)
{
    DbfTable out(original_.fields());
    const Table rows = server_->Data();
    int next = 0;  // the next of the file's deleted records
    auto deletedUpTo = [&](int live) {
        for (; next < deleted_.size() && deleted_.at(next).first <= live; ++next) {
            const int from = deleted_.at(next).second;
            const int rec = out.appendRecord();
            for (int f = 0; f < out.fieldCount(); ++f)
                out.setValue(rec, f, original_.value(from, f));
            out.setDeleted(rec, true);
        }
    };
    for (int r = 0; r < rows.size(); ++r) {
        deletedUpTo(r);
        if (server_->deletedAt(r + 1))
            continue;
        const int rec = out.appendRecord();
        for (int f = 0; f < out.fieldCount() && f < rows.at(r).size(); ++f)
            out.setValue(rec, f, rows.at(r).at(f));
    }
    deletedUpTo(static_cast<int>(rows.size()));
    return writeFileAtomically(pathForWriting(path_), out.toBytes(), error);
}

ReferenceWindowRegistry& ReferenceWindowRegistry::instance()
{
    static ReferenceWindowRegistry registry;
    return registry;
}

QString ReferenceWindowRegistry::key(const QString& path)
{
    return QFileInfo(path).fileName().toUpper();
}

QObject* ReferenceWindowRegistry::holder(const QString& path) const
{
    const QString k = key(path);
    for (const auto& [name, window] : held_)
        if (name == k)
            return window;
    return nullptr;
}

void ReferenceWindowRegistry::hold(const QString& path, QObject* window)
{
    release(path);
    const QString k = key(path);
    held_.append({k, window});
    QObject::connect(window, &QObject::destroyed, [this, k, window] {
        for (int i = 0; i < held_.size(); ++i)
            if (held_.at(i).first == k && held_.at(i).second == window) {
                held_.removeAt(i);
                return;
            }
    });
}

void ReferenceWindowRegistry::release(const QString& path)
{
    const QString k = key(path);
    for (int i = held_.size() - 1; i >= 0; --i)
        if (held_.at(i).first == k)
            held_.removeAt(i);
}

}  // namespace zeva
