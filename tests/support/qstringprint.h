#pragma once
// GoogleTest prints a QString in its failure messages as quoted text.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
