#include "standardoutput.h"

#include <cerrno>

namespace tallimark::cli {

namespace {

int firstStdoutError = 0;

} // namespace

bool writeStream(std::FILE *stream, QByteArrayView bytes)
{
    errno = 0;
    const bool written =
        std::fwrite(bytes.data(), 1, size_t(bytes.size()), stream) == size_t(bytes.size()) && std::fflush(stream) == 0;
    if (!written && stream == stdout && firstStdoutError == 0)
        firstStdoutError = errno;
    return written;
}

int standardOutputError()
{
    if (firstStdoutError != 0)
        return firstStdoutError;
    errno = 0;
    return std::fflush(stdout) == 0 ? 0 : errno;
}

} // namespace tallimark::cli
