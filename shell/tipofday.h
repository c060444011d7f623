#pragma once
// The tip of the day: the list of tips, the paging arithmetic of the tip
// dialog and the store of the number of the tip shown last ("Olatip").

#include <QList>
#include <QString>

namespace zeva {

constexpr int kTipCount = 44;

// One row of the tip list.
struct TipRow {
    QString heading;        // "Biliyor muydunuz?"
    QString text;           // one paragraph
    bool showMore = true;   // the "&Daha fazla bilgi" button goes with it
};

// The 44 tips in their fixed order; tip n is element n - 1.
QList<TipRow> CREATETIPARRAY();

// The tip after `last` in a list of `count` tips. Any number outside 1 ..
// count after the step (none stored, a stored number too large, a negative
// one) gives tip 1.
int nextTipNumber(int last, int count);
// The tip before `current`; tip 1 stays 1 (no wrap).
int previousTipNumber(int current);

// The stored form of a tip number: two characters, right-aligned (" 9", "12").
QString tipNumberText(int n);
// Stores `n` as "Olatip" in the settings key; a failure goes unnoticed.
// Answers whether it was stored.
bool LASTTIPCONT(int n);

}  // namespace zeva
