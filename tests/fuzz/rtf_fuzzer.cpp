// libFuzzer target: any bytes through the RTF reader, the plain-text decoder and the writer.
#include "documents/plaintextdecoder.h"
#include "documents/richdocument.h"
#include "roundtrip.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace tallimark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const QString failure = roundTripFailure(bytes);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", failure.toUtf8().constData());
        std::abort();
    }

    // Selection edits on arbitrary text stay inside the document.
    RichDocument document;
    document.setRtfBytes(bytes);
    document.setSelStart(int(size % 7));
    document.setSelLength(int(size % 13));
    document.setSelBold(true);
    document.setSelBackground(Red);
    document.setSelText(QStringLiteral("x\r\n"));
    if (document.length() < 3)
        std::abort();

    (void)decodePlainText(bytes);
    return 0;
}
