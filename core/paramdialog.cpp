#include "core/paramdialog.h"

#include "core/activeproblem.h"
#include "core/numeric.h"

namespace zeva {

int paramAmountDecimals(const QString& type)
{
    return type == QLatin1String("G") ? 3 : 2;
}

ParamAnswer normaliseParamAnswer(const ParamAnswer& answer, const QString& type, const QString& shownAmount)
{
    ParamAnswer a = answer;
    if (a.amount != shownAmount)
        a.amount = SDAYA(a.amount, paramAmountDecimals(type));
    a.currency.remove(QLatin1Char(','));
    a.weight.remove(QLatin1Char(','));
    return a;
}

bool applyParamAnswer(const ParamAnswer& answer, const QString& type)
{
    if (!answer.accepted)
        return false;
    ActiveProblem& g = G();
    if (answer.edited)
        g.LPARAMCHANGED = true;
    if (g.LPARAMCHANGED) {
        if (g.APARAMS.size() < 4) {
            if (g.APARAMS.isEmpty())
                g.APARAMS << type;
            while (g.APARAMS.size() < 4)
                g.APARAMS << QString();
        }
        g.APARAMS[PRM_AMOUNT] = answer.amount;
        g.APARAMS[PRM_CURRENCY] = answer.currency;
        g.APARAMS[PRM_WEIGHT] = answer.weight;
    }
    return true;
}

bool PARMGIR(UserPort& port, const QString& type, QString& amount, QString& currency, QString& weight)
{
    port.waitClose();
    const QStringList& header = G().APARAMS;
    const QString shownAmount = header.value(PRM_AMOUNT);
    const ParamAnswer asked = port.askProblemParams(type, shownAmount, header.value(PRM_CURRENCY),
                                                    header.value(PRM_WEIGHT));
    const ParamAnswer answer = normaliseParamAnswer(asked, type, shownAmount);
    if (!applyParamAnswer(answer, type))
        return false;
    amount = answer.amount;
    currency = answer.currency;
    weight = answer.weight;
    return true;
}

}  // namespace zeva
