#pragma once

// Reads back talven-report's workbook as a spreadsheet would: the zip's parts
// through its central directory (inflated with zlib), the sheets by name
// through the workbook's relations, each cell's value with its number format,
// bold font, fill and alignment, each sheet's frozen rows, autofilter, column
// widths and folds, row heights and page setup.
// Empty when the bytes are not a workbook this reader understands.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>
#include <QtEndian>

#include <zlib.h>

struct XlsxCell {
    QString text;  // a string, or a number as written ("8.5")
    bool number = false;
    QString format;  // the number format's code
    bool bold = false;
    QString fill;  // "FFFFC7CE"; empty without one
    QString align = {};  // "center"; empty for the kind's own
    bool wraps = false;
};

struct XlsxSheet {
    QMap<std::pair<int, int>, XlsxCell> cells;  // by (row, column) from 0
    int frozenRows = 0;
    QString autofilter;
    QHash<int, double> widths;  // by column from 0
    QList<int> folded;          // the columns hidden under an outline's "+"
    QHash<int, double> heights;  // by row from 0, where given
    // "pageSetup.orientation" and the like, "oddHeader", "Print_Titles", "colBreaks" ("14 35")
    QMap<QString, QString> print;
    int rowCount() const { return cells.isEmpty() ? 0 : cells.lastKey().first + 1; }
    XlsxCell cell(int row, int column) const { return cells.value({row, column}); }
};

namespace xlsx {

inline QHash<QString, QByteArray> unzip(const QByteArray &zip)
{
    const auto u16 = [&](qsizetype at) { return at + 2 <= zip.size() ? qFromLittleEndian<quint16>(zip.data() + at) : 0; };
    const auto u32 = [&](qsizetype at) { return at + 4 <= zip.size() ? qFromLittleEndian<quint32>(zip.data() + at) : 0; };
    QHash<QString, QByteArray> parts;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    qsizetype entry = end < 0 ? zip.size() : u32(end + 16);
    for (int i = 0, count = end < 0 ? 0 : u16(end + 10); i < count; ++i) {
        const qsizetype local = u32(entry + 42);
        QByteArray data = zip.mid(local + 30 + u16(local + 26) + u16(local + 28), u32(entry + 20));
        QByteArray out(u32(entry + 24), Qt::Uninitialized);
        z_stream stream{};
        stream.next_in = reinterpret_cast<Bytef *>(data.data());
        stream.avail_in = uInt(data.size());
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = uInt(out.size());
        if (u16(entry + 10) == 8 && inflateInit2(&stream, -MAX_WBITS) == Z_OK) {
            const bool whole = inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.total_out == uLong(out.size());
            inflateEnd(&stream);
            data = whole ? out : QByteArray();
        }
        parts.insert(QString::fromUtf8(zip.mid(entry + 46, u16(entry + 28))), data);
        entry += 46 + u16(entry + 28) + u16(entry + 30) + u16(entry + 32);
    }
    return parts;
}

// Every element in document order: its name, attributes and its own text.
struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    QString operator[](const char *attribute) const { return attributes.value(QLatin1StringView(attribute)).toString(); }
};

inline QList<Element> elements(const QByteArray &xml)
{
    QList<Element> list;
    QList<qsizetype> open;
    QXmlStreamReader reader(xml);
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        if (reader.isStartElement()) {
            open.append(list.size());
            list.append({reader.name().toString(), reader.attributes(), {}});
        } else if (reader.isEndElement()) {
            open.removeLast();
        } else if (reader.isCharacters() && !open.isEmpty()) {
            list[open.last()].text += reader.text();
        }
    }
    return reader.hasError() ? QList<Element>() : list;
}

}  // namespace xlsx

