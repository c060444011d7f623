#pragma once
// The rules of the column arithmetic dialog COLONMATHS: which columns it
// offers, how the operand text is classed, and what an operation button hands
// back to the command of the reference-matrix window.

#include <QString>
#include <QStringList>

namespace zeva {

// The columns offered as an operand: the table's fields in their order but the
// feed name "YM_ADI" and the price "FIATI" (compared exactly).
QStringList colonMathsFields(const QStringList& tableFields);

// Class of an operand text (trimmed of blanks first):
//   "N"  every character is one of ".0123456789"
//   "A"  the whole text is one of `fields`, in the same letter case
//   "L"  some but not all characters are among ".0123456789"
//   ""   none of these (an empty text included)
QString operandClass(const QString& text, const QStringList& fields);

// What the dialog hands back: the operation ("+", "-", "*", "/"), the operand
// text (trimmed) and its class ("N", "A"); empty, empty and "U" when there is
// nothing to do.
struct ColonMathsChoice {
    QString COPERAT;
    QString CVALUEX;
    QString CVTYPE = QStringLiteral("U");
};

// An operation button pressed with `text` in the combo box. Answers whether
// the dialog closes; `choice` is filled when it does. An empty operand closes
// as a cancel; an operand of class "L" or "" keeps the dialog open (`cvtype`
// still receives the class).
bool colonMathsOperation(const QString& text, const QStringList& fields, const QString& operation,
                         ColonMathsChoice* choice, QString* cvtype);

}  // namespace zeva
