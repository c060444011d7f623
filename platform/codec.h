#pragma once
// Windows-1254 (Turkish) text, the encoding of every file the program reads or
// writes. Inside the program text is QString; it is converted at each file
// boundary with these functions. The bytes 1254 leaves undefined (81, 8D, 8E,
// 8F, 90, 9D, 9E) map to U+0081 ... and back, so foreign files survive a read
// and a write unchanged.

#include <QByteArray>
#include <QString>

namespace zeva::cp1254 {

QString decode(const QByteArray& bytes);

// Characters that 1254 cannot hold become `replacement`; `ok` (when given)
// turns false if any did.
QByteArray encode(const QString& text, char replacement = '?', bool* ok = nullptr);

bool canEncode(QChar c);
bool canEncode(const QString& text);

}  // namespace zeva::cp1254
