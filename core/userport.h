#pragma once
// The one interface through which engine code talks to the user. Engine
// commands receive a UserPort from their caller: the windows pass the Qt
// implementation, tests a recording fake with scripted answers. Nothing in the
// engine opens a widget or waits on a modal loop itself.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zeva {

// Message-box types as the program names them.
enum BoxType : int {
    BOX_ERROR = 16,                  // OK, stop icon
    BOX_WARNING = 48,                // OK, exclamation icon
    BOX_INFO = 64,                   // OK, information icon
    BOX_YESNO_QUESTION = 36,         // Yes/No, question icon
    BOX_YESNO_STOP = 20,             // Yes/No, stop icon
    BOX_YESNO_EXCLAMATION = 52,      // Yes/No, exclamation icon
    BOX_YESNOCANCEL_QUESTION = 35,   // Yes/No/Cancel, question icon
    // Added to a question's type: its second button (No) is the default, the
    // one Enter presses; otherwise the first (Yes) is.
    BOX_DEFAULT_SECOND = 0x100,
};

// Replies as the program reads them.
enum BoxReply : int {
    REPLY_OK = 1,
    REPLY_CANCEL = 1,  // Cancel of a Yes/No/Cancel box
    REPLY_NO = 3,
    REPLY_YES = 6,
};

// What the problem-parameter dialog hands back: the three texts as they stand
// in its fields when OK was pressed, and whether the user typed in any field.
struct ParamAnswer {
    bool accepted = false;
    bool edited = false;
    QString amount;
    QString currency;
    QString weight;
};

// What the new-problem dialog hands back.
struct NewProblemAnswer {
    bool accepted = false;
    QString name;     // file name as typed (CDOSYA)
    int type = 1;     // 1 compound feed, 2 daily ration (NFTIP)
};

// What the name-matching dialog hands back. `result`: 0 stop the whole
// command ("İptal", or the dialog closed), 1 a candidate was chosen ("Tamam"),
// 2 no counterpart for this name ("Atla"). `selected`: the chosen candidate's
// position (from 1); 0 unless `result` is 1.
struct MatchAnswer {
    int result = 0;
    int selected = 0;
};

// What the column-arithmetic dialog hands back: the operation ("+", "-", "*",
// "/"), the operand text and its kind ("N" a number, "A" a column); an empty
// operation and kind "U" when there is nothing to do.
struct ColumnMathAnswer {
    QString op;
    QString value;
    QString type = QStringLiteral("U");
};

// What the nutrient-column dialog hands back: the operation (1 add at the
// end, 2 insert before, 3 delete; 0 when the dialog was left without one),
// the new column's name as typed and the chosen field's position (from 1, 0
// for none).
struct NutrientColumnAnswer {
    int operation = 0;
    QString name;
    int position = 0;
};
// Tests a nutrient-column answer: empty when it may run, else the text of the
// information box after which the dialog stays open for a correction.
using NutrientColumnCheck = std::function<QString(const NutrientColumnAnswer&)>;
// The check's refusal of an answer without a new name; after it the dialog
// puts the focus on the name.
inline const QString kNoNewColumnName = QStringLiteral("Yeni Besin Maddesi adı girilmedi.");

class UserPort {
public:
    virtual ~UserPort() = default;

    // A modal message box; returns the reply (REPLY_OK for OK-only boxes).
    // `owned` is false for boxes shown before any window exists.
    virtual int messageBox(const QString& title, const QString& text, int type, bool owned = true) = 0;

    // Text in the main window's status bar.
    virtual void statusText(const QString& text) = 0;

    // The modeless please-wait box: put up (AALERT) and destroyed (OALERTWIN).
    virtual void waitOpen() = 0;
    virtual void waitClose() = 0;

    // One tone: frequency in hertz, duration in eighteenths of a second.
    virtual void tone(int frequency, int duration) = 0;

    // Problem-parameter dialog of a compound feed (type "K") or daily ration
    // ("G"), opened on the header's amount, currency and weight unit.
    virtual ParamAnswer askProblemParams(const QString& type, const QString& amount,
                                         const QString& currency, const QString& weight) = 0;

    // Pick one item: its 1-based position, 0 for none or Cancel.
    virtual int chooseOne(const QString& caption, const QStringList& items) = 0;

    // Mark several items: ascending 1-based positions, empty for none or Cancel.
    virtual QList<int> chooseMany(const QString& caption, const QStringList& items,
                                  bool selectAllButton) = 0;

    // Standard file dialogs; an empty result means Cancel.
    virtual QString askOpenFileName(const QString& caption, const QString& folder,
                                    const QStringList& filters) = 0;
    virtual QString askSaveFileName(const QString& caption, const QString& folder,
                                    const QStringList& filters) = 0;

    // New-problem dialog.
    virtual NewProblemAnswer askNewProblem() = 0;

    // Single-value form: false when cancelled; on OK `value` holds the text.
    virtual bool askSingleValue(const QString& caption, const QString& label, QString& value) = 0;

    // Name-matching dialog: `name` has no same-named counterpart; the user
    // picks one of `candidates`, skips the name or stops. A port that cannot
    // ask stops the command.
    virtual MatchAnswer askMatch(const QString& name, const QStringList& candidates)
    {
        Q_UNUSED(name);
        Q_UNUSED(candidates);
        return {};
    }

    // Column-arithmetic dialog over the fields of a table (in field order).
    // A port that cannot ask cancels.
    virtual ColumnMathAnswer askColumnMath(const QStringList& tableFields)
    {
        Q_UNUSED(tableFields);
        return {};
    }

    // Nutrient-column dialog over the fields of a table, in table order. Its
    // "Tamam" runs `check`; a text from it is shown in an information box
    // titled "Bilgi..." and the dialog stays open. A port that cannot ask
    // cancels.
    virtual NutrientColumnAnswer askNutrientColumn(const QString& caption, const QStringList& fields,
                                                   const NutrientColumnCheck& check)
    {
        Q_UNUSED(caption);
        Q_UNUSED(fields);
        Q_UNUSED(check);
        return {};
    }
};

}  // namespace zeva
