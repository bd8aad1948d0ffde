// The lock that keeps a second marking session out of a destination folder while one marks
// into it: ".tallimark.lock", a QLockFile, so that it also works where the file cannot be locked
// by the system alone. A lock a session left behind when it was killed, or that holds nothing
// usable, must not shut the folder for good, so such a lock is taken over.
#pragma once

#include <QElapsedTimer>
#include <QLockFile>
#include <QString>

namespace tallimark {

class DestinationLock
{
public:
    enum class Outcome {
        Locked, // this session holds the folder
        InUse,  // another session holds it (owner() says which)
        NoLock, // the folder cannot hold a lock file (read-only, missing)
    };

    explicit DestinationLock(const QString &destFolder);
    ~DestinationLock();
    Q_DISABLE_COPY_MOVE(DestinationLock)

    // Waits up to waitMilliseconds for a session that holds the folder to finish. A lock is taken
    // over when its process is not running on this host; when it is empty, garbled or a dangling
    // link (a session killed while it wrote it) once it has stayed so for a moment; and when it
    // comes from another host and has not been renewed for StaleForeignLockMinutes.
    Outcome acquire(int waitMilliseconds);

    QString fileName() const { return m_lock.fileName(); }
    // Who holds the lock, for the message that refuses the folder: "process 123 (tallimark-cli)
    // on host lab-7", or why that cannot be told.
    const QString &owner() const { return m_owner; }

    // Renews the lock's time now and then, so that a session on another host sharing the folder
    // sees that its owner still runs. Cheap enough to call after every test.
    void renew();

    static constexpr int StaleForeignLockMinutes = 10;

private:
    enum class Holder { Running, Unknown, Unreadable, Stale };
    Holder inspect();
    bool removeStale(Holder seen);

    QLockFile m_lock;
    QString m_owner;
    QElapsedTimer m_sinceRenewal;
};

} // namespace tallimark
