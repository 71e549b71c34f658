#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// CSV as spreadsheets read and write it, through libcsv: UTF-8, comma
// separated (semicolon when the first line has semicolons and no comma),
// fields quoted where needed, an optional byte-order mark.
namespace CsvText {

// Called with each record and the line it ends on; returns why the record is
// wrong, or nothing to read on.
using RecordHandler = std::function<QString(int line, const QList<QByteArray>& fields)>;

// Reads every record; blank lines are skipped. Returns what stopped it: a
// handler's answer, or a quote out of place; empty when all was read.
QString read(QByteArrayView bytes, const RecordHandler& onRecord);

// A text cell, quoted. Text a spreadsheet would take for a formula (=, +, -
// or @ first) gets a leading apostrophe, which spreadsheets show as text; so
// does text that begins with an apostrophe itself, so that textOf gives back
// exactly what was written.
QByteArray cell(const QString& text);
// The text of a cell cell() wrote: without its first apostrophe.
QString textOf(const QString& cellText);

// One record: cells joined with commas, ended with a line feed.
QByteArray line(const QList<QByteArray>& cells);

// Strict UTF-8, or nothing when the bytes are not.
std::optional<QString> utf8(const QByteArray& bytes);
// Holds a character no line of text should: a control character.
bool hasControl(const QString& text);

// Written at the start of every file, so spreadsheets read it as UTF-8.
inline constexpr char byteOrderMark[] = "\xEF\xBB\xBF";

} // namespace CsvText
