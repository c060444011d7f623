#pragma once
// Patterns with the wildcards "*" (any run of characters, also none) and "?"
// (exactly one character), matched against whole texts, case-sensitively;
// and the seek of a table server's controlling order by such a pattern.

#include <QString>
#include <QVariant>

namespace zeva {

class DBSERVER;

// 1-based position of the first "*" or "?" in the pattern; 0 when none.
qsizetype WILDPOS(const QString& pattern);

// TRUE when the whole text matches the whole pattern (a pattern without a
// final "*" must reach the text's last character, trailing blanks included).
bool WILDMATCH(const QString& text, const QString& pattern);

// Puts the server on the first record of its controlling order whose key
// matches the pattern, searching only the keys that begin with the text
// before the first wildcard (all keys when the pattern starts with one); TRUE
// when found. Without a wildcard (or for a pattern that is not text) it is the
// order's SEEK. The clients are told of the move once (notices 2 and 3), not
// of each step.
bool WILDSEEK(DBSERVER& server, const QVariant& pattern);

}  // namespace zeva
