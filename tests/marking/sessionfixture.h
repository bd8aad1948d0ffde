// A class folder, a program folder and two memos in a temporary folder, with a scripted host
// and a session on them.
#pragma once

#include "scriptedhost.h"

#include "documents/workspace.h"
#include "marking/markingsession.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tallimark::testing {

using namespace Qt::StringLiterals;

// Both memos hold this text unless a test says otherwise.
inline const QString Memo = u"We like to read books at home. and this sentence ends the memo text here."_s;
// The memo with one word typed twice.
inline const QString DoubledTest = u"We like like to read books at home. and this sentence ends the memo text here."_s;

constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

class SessionFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        for (const QString &folder : {u"app"_s, u"Class7B"_s, u"memos"_s})
            QDir(m_root.path()).mkpath(folder);
        host.folder = path(u"app"_s);
        setMemos(Memo, Memo);
    }

    QString path(const QString &relative) const { return m_root.path() + u'/' + relative; }
    QString destination(const QString &name = u"Class7B"_s) const { return path(u"app/"_s + name); }
    static void write(const QString &file, const QString &text)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
    }
    static QString read(const QString &file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
    }
    // In the '/' form, as the report in ScriptedHost.
    QString results(const QString &name = u"Class7B"_s) const
    {
        return QDir::fromNativeSeparators(read(destination(name) + u"/Resultaat.res"_s));
    }

    // Both memos; the English one is in the memo box afterwards, as after start-up.
    void setMemos(const QString &afrikaans, const QString &english)
    {
        workspace.memoFiles = {path(u"memos/Bron.rtf"_s), path(u"memos/Source.rtf"_s)};
        write(workspace.memoFiles[0], afrikaans);
        write(workspace.memoFiles[1], english);
        session.setMemoFiles(workspace.memoFiles);
    }
    QString addTest(const QString &name, const QString &text, const QString &folder = u"Class7B"_s)
    {
        QDir().mkpath(path(folder));
        host.testList.append(path(folder + u'/' + name));
        write(host.testList.last(), text);
        return host.testList.last();
    }

    // Every folder and file of the fixture open to every user, for a check run as another one.
    void openToEveryone() const
    {
        const auto all = OwnerOnly | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QFile::setPermissions(m_root.path(), all);
        QDirIterator it(m_root.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), all);
    }

    Workspace workspace; // the memo files
    ScriptedHost host;
    MarkingSession session{host};

private:
    QTemporaryDir m_root;
};

} // namespace tallimark::testing
