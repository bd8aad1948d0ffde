// libFuzzer target: any bytes through the RTF reader, the plain-text decoder and the writer.
#include "documents/plaintextdecoder.h"
#include "documents/richdocument.h"

#include <cstdint>
#include <cstdlib>

using namespace tallimark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    RichDocument document;
    document.setRtfBytes(bytes);
    const QString text = document.text();
    if (document.length() != text.size())
        std::abort();

    // Whatever was read must come back unchanged through our own writer, and writing what
    // was read back must give the same source again.
    const QString rtf = document.textRtf();
    RichDocument copy;
    copy.setTextRtf(rtf);
    if (copy.text() != text || copy.textRtf() != rtf)
        std::abort();

    // Selection edits on arbitrary text stay inside the document.
    document.setSelStart(int(size % 7));
    document.setSelLength(int(size % 13));
    document.setSelBold(true);
    document.setSelBackground(Red);
    document.setSelText(QStringLiteral("x\r\n"));
    if (document.length() < 3)
        std::abort();

    const QString plain = decodePlainText(bytes);
    (void)plain;
    return 0;
}
