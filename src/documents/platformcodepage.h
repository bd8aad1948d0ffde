// Decoding a Windows code page to UTF-16 with the system's own converter: iconv on POSIX,
// MultiByteToWideChar on Windows. Part of the platform unit.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

namespace tallimark::platform {

class CodePageConverter
{
public:
    // Null when the system has no converter for that code page.
    static std::unique_ptr<CodePageConverter> open(int codePage);
    ~CodePageConverter();
    CodePageConverter(const CodePageConverter &) = delete;
    CodePageConverter &operator=(const CodePageConverter &) = delete;

    // Appends the characters of bytes to out. A byte that starts no character of the code page,
    // or a lead byte cut off at the end, becomes one U+FFFD, and decoding goes on after it.
    void decode(QByteArrayView bytes, QString &out);

private:
    CodePageConverter(int codePage, void *handle) : m_codePage(codePage), m_handle(handle) { }

    [[maybe_unused]] int m_codePage; // read by the Windows half only
    void *m_handle;                  // the iconv descriptor on POSIX; unused on Windows
};

} // namespace tallimark::platform
