// The class pack as a moderator gets it: marked copies at their real size with their pictures,
// a cover that fits its page, numbered pages, the tests without a result, the class details, and
// text that searches as typed. Checked in the PDF itself with poppler's tools where they are
// installed. Also: converting a marked copy changes the text document in a few steps, however
// long it is (a copy of 8,000 paragraphs once took 24 s to print).
#include "classpack/classdetails.h"
#include "classpack/classpack.h"
#include "documents/richdocument.h"
#include "records/classtable.h"
#include "rendering/richtextrender.h"
#include "rendering/rtfpicture.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

const QByteArray rtfStart = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";

QByteArray imageHex(const char *format, QSize size = QSize(40, 20))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toHex();
}

struct Word
{
    QString text;
    QRectF box; // in points, from the page's top left
};

struct PdfPage
{
    QList<Word> words;
    QSizeF size;
};

} // namespace

#define REQUIRE_POPPLER()                                                                                              \
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty()                                                       \
        || QStandardPaths::findExecutable(u"pdfimages"_s).isEmpty())                                                   \
    QSKIP("poppler's pdftotext and pdfimages are not installed")

class ClassPackTest : public QObject
{
    Q_OBJECT

private slots:
    void convertsAnyLengthInAFewChanges()
    {
        QByteArray rtf = "{\\rtf1\\ansi ";
        for (int i = 0; i < 1000; ++i)
            rtf += "Paragraph " + QByteArray::number(i) + " with {\\b bold} words.\\par\n";
        RichDocument copy;
        copy.setRtfBytes(rtf + '}');
        QTextDocument shown;
        shown.documentLayout(); // laid out on every change from now on, as on the pack's pages
        QSignalSpy spy(&shown, &QTextDocument::contentsChange);
        renderRichDocument(copy, shown);
        QCOMPARE(shown.blockCount(), 1000);
        QCOMPARE(shown.lastBlock().text(), u"Paragraph 999 with bold words."_s);
        QVERIFY2(spy.size() <= 3, qPrintable(QString::number(spy.size())));
    }

    void decodesPictures_data()
    {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QSizeF>("twips"); // empty: no picture

        const QByteArray png = imageHex("PNG");
        QTest::newRow("jpeg in a shape, properties first")
            << "{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv 1}}}\\jpegblip\\picwgoal800\\pichgoal400\n"
                + imageHex("JPG") + "}}"
            << QSizeF(800, 400);
        QTest::newRow("scaled to half") << "{\\pict\\pngblip\\picscalex50\\picscaley50\\picwgoal1200\\pichgoal600 "
                + png + "}" << QSizeF(600, 300);
        QTest::newRow("no stated size: 15 twips a pixel") << "{\\pict\\pngblip " + png + "}" << QSizeF(600, 300);
        QTest::newRow("the stand-in for older readers") << "{\\nonshppict{\\pict\\pngblip " + png + "}}" << QSizeF();
        QTest::newRow("a metafile") << QByteArray("{\\pict\\wmetafile8\\picw100\\pich100 0100090000}") << QSizeF();
        QTest::newRow("damaged data") << "{\\pict\\pngblip " + png.left(60) + "}" << QSizeF();
        QTest::newRow("no picture at all") << QByteArray("{\\*\\bkmkstart pict}") << QSizeF();
    }

    void decodesPictures()
    {
        QFETCH(QByteArray, group);
        QFETCH(QSizeF, twips);
        const std::optional<RtfPicture> picture = decodeRtfPicture(group);
        QCOMPARE(picture.has_value(), !twips.isEmpty());
        if (picture)
            QCOMPARE(picture->twips, twips);
    }

    // Indents and spacing in twips come out at their size in points on paper (a 28 pt indent
    // once printed as 9 pt), and each picture is drawn where it stood.
    void printsCopiesAtTheirRealSize_data()
    {
        QTest::addColumn<QByteArray>("firstWords");
        QTest::addColumn<QByteArray>("secondWords");
        QTest::addColumn<qreal>("indent"); // of the second paragraph, points
        QTest::addColumn<qreal>("space");  // between the paragraphs beyond a plain pair's, points
        QTest::addColumn<qreal>("pitch");  // or from one line to the next, when not 0

        QTest::newRow("left indent 28 pt") << QByteArray() << QByteArray("\\li560") << 28.0 << 0.0 << 0.0;
        QTest::newRow("space before 12 pt, indent 14 pt")
            << QByteArray() << QByteArray("\\sb240\\li280") << 14.0 << 12.0 << 0.0;
        QTest::newRow("lines exactly 24 pt") << QByteArray("\\sl-480") << QByteArray("\\sl-480") << 0.0 << 0.0 << 24.0;
        QTest::newRow("lines at least 30 pt") << QByteArray("\\sl600") << QByteArray("\\sl600") << 0.0 << 0.0 << 30.0;
    }

