#include "typeicons.h"

#include <QFileInfo>

namespace tallimark {

QString TypeIcons::typeName(const QFileInfo &item) const
{
    if (item.isRoot())
        return item.absoluteFilePath();
    return m_mimeTypes.mimeTypeForFile(item).comment();
}

QIcon TypeIcons::icon(const QFileInfo &item, const QString &typeName)
{
    const bool ownIcon = item.isSymLink() || (item.isFile() && item.isExecutable());
    if (!ownIcon) {
        const auto cached = m_byTypeName.constFind(typeName);
        if (cached != m_byTypeName.constEnd())
            return *cached;
    }
    ++m_fetchCount;
    QIcon fetched = m_provider.icon(item);
    if (!ownIcon)
        m_byTypeName.insert(typeName, fetched);
    return fetched;
}

} // namespace tallimark
