#include "core/messages.h"

namespace zeva {

void ERRMESS(UserPort& port, const QString& text, const QString& title)
{
    port.messageBox(title.isNull() ? QStringLiteral("Hata...") : title, text, BOX_ERROR);
}

void MESS2(UserPort& port, const QString& text)
{
    port.messageBox(QStringLiteral("Hata..."), text, BOX_ERROR, false);
}

void UYARI(UserPort& port, const QString& text, const QString& title)
{
    port.messageBox(title.isNull() ? QStringLiteral("Uyarı...") : title, text, BOX_WARNING);
}

void MESS(UserPort& port, const QString& text)
{
    port.messageBox(QStringLiteral("Mesaj"), text, BOX_INFO, false);
}

int ASK(UserPort& port, const QString& title, const QString& text, int type)
{
    return port.messageBox(title, text, type);
}

bool mayWriteOver(UserPort& port, const FileFingerprint& fingerprint, const QString& changed)
{
    if (!fingerprint.changedOnDisk())
        return true;
    const QString question = changed
                             + QStringLiteral("\n\nÜzerine yazarsanız dosyadaki bu değişiklikler kaybolacak. "
                                              "Üzerine yazılmasını istiyor musunuz?");
    return ASK(port, QStringLiteral("Uyarı..."), question, BOX_YESNO_EXCLAMATION | BOX_DEFAULT_SECOND) == REPLY_YES;
}

void ERRBEEP(UserPort& port)
{
    port.tone(100, 3);
}

void DONEBEEP(UserPort& port)
{
    port.tone(300, 1);
    port.tone(100, 1);
    port.tone(300, 1);
    port.tone(100, 1);
}

void AALERT(UserPort& port)
{
    port.waitOpen();
}

}  // namespace zeva
