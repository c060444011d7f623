#pragma once
// How many feeds the open problem file can take: one matrix row of its YMBMAT
// field holds a cell and a comma per feed, so the field's width sets the
// limit (85 for the standard file). Every command that adds feeds asks here
// before it adds one, and refuses with tooManyFeedsText().

#include <QString>

namespace zeva {

// Most feeds the open problem file can hold (the standard when no file is
// open).
int maxFeedsOfOpenFile();

// The refusal, naming the number of feeds the file holds (by default the
// open file's).
QString tooManyFeedsText(int maxFeeds = maxFeedsOfOpenFile());

}  // namespace zeva
