// The Windows half of the platform unit, on the wide-character Win32 API only: names go to the
// system as UTF-16, long paths and network shares through the \\?\ form, code pages through
// MultiByteToWideChar. System error codes are turned into the errno of the same fault, so the
// rest of Tallimark numbers and words a failure the same way on both platforms.
#include "platformcodepage.h"
#include "platformfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <io.h>
#include <locale.h>
#include <new>
#include <set>
#include <string>
#include <windows.h>

// A quota full on a school server; MinGW's headers lack the name.
#ifndef ERROR_DISK_QUOTA_EXCEEDED
#define ERROR_DISK_QUOTA_EXCEEDED 1295L
#endif

namespace tallimark::platform {

namespace {

// A name the wide calls take whatever its length: absolute, backslashed, and prefixed with
// "\\?\", which lifts the 260-character limit (and also turns off the system's own clean-up of
// "." and "..", done here instead).
std::wstring systemName(const QString &path)
{
    if (path.isEmpty())
        return {};
    // Devices keep their own form: the \\?\ prefix would turn NUL or CON into ordinary names.
    static const QRegularExpression dosDevice(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QString native = QDir::toNativeSeparators(path);
    if (native.startsWith(u"\\\\.\\") || (!native.contains(u'\\') && dosDevice.match(native).hasMatch()))
        return native.toStdWString();
    QString full = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (full.startsWith(u"\\\\?\\") || full.startsWith(u"\\\\.\\"))
        return full.toStdWString();
    if (full.startsWith(u"\\\\"))
        full = QStringLiteral("\\\\?\\UNC\\") + full.mid(2);
    else
        full = QStringLiteral("\\\\?\\") + full;
    return full.toStdWString();
}

int lastErrno()
{
    return errnoOfSystemError(::GetLastError());
}

// Closes the handle on every way out.
class Handle
{
public:
    explicit Handle(HANDLE handle) : m_handle(handle) { }
    ~Handle()
    {
        if (valid())
            ::CloseHandle(m_handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    // Closes now, because closing can report a failed write-back.
    int close()
    {
        const BOOL closed = ::CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed ? 0 : lastErrno();
    }

private:
    HANDLE m_handle;
};

int writeAll(HANDLE file, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const DWORD chunk = DWORD(qMin<qsizetype>(left, 1 << 24));
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr))
            return lastErrno();
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

// Only an ordinary file on a disk: not a folder, a console, a pipe or a device such as NUL.
bool isRegularFile(HANDLE file)
{
    if (::GetFileType(file) != FILE_TYPE_DISK)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileInformationByHandle(file, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// A name beside the target that no other writer uses.
QString temporaryNameFor(const QString &path)
{
    static std::atomic<unsigned> counter{0};
    return folderOf(path) + QStringLiteral("/.tallimark-") + QString::number(::GetCurrentProcessId()) + u'-'
        + QString::number(++counter) + QStringLiteral(".tmp");
}

// A virus scanner or the search indexer may hold a fresh file for a moment; renaming over it
// then fails with a sharing violation that is gone a little later.
bool moveReplacing(const std::wstring &from, const std::wstring &to, DWORD flags)
{
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | flags))
            return true;
        const DWORD error = ::GetLastError();
        if (attempt >= 20 || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION))
            return false;
        ::Sleep(50);
        ::SetLastError(error);
    }
}

} // namespace

int errnoOfSystemError(unsigned long systemError)
{
    switch (systemError) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_NOT_READY: // a card reader or drive with no medium in it
        return ENOENT;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return ENOENT;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: // another program holds the file open
    case ERROR_LOCK_VIOLATION:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
    case ERROR_DISK_QUOTA_EXCEEDED:
    case ERROR_FILE_TOO_LARGE:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    case ERROR_NO_UNICODE_TRANSLATION:
        return EILSEQ;
    default:
        return EIO; // read, write and CRC faults, a network drive gone away, and the rest
    }
}

int makeFolder(const QString &path)
{
    return ::CreateDirectoryW(systemName(path).c_str(), nullptr) ? 0 : lastErrno();
}

bool exists(const QString &path)
{
    return !path.isEmpty() && ::GetFileAttributesW(systemName(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileRead readRegularFile(const QString &path, qint64 maxSize)
{
    FileRead result;
    if (path.isEmpty()) {
        result.error = ENOENT;
        return result;
    }
    // Backup semantics let a folder be opened, so that it is refused as not a file rather than
    // reported as access denied.
    const Handle file(::CreateFileW(systemName(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        result.error = lastErrno();
        return result;
    }
    if (!isRegularFile(file.get())) {
        result.refusal = Refusal::NotRegularFile;
        return result;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        result.error = lastErrno();
        return result;
    }
    if (size.QuadPart > maxSize) {
        result.refusal = Refusal::TooLarge;
        return result;
    }
    try {
        result.bytes.reserve(qsizetype(size.QuadPart) + 1);
        char buffer[65536];
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
                result.error = lastErrno();
                result.bytes.clear();
                break;
            }
            if (got == 0)
                break;
            // The file may have grown since its size was taken.
            if (result.bytes.size() + qsizetype(got) > maxSize) {
                result.bytes.clear();
                result.refusal = Refusal::TooLarge;
                break;
            }
            result.bytes.append(buffer, qsizetype(got));
        }
    } catch (const std::bad_alloc &) {
        result.bytes = QByteArray();
        result.error = ENOMEM;
    }
    return result;
}

int replaceFile(const QString &path, const QByteArray &bytes, bool syncNow)
{
    if (path.isEmpty())
        return ENOENT;
    const std::wstring target = systemName(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return EISDIR;
        // Renaming would replace a read-only file; its protection must be honoured.
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return EACCES;
    }

    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; created == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
        temporary = systemName(temporaryNameFor(path));
        created =
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            return lastErrno();
    }
    if (created == INVALID_HANDLE_VALUE)
        return EEXIST;
    Handle file(created);
    int error = writeAll(file.get(), bytes);
    if (error == 0 && syncNow && !::FlushFileBuffers(file.get()))
        error = lastErrno();
    const int closeError = file.close();
    if (error == 0)
        error = closeError;
    if (error == 0 && !moveReplacing(temporary, target, syncNow ? MOVEFILE_WRITE_THROUGH : 0))
        error = lastErrno();
    if (error != 0)
        ::DeleteFileW(temporary.c_str());
    return error;
}

int appendWhole(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return ENOENT;
    const std::wstring name = systemName(path);
    // A link under the file's name is replaced by a new file, never written through.
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && !::DeleteFileW(name.c_str()))
        return lastErrno();
    const Handle file(::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return lastErrno();
    if (!isRegularFile(file.get()))
        return EINVAL;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || !::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN))
        return lastErrno();
    const int error = writeAll(file.get(), bytes);
    if (error != 0) {
        // Cut back what part of the line got written, so the next line does not join it.
        if (::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN))
            ::SetEndOfFile(file.get());
        return error;
    }
    return 0;
}

