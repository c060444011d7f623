#pragma once
// Helpers of the grid tests.
//
// QtWarningGuard fails the running test on any Qt warning (item views, models and the
// model tester report their faults as warnings) while it is in scope.
// Notes of the offscreen platform about window features it lacks are not
// the grid's and are let through.

#include "support/qstringprint.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <ostream>

namespace zeva::test {

class QtWarningGuard {
public:
    QtWarningGuard();
    ~QtWarningGuard();
    QtWarningGuard(const QtWarningGuard&) = delete;
    QtWarningGuard& operator=(const QtWarningGuard&) = delete;

    QStringList warnings() const;

private:
    QtMessageHandler previous_;
};

}  // namespace zeva::test

using zeva::test::QtWarningGuard;
