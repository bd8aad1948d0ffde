#include "classrecordcolumns.h"

#include "marking/numbertext.h"

#include <QDir>

#include <tuple>
#include <type_traits>

namespace tallimark::recordcolumns {

using namespace Qt::StringLiterals;

namespace {

// A number in [-limit, limit]; NaN fails both comparisons, inf and 1e308 are beyond the limit.
template <typename T> std::optional<QVariant> readNumber(const QString &text, T limit)
{
    bool ok = false;
    T value{};
    if constexpr (std::is_same_v<T, double>)
        value = text.toDouble(&ok);
    else
        value = text.toLongLong(&ok);
    if (!ok || !(value >= -limit && value <= limit))
        return std::nullopt;
    return QVariant::fromValue(value);
}

// Each column's accessors, instantiated per member so that the table holds plain functions.
template <QString ClassRecordRow::*member> QVariant textOf(const ClassRecordRow &row)
{
    return (row.*member).isEmpty() ? QVariant() : QVariant(row.*member);
}

template <QString ClassRecordRow::*member> void setText(ClassRecordRow &row, const QVariant &value)
{
    row.*member = value.toString();
}

template <typename T, std::optional<T> ClassRecordRow::*member> QVariant numberOf(const ClassRecordRow &row)
{
    return row.*member ? QVariant::fromValue(*(row.*member)) : QVariant();
}

template <typename T, std::optional<T> ClassRecordRow::*member>
void setNumber(ClassRecordRow &row, const QVariant &value)
{
    row.*member = value.isValid() ? std::optional<T>(value.value<T>()) : std::nullopt;
}

QVariant markedAtOf(const ClassRecordRow &row)
{
    return row.markedAt.isValid() ? QVariant(row.markedAt) : QVariant();
}

void setMarkedAt(ClassRecordRow &row, const QVariant &value)
{
    row.markedAt = value.toDateTime();
}

QVariant roundingOf(const ClassRecordRow &row)
{
    return row.rounding ? QVariant(roundingName(*row.rounding)) : QVariant();
}

// A name that is no rounding leaves the row without one; the reader says so.
void setRounding(ClassRecordRow &row, const QVariant &value)
{
    row.rounding = roundingFromName(value.toString());
}

QVariant verdictOf(const ClassRecordRow &row)
{
    return row.verdict ? QVariant(row.verdictText()) : QVariant();
}

// Words that are no verdict leave the row without one; the reader says so.
void setVerdict(ClassRecordRow &row, const QVariant &value)
{
    row.verdict.reset();
    row.verdictDetail.clear();
    if (const auto verdict = verdictFromRecord(value.toString()))
        std::tie(row.verdict, row.verdictDetail) = *verdict;
}

} // namespace

const std::array<RecordColumn, ColumnCount> &columns()
{
    static const std::array<RecordColumn, ColumnCount> table{{
        {u"Marked at"_s, Kind::DateTime, markedAtOf, setMarkedAt},
        {u"Learner"_s, Kind::Text, textOf<&ClassRecordRow::learner>, setText<&ClassRecordRow::learner>},
        {u"Source"_s, Kind::Path, textOf<&ClassRecordRow::sourcePath>, setText<&ClassRecordRow::sourcePath>},
        {u"Marked copy"_s, Kind::Path, textOf<&ClassRecordRow::markedCopy>, setText<&ClassRecordRow::markedCopy>},
        {u"Memo language"_s, Kind::Text, textOf<&ClassRecordRow::memoLanguage>, setText<&ClassRecordRow::memoLanguage>},
        {u"Keystrokes"_s, Kind::Count, numberOf<qint64, &ClassRecordRow::keystrokes>,
         setNumber<qint64, &ClassRecordRow::keystrokes>},
        {u"Gross words"_s, Kind::Count, numberOf<qint64, &ClassRecordRow::grossWords>,
         setNumber<qint64, &ClassRecordRow::grossWords>},
        {u"Words with errors"_s, Kind::Count, numberOf<qint64, &ClassRecordRow::wordsWithErrors>,
         setNumber<qint64, &ClassRecordRow::wordsWithErrors>},
        {u"WPM"_s, Kind::Number, numberOf<double, &ClassRecordRow::wpm>, setNumber<double, &ClassRecordRow::wpm>},
        {u"Final result"_s, Kind::Number, numberOf<double, &ClassRecordRow::finalResult>,
         setNumber<double, &ClassRecordRow::finalResult>},
        {u"Rounding"_s, Kind::Text, roundingOf, setRounding},
        {u"Verdict"_s, Kind::Text, verdictOf, setVerdict},
        {u"Remarks"_s, Kind::Text, textOf<&ClassRecordRow::remarks>, setText<&ClassRecordRow::remarks>},
    }};
    return table;
}

QStringList headerNames()
{
    QStringList names;
    for (const RecordColumn &column : columns())
        names.append(column.name);
    return names;
}

QString cellText(Kind kind, const QVariant &value)
{
    if (!value.isValid())
        return {};
    switch (kind) {
    case Kind::Text:
        return value.toString();
    case Kind::Path:
        return QDir::toNativeSeparators(value.toString());
    case Kind::DateTime:
        return recordTimeText(value.toDateTime());
    case Kind::Count:
        return QString::number(value.toLongLong());
    case Kind::Number:
        // Plain C-locale numbers: a spreadsheet reads them whatever the teacher's locale.
        return numberText(value.toDouble(), u"."_s);
    }
    return {};
}

std::optional<QVariant> cellValue(Kind kind, const QString &text)
{
    if (text.isEmpty())
        return QVariant();
    switch (kind) {
    case Kind::Text:
        return QVariant(text);
    case Kind::Path:
        return QVariant(QDir::fromNativeSeparators(text)); // written with backslashes on Windows
    case Kind::DateTime:
        // With an offset, or in UTC with a "Z" as records written before offsets were kept.
        return QVariant(QDateTime::fromString(text, Qt::ISODate));
    case Kind::Count:
        return readNumber(text, CountLimit);
    case Kind::Number:
        return readNumber(text, ResultLimit);
    }
    return std::nullopt;
}

qint64 limitOf(Kind kind)
{
    return kind == Kind::Count ? CountLimit : qint64(ResultLimit);
}

} // namespace tallimark::recordcolumns
