#include "refmatrix/refcolumncommands.h"

#include "core/messages.h"
#include "core/numeric.h"
#include "platform/runtime.h"
#include "refmatrix/reftables.h"

namespace zeva {

namespace {

QStringList allFields(const BARRAYSERVER& s)
{
    QStringList names;
    for (int n = 1; n <= s.FCount(); ++n)
        names << s.FieldName(n);
    return names;
}

}  // namespace

bool BMBAGLA(ReferenceMatrixEdit& edit, UserPort& port)
{
    BARRAYSERVER& s = edit.server();
    if (s.Eof() || s.RecNo() <= 1) {
        UYARI(port, kNoFeedChosen);
        return false;
    }
    QStringList names = nutrientFieldsOf(allFields(s));
    const int chosen = port.chooseOne(QStringLiteral("Makro Besin Maddesi Seçimi"), names);
    if (chosen < 1 || chosen > names.size())
        return false;
    const QString macro = names.at(chosen - 1);
    const QString old = s.FieldGet(macro);
    if (isBlankCell(old)) {
        UYARI(port, kEmptyMacroNutrient);
        return false;
    }
    // The bound values are divided by the macro's value.
    if (Val(old) == 0.0) {
        UYARI(port, kDivisionByZero);
        return false;
    }
    QString value = old;
    const QString prompt = AllTrim(s.FieldGet(1)) + QStringLiteral("->") + AllTrim(macro) +
                           QStringLiteral(" Değerini Giriniz:");
    if (!port.askSingleValue(QStringLiteral("Makro BM Yeni Değer Girişi"), prompt, value))
        return false;
    const QString fresh = isBlankCell(value) ? QString() : SDAYA(value, 4);
    if (fresh.isEmpty() || fresh == old)
        return false;

    names.removeAt(chosen - 1);
    const QList<int> marked = port.chooseMany(QStringLiteral("Bağlı Besin Maddeleri Seçimi"), names, true);
    if (marked.isEmpty())
        return false;
    const QString question = QStringLiteral(
        "Seçili RM dosyasını bir satır boyunca değiştirmek üzeresiniz...\n\nYaptığınız işlemden emin misiniz?");
    if (ASK(port, QStringLiteral("Uyarı..."), question, BOX_YESNO_QUESTION) != REPLY_YES)
        return false;

    // Every result is made before the first is written.
    QList<QPair<QString, QString>> writes;
    for (int pos : marked) {
        if (pos < 1 || pos > names.size())
            continue;
        const QString field = names.at(pos - 1);
        const QString c = s.FieldGet(field);
        if (isBlankCell(c))
            continue;
        const QString t = computedCell(Round(Val(c) / Val(old) * Val(fresh), 4));
        if (t.isEmpty()) {
            UYARI(port, kResultDoesNotFit);
            return false;
        }
        writes.append({field, t});
    }
    for (const auto& [field, t] : writes)
        s.FieldPut(field, t);
    s.FieldPut(macro, fresh);
    edit.LRMCHANGED = true;
    return true;
}

bool COLMATHBM(ReferenceMatrixEdit& edit, int nCol, UserPort& port)
{
    BARRAYSERVER& s = edit.server();
    if (nCol < 2 || nCol > s.FCount()) {
        UYARI(port, kNumericColumnFirst);
        return false;
    }
    const ColumnMathAnswer a = port.askColumnMath(allFields(s));
    if (a.op.isEmpty() || (a.type != QLatin1String("N") && a.type != QLatin1String("A")))
        return false;
    if (a.op != QLatin1String("+") && a.op != QLatin1String("-") && a.op != QLatin1String("*") &&
        a.op != QLatin1String("/"))
        return false;
    const QString field = s.FieldName(nCol);
    int operandField = 0;
    if (a.type == QLatin1String("A")) {
        if (a.value == field) {
            port.statusText(kSameColumn);
            return false;
        }
        operandField = s.FieldPos(a.value);
        if (operandField < 1)
            return false;
    }
    if (a.op == QLatin1String("/") && !operandField && Val(a.value) == 0.0) {
        UYARI(port, kDivisionByZero);
        return false;
    }
    const QString question = QStringLiteral("Seçili referans matrise (") + field + QLatin1Char('=') + field + a.op +
                             a.value + QStringLiteral(") işlemi uygulanacak\n\nYaptığınız işlemden emin misiniz?");
    if (ASK(port, QStringLiteral("Uyarı..."), question, BOX_YESNO_QUESTION) != REPLY_YES)
        return false;

    // Every result is made before the first is written: a zero divisor or a
    // result too wide for its cell stops the whole operation.
    QList<QPair<int, QString>> writes;
    for (int rec = 2; rec <= s.LastRec(); ++rec) {
        if (s.deletedAt(rec))
            continue;
        const QString c = s.cellAt(rec, nCol);
        if (isBlankCell(c))
            continue;
        const double operand = operandField ? Val(s.cellAt(rec, operandField)) : Val(a.value);
        const double x = Val(c);
        double r = 0.0;
        switch (a.op.at(0).toLatin1()) {
        case '+':
            r = x + operand;
            break;
        case '-':
            r = x - operand;
            break;
        case '*':
            r = x * operand;
            break;
        default:
            if (operand == 0.0) {
                UYARI(port, kDivisionByZero);
                return false;
            }
            r = x / operand;
            break;
        }
        const QString t = computedCell(r);
        if (t.isEmpty()) {
            UYARI(port, kResultDoesNotFit);
            return false;
        }
        writes.append({rec, t});
    }
    const int current = s.RecNo();
    for (const auto& [rec, t] : writes) {
        s.GoTo(rec);
        s.FieldPut(nCol, t);
    }
    s.GoTo(current);
    edit.LRMCHANGED = true;
    return true;
}

}  // namespace zeva
