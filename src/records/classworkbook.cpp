#include "classworkbook.h"

#ifdef TALLIMARK_XLSX

#include "classrecordcolumns.h"
#include "marking/outputfile.h"

#include "documents/platformfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>

namespace tallimark {

using namespace Qt::StringLiterals;
using namespace recordcolumns;

namespace {

// Excel holds at most this many characters in a cell.
constexpr qsizetype MaxCellText = 32767;
// A width for the longest text, in characters: enough for a date, never a whole screen.
constexpr double MinimumWidth = 8;
constexpr double MaximumWidth = 60;

class Sheet
{
public:
    Sheet(lxw_workbook *book, const char *name) : m_sheet(workbook_add_worksheet(book, name))
    {
        if (!m_sheet)
            m_error = LXW_ERROR_MEMORY_MALLOC_FAILED;
    }

    void text(int row, int column, const QString &value, lxw_format *format = nullptr)
    {
        if (!m_sheet)
            return;
        const QByteArray utf8 = value.left(MaxCellText).toUtf8();
        note(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), utf8.constData(), format));
        fit(column, value.size());
    }

    void number(int row, int column, double value, qsizetype shownLength)
    {
        if (!m_sheet)
            return;
        note(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value, nullptr));
        fit(column, shownLength);
    }

    void dateTime(int row, int column, const QDateTime &time, lxw_format *format)
    {
        if (!m_sheet)
            return;
        const QDateTime local = time.toLocalTime();
        lxw_datetime cell{local.date().year(), local.date().month(),  local.date().day(),
                          local.time().hour(), local.time().minute(), double(local.time().second())};
        note(worksheet_write_datetime(m_sheet, lxw_row_t(row), lxw_col_t(column), &cell, format));
        fit(column, 19);
    }

    // The header stays in view while the rows scroll; each column as wide as its longest text.
    void finish()
    {
        if (!m_sheet)
            return;
        worksheet_freeze_panes(m_sheet, 1, 0);
        for (qsizetype c = 0; c < m_widths.size(); ++c)
            note(worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c),
                                      std::clamp(double(m_widths.at(c)) + 2, MinimumWidth, MaximumWidth), nullptr));
    }

    lxw_error error() const { return m_error; }

private:
    void note(lxw_error error)
    {
        if (m_error == LXW_NO_ERROR)
            m_error = error;
    }

    void fit(int column, qsizetype length)
    {
        if (m_widths.size() <= column)
            m_widths.resize(column + 1, 0);
        m_widths[column] = std::max(m_widths.at(column), length);
    }

    lxw_worksheet *m_sheet;
    QList<qsizetype> m_widths;
    lxw_error m_error = LXW_NO_ERROR;
};

void writeRows(Sheet &sheet, const QList<ClassRecordRow> &rows, lxw_format *header, lxw_format *dateTime)
{
    for (int c = 0; c < ColumnCount; ++c)
        sheet.text(0, c, columns().at(c).name, header);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            const RecordColumn &column = columns().at(c);
            const QVariant value = column.value(rows.at(r));
            const int row = int(r) + 1;
            if (!value.isValid())
                continue; // left empty, so that spreadsheet averages leave it out
            if (column.kind == Kind::Count || column.kind == Kind::Number)
                sheet.number(row, c, value.toDouble(), cellText(column.kind, value).size());
            else if (column.kind == Kind::DateTime && value.toDateTime().isValid())
                sheet.dateTime(row, c, value.toDateTime(), dateTime);
            else
                sheet.text(row, c, cellText(column.kind, value));
        }
    }
}

void writeFigures(Sheet &sheet, const ClassFigures &figures, lxw_format *header)
{
    sheet.text(0, 0, u"Figure"_s, header);
    sheet.text(0, 1, u"Value"_s, header);
    int row = 1;
    for (const FigureValue &figure : figureValues(figures)) {
        sheet.text(row, 0, figure.isCount ? figure.label : figure.label + u" (wpm)"_s);
        if (figure.value)
            sheet.number(row, 1, *figure.value, 8);
        ++row;
    }
}

// Writes the workbook at the scratch path; empty on success, else the reason.
QString buildWorkbook(const QByteArray &built, const QByteArray &scratchFolder, const QList<ClassRecordRow> &rows,
                      const ClassFigures &figures)
{
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char *>(scratchFolder.constData());
    lxw_workbook *book = workbook_new_opt(built.constData(), &options);
    if (!book)
        return u"the workbook could not be started"_s;

    lxw_format *header = workbook_add_format(book);
    format_set_bold(header);
    lxw_format *dateTime = workbook_add_format(book);
    format_set_num_format(dateTime, "yyyy-mm-dd hh:mm:ss");
    Sheet results(book, "Class results");
    writeRows(results, rows, header, dateTime);
    results.finish();
    Sheet figureSheet(book, "Class figures");
    writeFigures(figureSheet, figures, header);
    figureSheet.finish();

    const lxw_error closed = workbook_close(book); // frees the book, whatever it returns
    for (const lxw_error error : {results.error(), figureSheet.error(), closed})
        if (error != LXW_NO_ERROR)
            return QString::fromUtf8(lxw_strerror(error));
    return {};
}

} // namespace

bool canWriteWorkbooks()
{
    return true;
}

QString writeClassWorkbook(const QString &path, const QList<ClassRecordRow> &rows, const ClassFigures &figures)
{
    if (QString refusal = outputRefusal(path); !refusal.isEmpty())
        return refusal;
    // libxlsxwriter writes only to a named file: it writes into a folder of its own, and the bytes
    // then replace the target whole, as every other output does.
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return path + u": no temporary folder: "_s + scratch.errorString();
    const QByteArray scratchFolder = QFile::encodeName(scratch.path());
    const QByteArray built = QFile::encodeName(scratch.filePath(u"class.xlsx"_s));
    QString failure;
    // libxlsxwriter prints numbers with printf, which under af_ZA would write "54,4" into the XML.
    platform::withCNumbers([&] { failure = buildWorkbook(built, scratchFolder, rows, figures); });
    if (!failure.isEmpty())
        return path + u": "_s + failure;
    QFile file(QFile::decodeName(built));
    if (!file.open(QIODevice::ReadOnly))
        return path + u": "_s + file.errorString();
    return writeOutputFile(path, file.readAll());
}

} // namespace tallimark

#else

namespace tallimark {

using namespace Qt::StringLiterals;

bool canWriteWorkbooks()
{
    return false;
}

QString writeClassWorkbook(const QString &path, const QList<ClassRecordRow> &, const ClassFigures &)
{
    return path + u": this build of Tallimark cannot write Excel workbooks (it was built without libxlsxwriter)"_s;
}

} // namespace tallimark

#endif
