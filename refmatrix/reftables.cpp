#include "refmatrix/reftables.h"

#include "core/activeproblem.h"

#include <QStringList>

namespace zeva {

namespace {

QList<DbfField> standardFields(const QStringList& nutrients)
{
    QList<DbfField> fields{{QStringLiteral("YM_ADI"), 'C', 25, 0},
                           {QStringLiteral("FIATI"), 'C', kCellWidth, 0},
                           {QStringLiteral("KMO"), 'C', kCellWidth, 0}};
    for (const QString& n : nutrients)
        fields.append({n, 'C', kCellWidth, 0});
    return fields;
}

}  // namespace

QList<DbfField> HKM_STRCREATE()
{
    static const QStringList nutrients = {
        "HP", "SHP", "RUP", "HY", "HS", "HK", "TSBM", "NEL", "ME_KA", "ME_BB", "NB",
        "KALSIYUM", "TFOSFOR", "FFOSFOR", "SODYUM", "POTASYUM", "KLOR", "DEMIR",
        "MAGNEZYUM", "MANGANEZ", "SULFUR", "BAKIR", "SELENYUM", "CINKO", "FOLIKASIT",
        "PANTASIT", "LINASIT", "BIYOTIN", "KOLIN", "NIASIN", "VITB6", "VITB12", "VITE",
        "ARGININ", "RFLAVIN", "THIAMIN", "GLISIN", "SERIN", "HISTIDIN", "ISOLOSIN",
        "LOSIN", "LIZIN", "METIONIN", "SISTIN", "METISIST", "FALANIN", "TYROZIN",
        "FENATYRO", "TRIONIN", "TRIPTOFAN", "VALIN"};
    return standardFields(nutrients);
}

QList<DbfField> KMM_STRCREATE()
{
    static const QStringList nutrients = {
        "HP", "SHP", "RUP", "RDP", "HY", "HS", "ADF", "NDF", "HK", "TSBM", "SE",
        "ME_KA", "ME_BB", "NEY", "NEK", "NEL", "NB", "KALSIYUM", "FOSFOR", "FFOSFOR",
        "SODYUM", "KLOR", "POTASYUM", "MAGNEZYUM", "SULFUR", "COBALT", "BAKIR", "DEMIR",
        "MANGAN", "SELENYUM", "IYOT", "CINKO", "LIZIN", "METIONIN", "METSISTIN",
        "TRIPTOFAN", "TRIONIN", "ARGININ", "LINASIT", "VITA", "VITD", "VITE"};
    return standardFields(nutrients);
}

QStringList nutrientFieldsOf(const QStringList& fieldNames)
{
    QStringList out;
    for (const QString& f : fieldNames)
        if (f != QLatin1String("YM_ADI") && f != QLatin1String("FIATI"))
            out << f;
    return out;
}

}  // namespace zeva
