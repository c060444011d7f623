#include "support/fakeport.h"

#include <gtest/gtest.h>

namespace zeva::test {

namespace {
template <typename T>
bool take(QList<T>& queue, T& out, const QString& what)
{
    if (queue.isEmpty()) {
        ADD_FAILURE() << "FakePort: no scripted answer for " << what.toStdString();
        return false;
    }
    out = queue.takeFirst();
    return true;
}
}  // namespace

int FakePort::messageBox(const QString& title, const QString& text, int type, bool owned)
{
    log << QStringLiteral("box %1 %2: %3").arg(type).arg(title, text);
    boxes.append({title, text, type, owned});
    if ((type & 0x0F) == 0)  // OK button only, whatever the icon
        return REPLY_OK;
    int reply = REPLY_NO;
    take(replies, reply, QStringLiteral("box ") + text);
    return reply;
}

void FakePort::statusText(const QString& text) { log << QStringLiteral("status: ") + text; }
void FakePort::waitOpen() { log << QStringLiteral("wait open"); }
void FakePort::waitClose() { log << QStringLiteral("wait close"); }
void FakePort::tone(int frequency, int duration) { log << QStringLiteral("tone %1 %2").arg(frequency).arg(duration); }

ParamAnswer FakePort::askProblemParams(const QString& type, const QString& amount,
                                       const QString& currency, const QString& weight)
{
    log << QStringLiteral("params %1 %2|%3|%4").arg(type, amount, currency, weight);
    ParamAnswer a;
    take(params, a, QStringLiteral("parameter dialog"));
    return a;
}

int FakePort::chooseOne(const QString& caption, const QStringList& items)
{
    log << QStringLiteral("chooseOne ") + caption;
    offered << items;
    int c = 0;
    take(choices, c, caption);
    return c;
}

QList<int> FakePort::chooseMany(const QString& caption, const QStringList& items, bool)
{
    log << QStringLiteral("chooseMany ") + caption;
    offered << items;
    QList<int> c;
    take(markings, c, caption);
    return c;
}

QString FakePort::askOpenFileName(const QString& caption, const QString&, const QStringList&)
{
    log << QStringLiteral("open ") + caption;
    QString f;
    take(fileNames, f, caption);
    return f;
}

QString FakePort::askSaveFileName(const QString& caption, const QString&, const QStringList&)
{
    log << QStringLiteral("save ") + caption;
    QString f;
    take(fileNames, f, caption);
    return f;
}

NewProblemAnswer FakePort::askNewProblem()
{
    log << QStringLiteral("newProblem");
    NewProblemAnswer a;
    take(newProblems, a, QStringLiteral("new-problem dialog"));
    return a;
}

bool FakePort::askSingleValue(const QString& caption, const QString&, QString& value)
{
    log << QStringLiteral("value ") + caption;
    QString v;
    if (!take(values, v, caption) || v.isNull())
        return false;
    value = v;
    return true;
}

MatchAnswer FakePort::askMatch(const QString& name, const QStringList& candidates)
{
    log << QStringLiteral("match ") + name;
    offered << candidates;
    MatchAnswer a;
    take(matches, a, QStringLiteral("match ") + name);
    return a;
}

QStringList FakePort::logLines(const QString& prefix) const
{
    QStringList out;
    for (const QString& l : log)
        if (l.startsWith(prefix))
            out << l;
    return out;
}

QStringList FakePort::boxTexts(int type) const
{
    QStringList out;
    for (const ShownBox& b : boxes)
        if (b.type == type)
            out << b.text;
    return out;
}

ColumnMathAnswer FakePort::askColumnMath(const QStringList& tableFields)
{
    log << QStringLiteral("columnMath");
    offered << tableFields;
    ColumnMathAnswer a;
    if (!columnMaths.isEmpty())
        a = columnMaths.takeFirst();
    return a;
}

NutrientColumnAnswer FakePort::askNutrientColumn(const QString& caption, const QStringList& fields,
                                                const NutrientColumnCheck& check)
{
    log << QStringLiteral("nutrientColumn ") + caption;
    offered << fields;
    while (!nutrientColumns.isEmpty()) {
        const NutrientColumnAnswer a = nutrientColumns.takeFirst();
        const QString refusal = check ? check(a) : QString();
        if (refusal.isEmpty())
            return a;
        messageBox(QStringLiteral("Bilgi..."), refusal, BOX_INFO);
    }
    return {};
}

bool FakePort::allAnswersUsed() const
{
    return replies.isEmpty() && params.isEmpty() && choices.isEmpty() && markings.isEmpty()
        && fileNames.isEmpty() && newProblems.isEmpty() && values.isEmpty() && matches.isEmpty()
        && columnMaths.isEmpty() && nutrientColumns.isEmpty();
}

}  // namespace zeva::test
