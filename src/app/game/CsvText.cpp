#include "app/game/CsvText.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <csv.h>
#include <memory>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CsvText", text);
}

struct Reading
{
    const CsvText::RecordHandler& onRecord;
    QList<QByteArray> fields;
    int line = 1;
    QString stop;
};

void fieldEnded(void* data, size_t size, void* context)
{
    auto* reading = static_cast<Reading*>(context);
    reading->fields.append(QByteArray(static_cast<const char*>(data), qsizetype(size)));
}

void recordEnded(int, void* context)
{
    auto* reading = static_cast<Reading*>(context);
    if (reading->stop.isEmpty())
        reading->stop = reading->onRecord(reading->line, reading->fields);
    reading->fields.clear();
}

// Spreadsheets made for semicolons write them where others write commas: the
// first line with text tells.
unsigned char delimiterOf(QByteArrayView bytes)
{
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end;
        const QByteArrayView line = bytes.sliced(start, end - start).trimmed();
        if (!line.isEmpty())
            return line.contains(';') && !line.contains(',') ? ';' : ',';
        start = end + 1;
    }
    return ',';
}

QString parseError(int line)
{
    return tr("Line %1: a quotation mark out of place.").arg(line);
}

struct ParserFree
{
    void operator()(csv_parser* parser) const { csv_free(parser); }
};

} // namespace

namespace CsvText {

QString read(QByteArrayView bytes, const RecordHandler& onRecord)
{
    if (bytes.startsWith(byteOrderMark))
        bytes = bytes.sliced(3);
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        return tr("Out of memory.");
    const std::unique_ptr<csv_parser, ParserFree> freed(&parser);
    csv_set_delim(&parser, delimiterOf(bytes));
    Reading reading{onRecord, {}, 1, {}};
    // Line by line, so that a record is known by the line it ends on.
    for (qsizetype start = 0; start < bytes.size() && reading.stop.isEmpty(); ++reading.line) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        const QByteArrayView chunk = bytes.sliced(start, end - start);
        if (csv_parse(&parser, chunk.data(), size_t(chunk.size()), fieldEnded, recordEnded,
                      &reading) != size_t(chunk.size()))
            return parseError(reading.line);
        start = end;
    }
    if (!reading.stop.isEmpty())
        return reading.stop;
    reading.line = qMax(1, reading.line - 1);
    if (csv_fini(&parser, fieldEnded, recordEnded, &reading) != 0)
        return parseError(reading.line);
    return reading.stop;
}

QByteArray cell(const QString& text)
{
    const bool guard = !text.isEmpty() && QStringView(u"=+-@'").contains(text.front());
    const QByteArray raw = (guard ? u'\'' + text : text).toUtf8();
    QByteArray quoted(raw.size() * 2 + 2, Qt::Uninitialized);
    quoted.resize(qsizetype(
        csv_write(quoted.data(), size_t(quoted.size()), raw.constData(), size_t(raw.size()))));
    return quoted;
}

QString textOf(const QString& cellText)
{
    return cellText.startsWith(u'\'') ? cellText.mid(1) : cellText;
}

QByteArray line(const QList<QByteArray>& cells)
{
    return cells.join(',') + '\n';
}

std::optional<QString> utf8(const QByteArray& bytes)
{
    // A byte-order mark inside a field is a character of it; the file's own
    // is gone before the fields are read.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool hasControl(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace CsvText
