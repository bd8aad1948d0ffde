// A class folder, a program folder and two memos in a temporary folder, with a scripted host.
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

class SessionFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir(m_root.path()).mkpath(QStringLiteral("app"));
        QDir(m_root.path()).mkpath(QStringLiteral("Class7B"));
        QDir(m_root.path()).mkpath(QStringLiteral("memos"));
        host.folder = path(QStringLiteral("app"));
    }

    QString path(const QString &relative) const { return m_root.path() + u'/' + relative; }
    QString destination(const QString &name = QStringLiteral("Class7B")) const { return path(QStringLiteral("app/") + name); }

    static void write(const QString &file, const QString &text)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
    }

    static QString read(const QString &file)
    {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(in.readAll());
    }

    // Both memos; the English one is in the memo box afterwards, as after start-up.
    void setMemos(const QString &afrikaans, const QString &english)
    {
        write(path(QStringLiteral("memos/Bron.rtf")), afrikaans);
        write(path(QStringLiteral("memos/Source.rtf")), english);
        workspace.memoFiles = {path(QStringLiteral("memos/Bron.rtf")), path(QStringLiteral("memos/Source.rtf"))};
        ASSERT_FALSE(workspace.memoDocument.loadFile(workspace.memoFiles[1]).failed());
    }

    QString addTest(const QString &name, const QString &text, const QString &folder = QStringLiteral("Class7B"))
    {
        const QString file = path(folder + u'/' + name);
        write(file, text);
        host.testList.append(file);
        return file;
    }

    QString results(const QString &name = QStringLiteral("Class7B")) const
    {
        return read(destination(name) + QStringLiteral("/Resultaat.res"));
    }

    // Every folder and file of the fixture open to every user, for a check run as another one.
    void openToEveryone() const
    {
        const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                         | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                         | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QFile::setPermissions(m_root.path(), all);
        QDirIterator it(m_root.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), all);
    }

    Workspace workspace;
    ScriptedHost host;

private:
    QTemporaryDir m_root;
};

} // namespace tallimark::testing
