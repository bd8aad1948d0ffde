#include "outcomejson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tallimark::cli {

using namespace Qt::StringLiterals;

namespace {

QString statusName(TestOutcome::Status status)
{
    switch (status) {
    case TestOutcome::Status::Marked:
        return u"marked"_s;
    case TestOutcome::Status::TooShort:
        return u"too short"_s;
    case TestOutcome::Status::TooLong:
        return u"too long"_s;
    case TestOutcome::Status::NotMarked:
        return u"not marked"_s;
    }
    return {};
}

QString highlightKindName(HighlightOperation::Kind kind)
{
    switch (kind) {
    case HighlightOperation::Kind::Error:
        return u"error"_s;
    case HighlightOperation::Kind::Repeat:
        return u"repeat"_s;
    case HighlightOperation::Kind::Excess:
        return u"excess"_s;
    }
    return {};
}

} // namespace

QByteArray outcomeJsonLine(const TestOutcome &outcome)
{
    QJsonObject object;
    object[u"path"_s] = outcome.path;
    object[u"status"_s] = statusName(outcome.status);
    if (outcome.status != TestOutcome::Status::Marked) {
        object[u"verdict"_s] = reportVerdict(outcome.verdict, outcome.verdictDetail);
        object[u"resultsLine"_s] = outcome.resultsLine;
        return QJsonDocument(object).toJson(QJsonDocument::Compact);
    }
    if (outcome.language)
        object[u"language"_s] = *outcome.language == MemoLanguage::English ? u"en"_s : u"af"_s;
    object[u"testText"_s] = outcome.testText;
    object[u"memoText"_s] = outcome.memoText;
    object[u"memoCutLength"_s] = outcome.memoCutLength;
    object[u"charCount"_s] = outcome.charCount;
    object[u"grossWords"_s] = outcome.grossWords;
    object[u"errorCount"_s] = outcome.errorCount;
    object[u"wpm"_s] = outcome.wpm;
    object[u"finalWpm"_s] = outcome.finalWpm;

    QJsonArray errors;
    for (const ErrorEntry &error : outcome.errors)
        errors.append(
            QJsonObject{{u"word"_s, error.word}, {u"start"_s, error.start + 1}, {u"kind"_s, int(error.kind)}});
    object[u"errors"_s] = errors;
    QJsonArray repeats;
    for (const RepeatEntry &repeat : outcome.repeats)
        repeats.append(QJsonObject{{u"word"_s, repeat.word}, {u"start"_s, repeat.start + 1}});
    object[u"repeats"_s] = repeats;
    object[u"excessWords"_s] = QJsonArray::fromStringList(outcome.excessWords);
    object[u"doubleCounted"_s] = outcome.doubleCounted;

    object[u"testLineFeeds"_s] = outcome.layout.testLineFeeds;
    object[u"memoLineFeeds"_s] = outcome.layout.memoLineFeeds;
    object[u"testStops"_s] = outcome.layout.testStops;
    object[u"memoStops"_s] = outcome.layout.memoStops;
    object[u"testCommas"_s] = outcome.layout.testCommas;
    object[u"memoCommas"_s] = outcome.layout.memoCommas;
    object[u"testMarks"_s] = outcome.layout.testMarks;
    object[u"memoMarks"_s] = outcome.layout.memoMarks;

    object[u"reportText"_s] = outcome.reportText;
    object[u"verdict"_s] = reportVerdict(outcome.verdict, outcome.verdictDetail);
    object[u"resultsLine"_s] = outcome.resultsLine;
    QJsonArray highlights;
    for (const HighlightOperation &operation : outcome.highlights)
        highlights.append(QJsonObject{{u"start0"_s, operation.start},
                                      {u"length"_s, operation.length},
                                      {u"kind"_s, highlightKindName(operation.kind)}});
    object[u"highlights"_s] = highlights;
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace tallimark::cli