inline QMap<QString, XlsxSheet> readXlsxWorkbook(const QByteArray &bytes)
{
    using namespace xlsx;
    const QHash<QString, QByteArray> parts = unzip(bytes);
    QStringList strings;
    for (const Element &e : elements(parts.value(QStringLiteral("xl/sharedStrings.xml")))) {
        if (e.name == u"si")
            strings.append(QString());
        else if (e.name == u"t" && !strings.isEmpty())
            strings.last() += e.text;
    }
    // A cell's style is an xf of cellXfs, which names a number format, a font and a fill.
    QHash<QString, QString> numberFormats{{QStringLiteral("0"), QStringLiteral("General")}};
    QList<bool> bold;
    QStringList fills;
    QList<XlsxCell> styles;
    QString list;
    for (const Element &e : elements(parts.value(QStringLiteral("xl/styles.xml")))) {
        if (e.name.endsWith(u's'))
            list = e.name;
        else if (e.name == u"numFmt")
            numberFormats.insert(e["numFmtId"], e["formatCode"]);
        else if (e.name == u"font")
            bold.append(false);
        else if (e.name == u"b" && list == u"fonts")
            bold.last() = true;
        else if (e.name == u"fill")
            fills.append(QString());
        else if (e.name == u"fgColor" && list == u"fills")
            fills.last() = e["rgb"];
        else if (e.name == u"xf" && list == u"cellXfs")
            styles.append({{}, false, numberFormats.value(e["numFmtId"]), bold.value(e["fontId"].toInt()),
                           fills.value(e["fillId"].toInt())});
        else if (e.name == u"alignment" && list == u"cellXfs" && !styles.isEmpty()) {
            styles.last().align = e["horizontal"];
            styles.last().wraps = e["wrapText"] == u"1";
        }
    }
    QHash<QString, QString> targets;
    for (const Element &e : elements(parts.value(QStringLiteral("xl/_rels/workbook.xml.rels"))))
        targets.insert(e["Id"], QStringLiteral("xl/") + e["Target"]);

    QMap<QString, XlsxSheet> sheets;
    QStringList order;  // the sheets' names by their index
    for (const Element &listed : elements(parts.value(QStringLiteral("xl/workbook.xml")))) {
        if (listed.name == u"definedName" && listed["name"] == u"_xlnm.Print_Titles")
            sheets[order.value(listed["localSheetId"].toInt())].print.insert(QStringLiteral("Print_Titles"), listed.text);
        if (listed.name != u"sheet")
            continue;
        order.append(listed["name"]);
        XlsxSheet &sheet = sheets[listed["name"]];
        std::pair<int, int> at{-1, -1};
        QString breaks;
        for (const Element &e : elements(parts.value(targets.value(listed["r:id"])))) {
            if (e.name == u"pane" && e["state"] == u"frozen") {
                sheet.frozenRows = e["ySplit"].toInt();
            } else if (e.name == u"autoFilter") {
                sheet.autofilter = e["ref"];
            } else if (e.name == u"pageSetup" || e.name == u"pageSetUpPr" || e.name == u"printOptions") {
                for (const QXmlStreamAttribute &attribute : e.attributes)
                    sheet.print.insert(e.name + u'.' + attribute.name().toString(), attribute.value().toString());
            } else if (e.name == u"oddHeader" || e.name == u"oddFooter") {
                sheet.print.insert(e.name, e.text);
            } else if (e.name == u"colBreaks" || e.name == u"rowBreaks") {
                breaks = e.name;
            } else if (e.name == u"brk") {
                QString &listed = sheet.print[breaks];
                listed += (listed.isEmpty() ? QString() : QStringLiteral(" ")) + e["id"];
            } else if (e.name == u"row" && !e["ht"].isEmpty()) {
                sheet.heights.insert(e["r"].toInt() - 1, e["ht"].toDouble());
            } else if (e.name == u"col") {
                for (int c = e["min"].toInt(); c <= e["max"].toInt(); ++c) {
                    sheet.widths.insert(c - 1, e["width"].toDouble());
                    if (e["hidden"] == u"1" && e["outlineLevel"] == u"1")
                        sheet.folded.append(c - 1);
                }
            } else if (e.name == u"c") {
                // "BC12": column 54, row 12, from 1.
                const QString reference = e["r"];
                const qsizetype digits = reference.indexOf(QRegularExpression(QStringLiteral("\\d")));
                int column = 0;
                for (const QChar letter : reference.left(digits))
                    column = column * 26 + letter.unicode() - u'A' + 1;
                at = {reference.mid(digits).toInt() - 1, column - 1};
                XlsxCell cell = styles.value(e["s"].toInt());
                cell.number = e["t"].isEmpty();
                sheet.cells.insert(at, cell);
            } else if (e.name == u"v" && sheet.cells.contains(at)) {
                XlsxCell &cell = sheet.cells[at];
                cell.text = cell.number ? e.text : strings.value(e.text.toInt());
            }
        }
    }
    return sheets;
}
