#pragma once
// A recording UserPort for tests: every call is logged as one line, questions
// and dialogs are answered from scripted queues. A question that was not
// scripted fails the test.

#include "core/userport.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zeva::test {

struct ShownBox {
    QString title;
    QString text;
    int type = 0;
    bool owned = true;
};

class FakePort : public UserPort {
public:
    // What was asked or shown, one line per call, in order:
    //   "box <type> <title>: <text>", "status: <text>", "wait open", "wait close",
    //   "tone <freq> <dur>", "params <type> <amount>|<currency>|<weight>",
    //   "chooseOne <caption>", "chooseMany <caption>", "open <caption>",
    //   "save <caption>", "newProblem", "value <caption>", "match <name>",
    //   "columnMath", "nutrientColumn <caption>"
    QStringList log;
    QList<ShownBox> boxes;

    // Scripted answers, consumed from the front.
    QList<int> replies;                   // question boxes (Yes/No/Cancel)
    QList<ParamAnswer> params;            // parameter dialogs
    QList<int> choices;                   // chooseOne
    QList<QList<int>> markings;           // chooseMany
    QStringList fileNames;                // open and save dialogs
    QList<NewProblemAnswer> newProblems;  // new-problem dialog
    QStringList values;                   // single-value form; a null QString cancels
    QList<MatchAnswer> matches;           // name-matching dialog
    QList<ColumnMathAnswer> columnMaths;  // column-arithmetic dialog; none left cancels
    // Nutrient-column dialog: each answer goes through the dialog's check; a
    // refused one shows its box and the next answer is taken; none left
    // cancels.
    QList<NutrientColumnAnswer> nutrientColumns;

    // The lists offered, one entry per chooseOne, chooseMany, askMatch,
    // askColumnMath and askNutrientColumn call, in order.
    QList<QStringList> offered;

    int messageBox(const QString& title, const QString& text, int type, bool owned = true) override;
    void statusText(const QString& text) override;
    void waitOpen() override;
    void waitClose() override;
    void tone(int frequency, int duration) override;
    ParamAnswer askProblemParams(const QString& type, const QString& amount,
                                 const QString& currency, const QString& weight) override;
    int chooseOne(const QString& caption, const QStringList& items) override;
    QList<int> chooseMany(const QString& caption, const QStringList& items, bool selectAllButton) override;
    QString askOpenFileName(const QString& caption, const QString& folder, const QStringList& filters) override;
    QString askSaveFileName(const QString& caption, const QString& folder, const QStringList& filters) override;
    NewProblemAnswer askNewProblem() override;
    bool askSingleValue(const QString& caption, const QString& label, QString& value) override;
    MatchAnswer askMatch(const QString& name, const QStringList& candidates) override;
    ColumnMathAnswer askColumnMath(const QStringList& tableFields) override;
    NutrientColumnAnswer askNutrientColumn(const QString& caption, const QStringList& fields,
                                           const NutrientColumnCheck& check) override;

    // Lines of the log that start with `prefix`.
    QStringList logLines(const QString& prefix) const;
    // Texts of the boxes of one type.
    QStringList boxTexts(int type) const;
    // TRUE when every scripted answer was used.
    bool allAnswersUsed() const;
};

}  // namespace zeva::test
