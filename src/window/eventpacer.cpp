#include "eventpacer.h"

#include <QCoreApplication>

namespace tallimark {

void EventPacer::processEvents()
{
    QCoreApplication::processEvents();
    m_sinceLast.start();
}

bool EventPacer::isDue() const
{
    return !m_sinceLast.isValid() || m_sinceLast.hasExpired(m_intervalMs);
}

void EventPacer::processEventsWhenDue()
{
    if (isDue())
        processEvents();
}

} // namespace tallimark
