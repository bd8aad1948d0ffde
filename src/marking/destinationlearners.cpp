#include "destinationlearners.h"

#include "records/classrecord.h"

#include "documents/platformfile.h"

namespace tallimark {

namespace {

// A marked copy's name is its test's name less the last 4 characters (the ".rtf").
QString learnerKey(const QString &name)
{
    return name.left(name.size() - 4).toLower();
}

QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(u'/'));
}

} // namespace

DestinationLearners::DestinationLearners(const QString &destFolder) : m_destFolder(destFolder)
{
    const ClassRecord record = readClassRecord(destFolder);
    for (const ClassRecordRow &row : record.rows) {
        // A test marked where it lies in the destination says nothing about whose it is.
        if (row.sourcePath.isEmpty() || folderOf(row.sourcePath) == destFolder)
            continue;
        m_sources.insert(row.learner.toLower(), row.sourcePath);
    }
}

bool DestinationLearners::heldByAnother(const QString &name, const QString &source) const
{
    if (folderOf(source) == m_destFolder)
        return false;
    const auto known = m_sources.constFind(learnerKey(name));
    if (known != m_sources.constEnd())
        return *known != source;
    return copyDiffers(name, source);
}

// A folder marked before the record existed, or whose rows were lost: the copy itself tells.
bool DestinationLearners::copyDiffers(const QString &name, const QString &source) const
{
    const QString copy = m_destFolder + u'/' + name;
    if (!platform::exists(copy))
        return false;
    const platform::FileRead earlier = platform::readRegularFile(copy);
    const platform::FileRead now = platform::readRegularFile(source);
    // A test that cannot be read is not copied; it takes nothing from anyone.
    if (now.error != 0 || now.refusal != platform::Refusal::None)
        return false;
    return earlier.error != 0 || earlier.refusal != platform::Refusal::None || earlier.bytes != now.bytes;
}

} // namespace tallimark
