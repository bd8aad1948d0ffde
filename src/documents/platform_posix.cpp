// The POSIX half of the platform unit: file calls through open/rename/fsync, code pages through
// iconv, limits through setrlimit.
#include "platformcodepage.h"
#include "platformfile.h"

#include <QSysInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <locale.h>
#include <new>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallimark::platform {

namespace {

// Closes the descriptor on every way out.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now, because close() can report a failed write-back.
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

int writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

QByteArray folderOf(const QByteArray &name)
{
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : name.left(slash);
}

int syncFolder(const QByteArray &folder)
{
    const Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return errno;
    return ::fsync(fd.get()) == 0 ? 0 : errno;
}

// A name beside the target that no other writer uses.
QByteArray temporaryNameFor(const QByteArray &name)
{
    static std::atomic<unsigned> counter{0};
    const QByteArray folder = folderOf(name);
    return folder + "/.tallimark-" + QByteArray::number(qint64(::getpid())) + '-' + QByteArray::number(++counter)
        + ".tmp";
}

} // namespace

int makeFolder(const QString &path)
{
    return ::mkdir(encodeName(path).constData(), 0777) == 0 ? 0 : errno;
}

bool exists(const QString &path)
{
    struct stat info
    { };
    return ::lstat(encodeName(path).constData(), &info) == 0;
}

FileRead readRegularFile(const QString &path, qint64 maxSize)
{
    FileRead result;
    const QByteArray name = encodeName(path);
    if (name.isEmpty()) {
        result.error = ENOENT;
        return result;
    }
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        result.error = errno;
        return result;
    }
    struct stat info
    { };
    if (::fstat(fd.get(), &info) != 0) {
        result.error = errno;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.refusal = Refusal::NotRegularFile;
        return result;
    }
    if (info.st_size > maxSize) {
        result.refusal = Refusal::TooLarge;
        return result;
    }
    try {
        result.bytes.reserve(qsizetype(info.st_size) + 1);
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
            if (got > 0) {
                // The file may have grown since fstat.
                if (result.bytes.size() + got > maxSize) {
                    result.bytes.clear();
                    result.refusal = Refusal::TooLarge;
                    break;
                }
                result.bytes.append(buffer, qsizetype(got));
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                result.error = errno;
                result.bytes.clear();
                break;
            }
        }
    } catch (const std::bad_alloc &) {
        result.bytes = QByteArray();
        result.error = ENOMEM;
    }
    return result;
}

