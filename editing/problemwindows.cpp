#include "editing/problemwindows.h"

#include <QSet>

namespace zeva {

QList<ProblemWindowKind> kindsClosedBeforeOpening(ProblemWindowKind kind)
{
    switch (kind) {
    case ProblemWindowKind::Matrix:
        return {ProblemWindowKind::Nutrient, ProblemWindowKind::Feed};
    case ProblemWindowKind::Nutrient:
    case ProblemWindowKind::Feed:
        return {ProblemWindowKind::Matrix};
    case ProblemWindowKind::Ratio:
        break;
    }
    return {};
}

ProblemWindowStep problemWindowStepBefore(const QString& symbol)
{
    // Save, the solve and the active-matrix report read the problem.
    static const QSet<QString> readers = {
        QStringLiteral("KAYDET"),
        QStringLiteral("COZUM"),
        QStringLiteral("AMATREPORT"),
    };
    // New, Open, Close and Save As put another problem (or none) in place;
    // the requirement hand-over and the reference-matrix builders replace
    // tables and the matrix. The exit closes the windows itself, after its
    // question.
    static const QSet<QString> replacers = {
        QStringLiteral("YENIDOSYAGIR"), QStringLiteral("FILEOPEN"),    QStringLiteral("FILECLOSE"),
        QStringLiteral("FKAYDET"),      QStringLiteral("NRESTOFDC1"),  QStringLiteral("AMAT_OLUSTUR"),
        QStringLiteral("AMAT_YMEKLE"),  QStringLiteral("AMAT_BMEKLE"),
    };
    if (readers.contains(symbol))
        return ProblemWindowStep::kWriteBack;
    if (replacers.contains(symbol))
        return ProblemWindowStep::kClose;
    return ProblemWindowStep::kNone;
}

}  // namespace zeva
