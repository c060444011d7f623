#pragma once
// A UserPort for command-line tools: boxes and status texts go to standard
// error, questions get a fixed answer, the parameter dialog answers with the
// values it was given (as if typed and confirmed), every other dialog cancels.

#include "core/userport.h"

#include <QStringList>

#include <optional>

namespace zeva {

class ConsolePort : public UserPort {
public:
    // The reply every question box gets.
    int questionReply = REPLY_NO;
    // Answers of the parameter dialog; an unset value keeps the header's.
    std::optional<QString> amount, currency, weight;
    // Texts of the error and warning boxes shown, in order.
    QStringList errors;
    bool quiet = false;

    int messageBox(const QString& title, const QString& text, int type, bool owned = true) override;
    void statusText(const QString& text) override;
    void waitOpen() override {}
    void waitClose() override {}
    void tone(int, int) override {}
    ParamAnswer askProblemParams(const QString& type, const QString& amount,
                                 const QString& currency, const QString& weight) override;
    int chooseOne(const QString&, const QStringList&) override { return 0; }
    QList<int> chooseMany(const QString&, const QStringList&, bool) override { return {}; }
    QString askOpenFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    QString askSaveFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    NewProblemAnswer askNewProblem() override { return {}; }
    bool askSingleValue(const QString&, const QString&, QString&) override { return false; }
};

}  // namespace zeva
