// Which learner each test name in a destination folder belongs to, so that a later session
// gives a different learner's test of the same name a name of its own instead of replacing the
// earlier learner's copy, marked copy and record rows.
#pragma once

#include <QHash>
#include <QString>

namespace tallimark {

class DestinationLearners
{
public:
    // Reads the class record of the folder: a row's learner is the name its test got there and
    // its source the test it was copied from; the latest row of a name counts.
    explicit DestinationLearners(const QString &destFolder);

    // Whether the destination holds another learner's test under name (a file name such as
    // "Jan.rtf"): the record names another source for it, or, for a name the record does not
    // know, a copy of other content is there. A test of the destination itself, and the same
    // source marked again, hold their own name.
    bool heldByAnother(const QString &name, const QString &source) const;

private:
    bool copyDiffers(const QString &name, const QString &source) const;

    QString m_destFolder;
    QHash<QString, QString> m_sources; // the name less its last 4 characters, lower case -> source
};

} // namespace tallimark
