#pragma once
// The program's message boxes and tones, shown through the caller's UserPort.

#include "core/userport.h"

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

void ERRBEEP(UserPort& port);
void DONEBEEP(UserPort& port);

// Puts up the please-wait box.
void AALERT(UserPort& port);

}  // namespace zeva