    void printsCopiesAtTheirRealSize()
    {
        REQUIRE_POPPLER();
        QFETCH(QByteArray, firstWords);
        QFETCH(QByteArray, secondWords);
        QFETCH(qreal, indent);
        QFETCH(qreal, space);
        QFETCH(qreal, pitch);
        const auto measure = [this](const QByteArray &first, const QByteArray &second) {
            const QByteArray copy = rtfStart + "\\pard" + first + " Alpha\\par\\pard" + second + " Bravo\\par}";
            const QList<PdfPage> pages = pdfPages(packOf({learner(u"Ann"_s, copy)}));
            const Word alpha = find(pages, u"Alpha"_s), bravo = find(pages, u"Bravo"_s);
            return QPointF(bravo.box.left() - alpha.box.left(), bravo.box.top() - alpha.box.top());
        };
        const QPointF plain = measure({}, {});
        if (QTest::currentTestFailed())
            return;
        const QPointF formatted = measure(firstWords, secondWords);
        QVERIFY2(qAbs(formatted.x() - indent) < 0.5, qPrintable(QString::number(formatted.x())));
        const qreal expected = pitch > 0 ? pitch : plain.y() + space;
        QVERIFY2(qAbs(formatted.y() - expected) < 0.5, qPrintable(QString::number(formatted.y())));
    }

    void drawsPictures()
    {
        REQUIRE_POPPLER();
        const QByteArray copy = rtfStart + "\\pard Before {\\pict\\pngblip\\picwgoal1440\\pichgoal720 "
            + imageHex("PNG") + "} after\\par\\pard {\\pict\\pngblip\\picwgoal30000\\pichgoal3000 "
            + imageHex("PNG", {400, 40}) + "}\\par}";
        const QString pdf = packOf({learner(u"Ann"_s, copy)});
        const QStringList images = poppler("pdfimages", {u"-list"_s, pdf}).split(u'\n').mid(2);
        QList<QSizeF> sizes; // in points, from the resolution the PDF gives each
        for (const QString &line : images) {
            const QStringList cells = line.simplified().split(u' ');
            if (cells.size() > 13)
                sizes.append({cells.at(3).toDouble() / cells.at(12).toDouble() * 72,
                              cells.at(4).toDouble() / cells.at(13).toDouble() * 72});
        }
        QVERIFY2(sizes.size() == 2, qPrintable(images.join(u'\n')));
        QVERIFY2(qAbs(sizes.at(0).width() - 72) < 2 && qAbs(sizes.at(0).height() - 36) < 2,
                 qPrintable(images.join(u'\n')));
        // Wider than the page: made to fit it, its shape kept.
        QVERIFY2(sizes.at(1).width() <= pdfPages(pdf).first().size.width() - 2 * 42, qPrintable(images.join(u'\n')));
        QVERIFY(qAbs(sizes.at(1).width() / sizes.at(1).height() - 10) < 0.3);
    }

