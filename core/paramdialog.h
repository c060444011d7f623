#pragma once
// The problem-parameter question of the optimisers' report: the dialog's answer
// and its effect on the header APARAMS and its flag LPARAMCHANGED.

#include "core/userport.h"

#include <QString>

namespace zeva {

// Decimals of the amount: 2 for a compound feed ("K", mixer capacity), 3 for a
// daily ration ("G", number of animals).
int paramAmountDecimals(const QString& type);

// Makes an answer safe for the header: an amount that differs from the text the
// dialog showed becomes numeric text with the type's decimals, and commas are
// removed from both units (the problem file keeps the header as one
// comma-separated field).
ParamAnswer normaliseParamAnswer(const ParamAnswer& answer, const QString& type, const QString& shownAmount);

// Applies an answer to the active problem's header. Cancel changes nothing:
// LPARAMCHANGED keeps the value it had when the dialog opened. OK after typing
// raises LPARAMCHANGED, and OK with the flag raised writes the three texts
// into APARAMS. Returns whether the dialog was confirmed.
bool applyParamAnswer(const ParamAnswer& answer, const QString& type);

// The optimisers' PARMGIR: closes the please-wait box, asks the header's amount,
// currency and weight unit of a problem of `type` ("K" or "G") through the
// port and applies the answer. On OK the three texts are handed back and the
// result is true; on Cancel the outputs stay as they were and it is false.
bool PARMGIR(UserPort& port, const QString& type, QString& amount, QString& currency, QString& weight);

}  // namespace zeva
