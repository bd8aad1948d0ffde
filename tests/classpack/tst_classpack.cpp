// Converting a marked copy for the class pack (and the report box): however many paragraphs, the
// text document changes once, so that a layout already there is made once and not again after
// every paragraph (which made a copy of 8,000 paragraphs take 24 s to print).
#include "browser/richtextrender.h"
#include "documents/richdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace tallimark;

class ClassPackTest : public QObject
{
    Q_OBJECT

private slots:
    void convertsAnyLengthInAsManyChanges()
    {
        const int one = changesToConvert(1);
        QCOMPARE(changesToConvert(1000), one);
        QVERIFY(one <= 3);
    }

private:
    // How often the text document changes while a copy of that many paragraphs is converted.
    static int changesToConvert(int paragraphs)
    {
        QByteArray rtf = "{\\rtf1\\ansi ";
        for (int i = 0; i < paragraphs; ++i)
            rtf += "Paragraph " + QByteArray::number(i) + " with {\\b bold} words.\\par\n";
        RichDocument copy;
        copy.setRtfBytes(rtf + '}');
        QTextDocument shown;
        shown.documentLayout(); // laid out on every change from now on, as on the pack's pages
        QSignalSpy changes(&shown, &QTextDocument::contentsChange);
        renderRichDocument(copy, shown);
        const bool whole = shown.blockCount() == paragraphs
            && shown.lastBlock().text() == QStringLiteral("Paragraph %1 with bold words.").arg(paragraphs - 1);
        return whole ? int(changes.size()) : -1;
    }
};

QTEST_MAIN(ClassPackTest)
#include "tst_classpack.moc"
