#include "tools/consoleport.h"

#include <cstdio>

namespace zeva {

int ConsolePort::messageBox(const QString& title, const QString& text, int type, bool)
{
    if (type == BOX_ERROR || type == BOX_WARNING)
        errors << text;
    if (!quiet)
        std::fprintf(stderr, "%s %s\n", qPrintable(title), qPrintable(text));
    if (type == BOX_ERROR || type == BOX_WARNING || type == BOX_INFO)
        return REPLY_OK;
    return questionReply;
}

void ConsolePort::statusText(const QString& text)
{
    if (!quiet && !text.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

ParamAnswer ConsolePort::askProblemParams(const QString&, const QString& a, const QString& c,
                                          const QString& w)
{
    ParamAnswer answer;
    answer.accepted = true;
    answer.edited = amount.has_value() || currency.has_value() || weight.has_value();
    answer.amount = amount.value_or(a);
    answer.currency = currency.value_or(c);
    answer.weight = weight.value_or(w);
    return answer;
}

}  // namespace zeva
