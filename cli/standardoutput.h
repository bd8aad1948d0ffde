// Writing to standard output and error, remembering why a write to standard output failed: by
// the time the program ends, errno holds whatever a later call left there.
#pragma once

#include <QByteArrayView>

#include <cstdio>

namespace tallimark::cli {

// Writes and flushes; false when the bytes did not all get out.
bool writeStream(std::FILE *stream, QByteArrayView bytes);

// The errno of the first failed write to standard output that went through writeStream, or
// of a failed flush now; 0 when none failed or the system gave no reason.
int standardOutputError();

} // namespace tallimark::cli
