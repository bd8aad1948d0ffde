// The tests a class has no result for: rejected (too short or empty, too long or corrupt) or
// not marked at all. The pack lists them on a page of their own; one test decides for all.
#pragma once

#include "records/classrecord.h"

namespace tallimark {

// A row without a final result. A row whose result cell could not be read is a damaged record,
// not a test left out, and is not one.
bool isUnmarkedTest(const ClassRecordRow &row);

// Why the test has no result: its verdict, then the remarks that explain it.
QString unmarkedReason(const ClassRecordRow &row);

} // namespace tallimark
