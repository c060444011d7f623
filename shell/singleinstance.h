#pragma once
// Refusing a second copy of the program.

#include <QString>

namespace zeva {

// TRUE when another running copy already holds the single-instance lock of
// `name` (or the lock cannot be taken); otherwise this copy takes the lock and
// keeps it until it ends. The start-up passes "ZEVA".
bool ISAPPRUNNING(const QString& name);

}  // namespace zeva