SyncFailure syncFiles(const QStringList &paths)
{
    // Windows keeps folder entries in the file system's journal; flushing each file's data is
    // what is left to do.
    SyncFailure failure;
    std::set<QString> done;
    for (const QString &path : paths) {
        if (!done.insert(path).second)
            continue;
        const Handle file(::CreateFileW(systemName(path).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        const int error = !file.valid() ? lastErrno() : (::FlushFileBuffers(file.get()) ? 0 : lastErrno());
        if (error != 0 && failure.error == 0)
            failure = {error, path};
    }
    return failure;
}

bool isTerminal(FILE *stream)
{
    return ::_isatty(::_fileno(stream)) != 0;
}

void useUtf8Console()
{
    ::SetConsoleOutputCP(CP_UTF8);
}

void withCNumbers(const std::function<void()> &work)
{
    const int mode = ::_configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char *numbers = ::setlocale(LC_NUMERIC, nullptr);
    const std::string previous = numbers ? numbers : "C";
    ::setlocale(LC_NUMERIC, "C");
    work();
    ::setlocale(LC_NUMERIC, previous.c_str());
    ::_configthreadlocale(mode);
}

bool processRunning(qint64 pid)
{
    if (pid <= 0 || pid > qint64(UINT32_MAX))
        return false;
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED; // another user's process, running all the same
    DWORD exitCode = 0;
    const bool running = ::GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

bool ownedByAdministrator(const QString &)
{
    return false;
}

bool limitFileSize(qint64)
{
    return false;
}

std::unique_ptr<CodePageConverter> CodePageConverter::open(int codePage)
{
    // UTF-16 is no code page MultiByteToWideChar takes; those two are decoded here.
    if (codePage != 1200 && codePage != 1201 && !::IsValidCodePage(UINT(codePage)))
        return nullptr;
    return std::unique_ptr<CodePageConverter>(new CodePageConverter(codePage, nullptr));
}

CodePageConverter::~CodePageConverter() = default;

void CodePageConverter::decode(QByteArrayView bytes, QString &out)
{
    constexpr char16_t replacementCharacter = 0xFFFD;
    if (m_codePage == 1200 || m_codePage == 1201) {
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            const auto first = uchar(bytes[i]);
            const auto second = uchar(bytes[i + 1]);
            out += QChar(m_codePage == 1200 ? char16_t(first | second << 8) : char16_t(first << 8 | second));
        }
        if (bytes.size() % 2)
            out += QChar(replacementCharacter);
        return;
    }
    const UINT codePage = UINT(m_codePage);
    // These code pages refuse the flag that reports undefined bytes.
    const bool strict = !(codePage == 42 || (codePage >= 50220 && codePage <= 50229) || codePage == 65000
                          || (codePage >= 57002 && codePage <= 57011));
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    auto convert = [&](const char *data, int size) -> bool {
        const int needed = ::MultiByteToWideChar(codePage, flags, data, size, nullptr, 0);
        if (needed <= 0)
            return false;
        const qsizetype start = out.size();
        out.resize(start + needed);
        ::MultiByteToWideChar(codePage, flags, data, size, reinterpret_cast<wchar_t *>(out.data() + start), needed);
        return true;
    };
    if (bytes.size() <= INT_MAX && convert(bytes.data(), int(bytes.size())))
        return;
    // Some byte is undefined: go character by character, a lead byte with its trail byte, and
    // let each byte that makes no character stand for one U+FFFD.
    qsizetype i = 0;
    while (i < bytes.size()) {
        const bool lead = i + 1 < bytes.size() && ::IsDBCSLeadByteEx(codePage, BYTE(bytes[i]));
        if (lead && convert(bytes.data() + i, 2)) {
            i += 2;
            continue;
        }
        if (m_codePage == 65001) {
            int length = 4;
            while (length > 1 && (i + length > bytes.size() || !convert(bytes.data() + i, length)))
                --length;
            if (length > 1) {
                i += length;
                continue;
            }
        }
        if (!convert(bytes.data() + i, 1))
            out += QChar(replacementCharacter);
        ++i;
    }
}

} // namespace tallimark::platform
