#include "destinationlock.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

// A lock is written the moment it is made; one that stays unreadable this long never will be.
constexpr int UnreadableGraceMilliseconds = 1000;
constexpr int PollMilliseconds = 100;
// A live session renews its lock at least this often.
constexpr qint64 RenewalMilliseconds = qint64(60) * 1000;

} // namespace

DestinationLock::DestinationLock(const QString &destFolder) : m_lock(destFolder + u"/.tallimark.lock"_s)
{
    // Age alone never makes a lock of this host stale: a long session keeps its lock, and a
    // lock whose process is gone is taken over at once.
    m_lock.setStaleLockTime(0);
}

DestinationLock::~DestinationLock() = default;

DestinationLock::Outcome DestinationLock::acquire(int waitMilliseconds)
{
    QElapsedTimer waited;
    waited.start();
    QElapsedTimer unreadableFor;
    for (;;) {
        // QLockFile itself takes over a lock whose process on this host is gone.
        if (m_lock.tryLock(0)) {
            m_owner.clear();
            m_sinceRenewal.start();
            return Outcome::Locked;
        }
        if (m_lock.error() != QLockFile::LockFailedError)
            return Outcome::NoLock;
        const Holder holder = inspect();
        if (holder == Holder::Stale && removeStale(holder))
            continue;
        if (holder == Holder::Unreadable) {
            if (!unreadableFor.isValid())
                unreadableFor.start();
            else if (unreadableFor.hasExpired(UnreadableGraceMilliseconds) && removeStale(holder))
                continue;
        } else {
            unreadableFor.invalidate();
        }
        // An unreadable lock gets its full grace even when the wait for a live one is shorter.
        const bool waitingOutUnreadable = holder == Holder::Unreadable && unreadableFor.isValid();
        if (waited.hasExpired(waitMilliseconds) && !waitingOutUnreadable)
            return Outcome::InUse;
        QThread::msleep(PollMilliseconds);
    }
}

DestinationLock::Holder DestinationLock::inspect()
{
    const QString path = m_lock.fileName();
    const QFileInfo file(path);
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock.getLockInfo(&pid, &host, &application)) {
        m_owner = u"process "_s + QString::number(pid)
            + (application.isEmpty() ? QString() : u" ("_s + application + u')') + u" on host "_s
            + (host.isEmpty() ? u"?"_s : host);
        if (host.isEmpty() || host == QSysInfo::machineHostName())
            return Holder::Running; // QLockFile found its process running, or it would be ours
        // Another host's process cannot be asked; a live session there renews its lock.
        const qint64 age = file.lastModified().msecsTo(QDateTime::currentDateTime());
        return age > qint64(StaleForeignLockMinutes) * 60 * 1000 ? Holder::Stale : Holder::Running;
    }
    if (file.exists() && !file.isSymLink() && file.isFile() && !file.isReadable()) {
        // Another user's lock: whether its owner runs cannot be told, so it is left alone.
        m_owner = u"an owner that cannot be told: the lock file cannot be read"_s;
        return Holder::Unknown;
    }
    if (file.isDir()) {
        m_owner = u"nobody: it is a folder"_s;
        return Holder::Unknown;
    }
    m_owner = file.isSymLink() && !file.exists() ? u"nobody: it is a link to nothing"_s
        : file.size() == 0                       ? u"nobody: it is empty"_s
                                                 : u"nobody: it is not a lock Tallimark wrote"_s;
    return Holder::Unreadable;
}

// Two sessions may find the same stale lock: the one that holds the guard removes it, after
// making sure it is still the stale one and not a lock the other has just made. QLockFile's own
// take-over uses the same guard.
bool DestinationLock::removeStale(Holder seen)
{
    QLockFile guard(m_lock.fileName() + u".rmlock"_s);
    if (!guard.tryLock(0))
        return false;
    if (inspect() != seen)
        return false;
    // Removes a link itself, never what it points to.
    return QFile::remove(m_lock.fileName());
}

void DestinationLock::renew()
{
    if (!m_lock.isLocked() || (m_sinceRenewal.isValid() && !m_sinceRenewal.hasExpired(RenewalMilliseconds)))
        return;
    m_sinceRenewal.start();
    QFile file(m_lock.fileName());
    if (file.open(QIODevice::ReadOnly))
        (void)file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}

} // namespace tallimark
