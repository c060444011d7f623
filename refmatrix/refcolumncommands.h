#pragma once
// The two many-cell commands of the reference matrix window, free of widgets:
// BMBAGLA rescales the nutrients of the current feed bound to a macro
// nutrient; COLMATHBM applies one of the four operations to every feed's
// cell of a column. Both work on the window's in-memory copy, never on the
// unit row, write nothing before the confirmation question is answered Yes,
// and raise LRMCHANGED only when they wrote.
//
// A division by zero and a result that does not fit its 11-character cell
// are refused before anything is written.

#include "core/userport.h"
#include "refmatrix/refmatrixedit.h"

namespace zeva {

inline const QString kDivisionByZero = QStringLiteral("Sıfıra bölme yapılamaz!");
inline const QString kResultDoesNotFit = QStringLiteral("Sonuç hücreye sığmıyor; işlem yapılmadı.");
inline const QString kNoFeedChosen = QStringLiteral("Bir yem maddesi seçilmedi...");
inline const QString kEmptyMacroNutrient = QStringLiteral("Seçilen makro besin maddesi boş!");
inline const QString kNumericColumnFirst = QStringLiteral("Aritmetik için önce sayısal bir kolon seçiniz!");
inline const QString kSameColumn = QStringLiteral("Farklı bir besin maddesi seçilmedi...");

// On the server's current record. TRUE when cells were written.
bool BMBAGLA(ReferenceMatrixEdit& edit, UserPort& port);
// On column nCol (the browser's column position = field position, from 1; 0
// for none). TRUE when cells were written.
bool COLMATHBM(ReferenceMatrixEdit& edit, int nCol, UserPort& port);

}  // namespace zeva
