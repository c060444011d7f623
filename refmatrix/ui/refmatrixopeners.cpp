#include "refmatrix/ui/refmatrixopeners.h"

#include "refmatrix/refcommands.h"
#include "shell/ui/standardshellwindow.h"

namespace zeva {

void installReferenceMatrixCommands(STANDARDSHELLWINDOW& w)
{
    using Command = void (*)(UserPort&, const std::function<void()>&);
    const QList<QPair<const char*, Command>> commands = {
        {"AMAT_OLUSTUR", &AMAT_OLUSTUR},
        {"AMAT_YMEKLE", &AMAT_YMEKLE},
        {"AMAT_BMEKLE", &AMAT_BMEKLE},
    };
    for (const auto& entry : commands) {
        const Command command = entry.second;
        w.setCommand(QString::fromLatin1(entry.first), [&w, command] { command(w.port(), [&w] { w.MI_ENADISABLE(); }); });
    }
}

}  // namespace zeva
