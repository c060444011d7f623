#include "shell/colonmaths.h"

#include "platform/runtime.h"

namespace zeva {

QStringList colonMathsFields(const QStringList& tableFields)
{
    QStringList out;
    for (const QString& name : tableFields)
        if (name != QLatin1String("YM_ADI") && name != QLatin1String("FIATI"))
            out << name;
    return out;
}

QString operandClass(const QString& text, const QStringList& fields)
{
    const QString t = AllTrim(text);
    if (t.isEmpty())
        return QString();
    qsizetype numeric = 0;
    for (QChar c : t)
        if (c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            ++numeric;
    if (numeric == t.size())
        return QStringLiteral("N");
    if (fields.contains(t, Qt::CaseSensitive))
        return QStringLiteral("A");
    if (numeric > 0)
        return QStringLiteral("L");
    return QString();
}

bool colonMathsOperation(const QString& text, const QStringList& fields, const QString& operation,
                         ColonMathsChoice* choice, QString* cvtype)
{
    const QString t = AllTrim(text);
    if (t.isEmpty()) {
        *choice = ColonMathsChoice{};
        if (cvtype)
            *cvtype = choice->CVTYPE;
        return true;
    }
    const QString cls = operandClass(t, fields);
    if (cvtype)
        *cvtype = cls;
    if (cls != QLatin1String("N") && cls != QLatin1String("A"))
        return false;
    choice->COPERAT = operation;
    choice->CVALUEX = t;
    choice->CVTYPE = cls;
    return true;
}

}  // namespace zeva