    // Long verdicts and names wrap inside the cover's table on either paper size, below the class
    // details; nothing runs past the margin or ends cut off. Every page is numbered and carries the
    // class, the test's date and the memo; the tests without a result are listed with why; the
    // copies' text reads back as typed.
    void packAsAModeratorReadsIt_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("A4") << QLocale(QLocale::English, QLocale::SouthAfrica);
        QTest::newRow("Letter") << QLocale(QLocale::English, QLocale::UnitedStates);
    }

    void packAsAModeratorReadsIt()
    {
        REQUIRE_POPPLER();
        QFETCH(QLocale, locale);
        QList<LearnerResult> results{
            // In a font that has ligatures for "fi", "ffi" and "fl" where it is installed.
            learner(u"Ann"_s,
                    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs20 \\pard The first office file "
                    "fluffed.\\par}"),
            learner(u"Cara"_s, {}, u"Not marked"_s),
            learner(u"Bongani"_s, {}, u"Too long or corrupt (larger than any ten-minute test)"_s),
            learner(u"Annemarie-Wilhelmina_van_der_Westhuizen_Smith"_s, {}, u"Result may not be reliable"_s),
        };
        for (const int rejected : {1, 2})
            results[rejected].current.finalResult.reset();
        results[1].current.remarks = u"the test could not be copied into the destination folder"_s;
        for (int i = 0; i < 30; ++i)
            results.append(learner(u"Learner %1"_s.arg(i, 2, 10, QChar(u'0')), {},
                                   i % 3 ? u"Successful"_s : u"Result may not be reliable"_s));
        const ClassDetails details{u"Bergsig High"_s, u"Mrs Jacobs"_s,
                                   u"Grade 11 B"_s,   u"Computer Applications Technology"_s,
                                   u"Speed test 3"_s, u"2026-03-14"_s};
        const QList<PdfPage> pages = pdfPages(packOf(results, details, locale));
        // The table goes on over the page, then the page of the tests without a result and Ann's copy.
        QVERIFY(pages.size() >= 4);
        const qreal margin = 15 / 25.4 * 72;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            const PdfPage &page = pages.at(i);
            for (const Word &word : page.words) {
                QVERIFY2(word.box.right() <= page.size.width() - margin + 0.5, qPrintable(word.text));
                QVERIFY2(word.box.bottom() <= page.size.height() - margin + 0.5, qPrintable(word.text));
            }
            const QString text = pageText(page);
            QVERIFY2(text.contains(u"Page %1 of %2"_s.arg(i + 1).arg(pages.size())), qPrintable(text));
            QVERIFY2(text.startsWith(
                         u"Grade 11 B · Computer Applications Technology · Speed test 3 · 2026-03-14 Memo: English"_s),
                     qPrintable(text));
            QVERIFY(!text.contains(u'\u2026'));
        }
        const QString cover = pageText(pages.first()) + u' ' + pageText(pages.at(1));
        for (const QString &expected :
             {u"School Bergsig High"_s, u"Teacher Mrs Jacobs"_s, u"Grade and class Grade 11 B"_s,
              u"Subject Computer Applications Technology"_s, u"Test Speed test 3"_s, u"Test date 2026-03-14"_s,
              u"Moderator Moderator's signature Date"_s, u"Final Change Verdict"_s, u"Result may not be reliable"_s})
            QVERIFY2(cover.contains(expected), qPrintable(cover));
        const QString unmarked = pageText(pages.at(pages.size() - 2));
        QVERIFY2(unmarked.contains(u"Tests not marked or rejected"_s), qPrintable(unmarked));
        QVERIFY(unmarked.contains(u"Too long or corrupt (larger than any ten-minute test)"_s));
        QVERIFY(unmarked.contains(
            u"Cara 2026-03-13 09:00 Not marked: the test could not be copied into the destination folder"_s));
        QVERIFY(!unmarked.contains(u"Ann 2026"_s));
        const QString copy = pageText(pages.last());
        QVERIFY2(copy.contains(u"The first office file fluffed."_s), qPrintable(copy));
    }

    void keepsClassDetails_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: none there
        QTest::addColumn<bool>("folder");     // a folder stands where the file would
        QTest::addColumn<QString>("school");
        QTest::addColumn<bool>("problem");

        QTest::newRow("none yet") << QByteArray() << false << QString() << false;
        QTest::newRow("as written") << QByteArray("{\"school\": \"Hoërskool Bergsig\", \"test\": \"Test 3\"}") << false
                                    << u"Hoërskool Bergsig"_s << false;
        QTest::newRow("lines and blanks made one line")
            << QByteArray("{\"school\": \"  North\\n  High \"}") << false << u"North High"_s << false;
        QTest::newRow("too long a value is cut") << "{\"school\": \"" + QByteArray(500, 'x') + "\"}" << false
                                                 << QString(MaxClassDetailLength, u'x') << false;
        QTest::newRow("damaged") << QByteArray("{\"school\": \"Nor") << false << QString() << true;
        QTest::newRow("not an object") << QByteArray("[\"school\"]") << false << QString() << true;
        QTest::newRow("a folder of that name") << QByteArray() << true << QString() << true;
        QTest::newRow("far too large") << "{\"school\": \"" + QByteArray(100000, 'x') + "\"}" << false << QString()
                                       << true;
    }

    void keepsClassDetails()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, folder);
        QFETCH(QString, school);
        QFETCH(bool, problem);
        QTemporaryDir dest;
        const QString path = classDetailsPath(dest.path());
        if (folder)
            QVERIFY(QDir().mkdir(path));
        if (!file.isEmpty())
            QVERIFY(writeFile(path, file));
        const ClassDetailsRead read = readClassDetails(dest.path());
        QCOMPARE(read.details.school, school);
        QCOMPARE(read.problem.isEmpty(), !problem);

        // Written back and read again, the details are the same; a folder is never replaced.
        ClassDetails details = read.details;
        details.teacher = u"Mr Ndlovu"_s;
        QCOMPARE(writeClassDetails(dest.path(), details).isEmpty(), !folder);
        if (!folder)
            QCOMPARE(readClassDetails(dest.path()).details, details);
        QCOMPARE(QFileInfo(path).isDir(), folder);
    }

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    static bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // A learner marked on 13 March 2026 at 09:00 local time; with a copy when rtf is given.
    LearnerResult learner(const QString &name, const QByteArray &rtf, const QString &verdict = u"Successful"_s)
    {
        LearnerResult result;
        result.current.learner = name;
        result.current.markedAt = QDateTime(QDate(2026, 3, 13), QTime(9, 0));
        result.current.memoLanguage = u"English"_s;
        result.current.finalResult = 35;
        if (const auto read = verdictFromRecord(verdict))
            std::tie(result.current.verdict, result.current.verdictDetail) = *read;
        if (!rtf.isEmpty()) {
            result.current.markedCopy = m_dir.filePath(u"copy%1.rug"_s.arg(++m_files));
            if (!writeFile(result.current.markedCopy, rtf))
                qWarning("the copy could not be written");
        }
        return result;
    }

    QString packOf(const QList<LearnerResult> &results, const ClassDetails &details = {},
                   const QLocale &locale = QLocale(QLocale::English, QLocale::SouthAfrica))
    {
        const QString path = m_dir.filePath(u"pack%1.pdf"_s.arg(++m_files));
        QPdfWriter writer(path);
        writer.setResolution(300);
        preparePackDevice(writer, locale);
        QStringList problems;
        const ClassPackContent content{u"Class"_s, results, classFigures(results), details};
        if (!paintClassPack(writer, content, problems) || !problems.isEmpty())
            qWarning("the pack could not be painted: %s", qPrintable(problems.join(u'\n')));
        return path;
    }

    static QString poppler(const char *tool, const QStringList &arguments)
    {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            qWarning("%s failed", tool);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    static QList<PdfPage> pdfPages(const QString &pdf)
    {
        const QString html = poppler("pdftotext", {u"-bbox"_s, pdf, u"-"_s});
        QList<PdfPage> pages;
        static const QRegularExpression tag(
            uR"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
        for (const QRegularExpressionMatch &m : tag.globalMatch(html)) {
            if (!m.captured(1).isEmpty()) {
                pages.append({{}, QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble())});
            } else if (!pages.isEmpty()) {
                const QRectF box(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                                 QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
                QString text = m.captured(7);
                text.replace(u"&amp;"_s, u"&"_s).replace(u"&quot;"_s, u"\""_s).replace(u"&apos;"_s, u"'"_s);
                text.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s);
                pages.last().words.append({text, box});
            }
        }
        return pages;
    }

    // The page's text line by line, each line's words left to right, whatever order the PDF
    // draws them in.
    static QString pageText(const PdfPage &page)
    {
        QList<Word> words = page.words;
        std::sort(words.begin(), words.end(), [](const Word &a, const Word &b) {
            return qAbs(a.box.top() - b.box.top()) > 2 ? a.box.top() < b.box.top() : a.box.left() < b.box.left();
        });
        QStringList texts;
        for (const Word &word : std::as_const(words))
            texts.append(word.text);
        return texts.join(u' ');
    }

    static Word find(const QList<PdfPage> &pages, const QString &text)
    {
        for (const PdfPage &page : pages)
            for (const Word &word : page.words)
                if (word.text == text)
                    return word;
        qWarning("\"%s\" is not in the pack", qPrintable(text));
        return {};
    }
};

QTEST_MAIN(ClassPackTest)
#include "tst_classpack.moc"