int replaceFile(const QString &path, const QByteArray &bytes, bool syncNow)
{
    const QByteArray name = encodeName(path);
    if (name.isEmpty())
        return ENOENT;
    struct stat info
    { };
    const bool exists = ::lstat(name.constData(), &info) == 0;
    // Renaming would replace a read-only file; its permissions must be honoured.
    if (exists && S_ISREG(info.st_mode) && ::access(name.constData(), W_OK) != 0)
        return errno;
    if (exists && S_ISDIR(info.st_mode))
        return EISDIR;

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = temporaryNameFor(name);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;
    Descriptor file(fd);
    int error = writeAll(file.get(), bytes);
    if (error == 0 && exists && S_ISREG(info.st_mode))
        (void)::fchmod(file.get(), info.st_mode & 07777);
    if (error == 0 && syncNow && ::fdatasync(file.get()) != 0)
        error = errno;
    const int closeError = file.close();
    if (error == 0)
        error = closeError;
    if (error == 0 && ::rename(temporary.constData(), name.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return error;
    }
    return syncNow ? syncFolder(folderOf(name)) : 0;
}

int appendWhole(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = encodeName(path);
    if (name.isEmpty())
        return ENOENT;
    const int flags = O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(name.constData(), flags, 0666);
    struct stat link
    { };
    if (fd < 0 && errno == ELOOP && ::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (::unlink(name.constData()) != 0)
            return errno;
        fd = ::open(name.constData(), flags, 0666);
    }
    if (fd < 0)
        return errno;
    Descriptor file(fd);
    struct stat info
    { };
    if (::fstat(file.get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return EINVAL;
    int error = writeAll(file.get(), bytes);
    if (error != 0) {
        // Cut back what part of the line got written, so the next line does not join it.
        while (::ftruncate(file.get(), info.st_size) != 0 && errno == EINTR) { }
        return error;
    }
    return file.close();
}

SyncFailure syncFiles(const QStringList &paths)
{
    SyncFailure failure;
    std::set<QByteArray> folders;
    for (const QString &path : paths)
        folders.insert(folderOf(encodeName(path)));
#ifdef __linux__
    // One syncfs per file system writes every file of the session, and their names, in one
    // go: far cheaper than a journal commit for each file.
    std::set<dev_t> synced;
    for (const QByteArray &folder : folders) {
        const Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat info
        { };
        if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
            if (failure.error == 0)
                failure = {errno, decodeName(folder)};
            continue;
        }
        if (synced.insert(info.st_dev).second && ::syncfs(fd.get()) != 0 && failure.error == 0)
            failure = {errno, decodeName(folder)};
    }
#else
    for (const QString &path : paths) {
        const Descriptor fd(::open(encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        const int error = !fd.valid() ? errno : (::fdatasync(fd.get()) == 0 ? 0 : errno);
        if (error != 0 && failure.error == 0)
            failure = {error, path};
    }
    for (const QByteArray &folder : folders) {
        const int error = syncFolder(folder);
        if (error != 0 && failure.error == 0)
            failure = {error, decodeName(folder)};
    }
#endif
    return failure;
}

int errnoOfSystemError(unsigned long)
{
    return EIO;
}

bool isTerminal(FILE *stream)
{
    return ::isatty(::fileno(stream)) != 0;
}

void useUtf8Console() { }

void withCNumbers(const std::function<void()> &work)
{
    const locale_t current = ::uselocale(locale_t(0));
    const locale_t copy = ::duplocale(current);
    const locale_t cNumbers = copy ? ::newlocale(LC_NUMERIC_MASK, "C", copy) : locale_t(0);
    if (!cNumbers) {
        if (copy)
            ::freelocale(copy);
        work(); // no memory for a locale: the process's own, as before
        return;
    }
    ::uselocale(cNumbers);
    work();
    ::uselocale(current);
    ::freelocale(cNumbers);
}

bool processRunning(qint64 pid)
{
    if (pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    // Signal 0 only asks; a process of another user answers EPERM, and it runs all the same.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool ownedByAdministrator(const QString &folder)
{
    struct stat status
    { };
    return ::stat(encodeName(folder).constData(), &status) == 0 && status.st_uid == 0;
}

bool limitFileSize(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

namespace {

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 65001:
        return QByteArrayLiteral("UTF-8");
    case 10000:
        return QByteArrayLiteral("MACINTOSH");
    case 1200:
        return QByteArrayLiteral("UTF-16LE");
    case 1201:
        return QByteArrayLiteral("UTF-16BE");
    case 20127:
        return QByteArrayLiteral("ASCII");
    case 28591:
        return QByteArrayLiteral("ISO-8859-1");
    default:
        return QByteArrayLiteral("CP") + QByteArray::number(codePage);
    }
}

} // namespace

std::unique_ptr<CodePageConverter> CodePageConverter::open(int codePage)
{
    const QByteArray target =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? QByteArrayLiteral("UTF-16LE") : QByteArrayLiteral("UTF-16BE");
    iconv_t converter = iconv_open(target.constData(), iconvName(codePage).constData());
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the value iconv_open fails with
    if (converter == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return std::unique_ptr<CodePageConverter>(new CodePageConverter(codePage, converter));
}

CodePageConverter::~CodePageConverter()
{
    iconv_close(static_cast<iconv_t>(m_handle));
}

void CodePageConverter::decode(QByteArrayView bytes, QString &out)
{
    constexpr char16_t replacementCharacter = 0xFFFD;
    iconv_t converter = static_cast<iconv_t>(m_handle);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const qsizetype start = out.size();
    // No code page yields more UTF-16 units than bytes, except the replacement of one bad byte.
    out.resize(start + bytes.size() + 1);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *outBase = reinterpret_cast<char *>(out.data() + start);
    char *outPtr = outBase;
    size_t outLeft = size_t(bytes.size() + 1) * sizeof(char16_t);
    while (inLeft > 0) {
        const size_t done = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        if (done != size_t(-1))
            break;
        if (errno == E2BIG) {
            // A multi-byte code page cannot get here; grow anyway rather than lose text.
            const qsizetype used = qsizetype(outPtr - outBase);
            out.resize(out.size() + bytes.size() + 1);
            outBase = reinterpret_cast<char *>(out.data() + start);
            outPtr = outBase + used;
            outLeft += size_t(bytes.size() + 1) * sizeof(char16_t);
            continue;
        }
        // EILSEQ or a lead byte cut off at the end (EINVAL): one unreadable byte.
        if (outLeft < sizeof(char16_t)) {
            const qsizetype used = qsizetype(outPtr - outBase);
            out.resize(out.size() + 2);
            outBase = reinterpret_cast<char *>(out.data() + start);
            outPtr = outBase + used;
            outLeft += 2 * sizeof(char16_t);
        }
        const char16_t replacement = replacementCharacter;
        std::memcpy(outPtr, &replacement, sizeof replacement);
        outPtr += sizeof(char16_t);
        outLeft -= sizeof(char16_t);
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(start + qsizetype(outPtr - outBase) / qsizetype(sizeof(char16_t)));
}

} // namespace tallimark::platform
