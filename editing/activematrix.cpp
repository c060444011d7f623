#include "editing/activematrix.h"

#include "core/activeproblem.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "platform/runtime.h"

#include <exception>

namespace zeva {

namespace {

constexpr int kLabelLength = 20;

}  // namespace

QString matrixRowLabel(int i)
{
    const ActiveProblem& p = G();
    QString label = AllTrim(p.ABMNAMES.value(i - 1));
    const QString unit = AllTrim(p.ABMUNITS.value(i - 1));
    if (!unit.isEmpty())
        label += QStringLiteral(", ") + unit;
    return label;
}

FieldSpecs activeMatrixFieldSpecs()
{
    FieldSpecs specs{FieldSpec{QStringLiteral("MATFNAMEUNIT"), QStringLiteral("C"), kLabelLength, 0}};
    const int feeds = static_cast<int>(G().AYMNAMES.size());
    for (int n = 1; n <= feeds; ++n)
        specs.append(FieldSpec{QStringLiteral("MATYMNAME") + AllTrim(Str(n, 3, 0)), QStringLiteral("C"),
                               kCellWidth, 0});
    return specs;
}

Table activeMatrixRows()
{
    const ActiveProblem& p = G();
    const Table matrix = p.AMATRIX;  // a copy: the problem's matrix is not touched
    const int feeds = static_cast<int>(p.AYMNAMES.size());
    Table rows;
    for (int i = 1; i <= p.ABMNAMES.size(); ++i) {
        Row row{matrixRowLabel(i)};
        const Row cells = matrix.value(i - 1);
        for (int j = 0; j < feeds; ++j)
            row << (j < cells.size() ? cells.at(j) : blankCell());
        rows.append(row);
    }
    return rows;
}

ActiveMatrixEditor::ActiveMatrixEditor(UserPort& port, Hooks hooks) : port_(port), hooks_(std::move(hooks))
{
    revision_ = G().matrixRevision;
    try {
        server_ = std::make_unique<BARRAYSERVER>(activeMatrixFieldSpecs(), activeMatrixRows(), 0, 1);
    } catch (const std::exception&) {
        server_.reset();
    }
    if (!server_) {
        ERRMESS(port_, kMatrixEntryError);
        return;
    }
    QObject::connect(server_.get(), &BARRAYSERVER::notice, server_.get(),
                     [this](int code, int, int) { NOTIFY(code); });
}

ActiveMatrixEditor::~ActiveMatrixEditor() = default;

void ActiveMatrixEditor::suspend() const
{
    if (hooks_.suspendUpdate)
        hooks_.suspendUpdate();
}

void ActiveMatrixEditor::restore() const
{
    if (hooks_.restoreUpdate)
        hooks_.restoreUpdate();
}

void ActiveMatrixEditor::NOTIFY(int code)
{
    if (!isChangeNotice(code))
        return;
    edited_ = true;
    G().LMATCHANGED = true;
}

void ActiveMatrixEditor::BMBAGLA(int nColPos)
{
    if (!server_ || server_->isClosed())
        return;
    BARRAYSERVER& s = *server_;
    const int c = nColPos;
    if (c < 2 || c > s.FCount())
        return;  // no feed column has the focus
    const QStringList names = G().ABMNAMES;
    const QString feed = G().AYMNAMES.value(c - 2);

    const int m = port_.chooseOne(QStringLiteral("Makro Besin Maddesi Seçimi"), names);
    if (m < 1 || m > names.size() || m > s.LastRec())
        return;
    s.GoTo(m);
    const QString old = s.FieldGet(c);
    // The linked values are divided by the macro's value: one that reads as
    // 0 is as good as none.
    if (isBlankCell(old) || Val(old) == 0.0) {
        UYARI(port_, kEmptyMacro);
        return;
    }

    QString value = old;
    const QString prompt = AllTrim(feed) + QStringLiteral("->") + AllTrim(names.at(m - 1)) +
                           QStringLiteral(" Değerini Giriniz:");
    if (!port_.askSingleValue(QStringLiteral("Makro BM Yeni Değer Girişi"), prompt, value))
        return;
    const QString fresh = SDAYA(value, 4);
    if (isBlankCell(fresh) || fresh == old)
        return;

    const QList<int> marked =
        port_.chooseMany(QStringLiteral("Bağlı Besin Maddeleri Seçimi"), AKILL(names, m), true);
    if (marked.isEmpty())
        return;

    const double f = Val(fresh);
    const double base = Val(old);
    suspend();
    for (int pos : marked) {
        // A position in the list without the macro, back to its row: the
        // rows after the macro moved up by one in that list.
        const int r = pos < m ? pos : pos + 1;
        if (r < 1 || r > s.LastRec() || r == m)
            continue;
        s.GoTo(r);
        const double x = Val(s.FieldGet(c));
        s.FieldPut(c, Str(Round(x / base * f, 4), kCellWidth, 4));
        s.Commit();
    }
    s.GoTo(m);
    s.FieldPut(c, fresh);
    s.Commit();
    restore();
    G().LMATCHANGED = true;
}

bool ActiveMatrixEditor::WRITEBACK()
{
    if (!server_ || server_->isClosed() || !G().LMATCHANGED)
        return false;
    if (G().matrixRevision != revision_) {
        // The matrix changed under the copy (its shape may differ): the copy
        // would overwrite that change.
        if (edited_)
            UYARI(port_, kMatrixChangedMeanwhile);
        return false;
    }
    Table rows;
    for (const Row& row : server_->Data())
        rows.append(AKILL(row, 1));
    ActiveProblem& p = G();
    p.AMATRIX = rows;
    p.matrixReplaced();
    revision_ = p.matrixRevision;
    edited_ = false;
    if (hooks_.menuState)
        hooks_.menuState();
    return true;
}

void ActiveMatrixEditor::QUERYCLOSE()
{
    WRITEBACK();
    if (server_)
        server_->Close();
}

}  // namespace zeva
