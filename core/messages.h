#pragma once
// The program's message boxes and tones, shown through the caller's UserPort.

#include "core/userport.h"
#include "platform/filefingerprint.h"

#include <QString>

namespace zeva {

// Error box, stop icon; title "Hata..." when none is given.
void ERRMESS(UserPort& port, const QString& text, const QString& title = QString());
// The same without an owner window (before the main window exists).
void MESS2(UserPort& port, const QString& text);
// Warning box, exclamation icon, OK only; title "Uyarı..." when none is given.
void UYARI(UserPort& port, const QString& text, const QString& title = QString());
// Information box without an owner, title "Mesaj".
void MESS(UserPort& port, const QString& text);
// A question box of the given type (36, 20, 52 or 35); returns the reply.
int ASK(UserPort& port, const QString& title, const QString& text, int type);

// Before a write over a file the program read: when another writer changed
// it on disk since (`fingerprint`, taken when it was read or last written),
// asks in a box titled "Uyarı..." whether to write over it. The text is
// `changed` (which file, changed since when), a blank line and the warning
// that the other writer's changes will be lost. Hayır is the default button,
// so Enter keeps them. TRUE when the write may go on: the file holds what was
// read, or the user answered Evet.
bool mayWriteOver(UserPort& port, const FileFingerprint& fingerprint, const QString& changed);

void ERRBEEP(UserPort& port);
void DONEBEEP(UserPort& port);

// Puts up the please-wait box.
void AALERT(UserPort& port);

}  // namespace zeva
