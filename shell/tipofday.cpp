#include "shell/tipofday.h"

#include "platform/runtime.h"
#include "resources/tiptexts.h"
#include "shell/registry.h"
#include "shell/settings.h"

namespace zeva {

QList<TipRow> CREATETIPARRAY()
{
    QList<TipRow> tips;
    for (const char* text : res::tipTexts())
        tips << TipRow{QStringLiteral("Biliyor muydunuz?"), QString::fromUtf8(text), true};
    return tips;
}

int nextTipNumber(int last, int count)
{
    if (last < 0 || last >= count)
        return 1;
    return last + 1;
}

int previousTipNumber(int current)
{
    return current > 1 ? current - 1 : 1;
}

QString tipNumberText(int n)
{
    return Str(n, 2, 0);
}

bool LASTTIPCONT(int n)
{
    CLASS_HKLM reg;
    reg.WORKING_SUBKEY(kSettingsKey);
    return reg.WRITESTRING(QString(), kOptLastTip, tipNumberText(n)) == SETTINGS_OK;
}

}  // namespace zeva
