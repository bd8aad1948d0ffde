// Icons and type names of files and folders, shared by the folder tree and the file list.
#pragma once

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>

class QFileInfo;

namespace tallimark {

class TypeIcons
{
public:
    // The type name a file manager shows for the item ("folder", "RTF document", ...).
    QString typeName(const QFileInfo &item) const;

    // One icon per type name, fetched once: a folder of hundreds of tests asks the icon
    // provider once. Executables and links get their own icon each, since theirs differ
    // from item to item.
    QIcon icon(const QFileInfo &item, const QString &typeName);

    // How many icons the provider has been asked for so far.
    int fetchCount() const { return m_fetchCount; }

private:
    QFileIconProvider m_provider;
    QMimeDatabase m_mimeTypes;
    QHash<QString, QIcon> m_byTypeName;
    int m_fetchCount = 0;
};

} // namespace tallimark
