#pragma once

// Reads back talven-report's workbook as a spreadsheet would: the zip's parts
// through its central directory (stored or deflated, zlib), the sheets by
// name through the workbook's relations, each cell's value (shared string or
// number) and its style: number format, bold font, fill colour. Also each
// sheet's frozen rows, autofilter and column widths. Empty when the file is
// not a workbook this reader understands.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <QtEndian>

#include <zlib.h>

#include <optional>

struct XlsxCell {
    QString text;     // a string's text, or the number as written ("8.5", "-6")
    bool number = false;
    QString format;   // the number format's code, "General" for none
    bool bold = false;
    QString fill;     // "FFFFC7CE", empty without a fill
};

struct XlsxSheet {
    QMap<std::pair<int, int>, XlsxCell> cells;  // (row, column) from 0
    int frozenRows = 0;
    QString autofilter;   // "A1:O9"
    QList<double> widths;  // by column from 0; 0 where none is set
    int rowCount() const { return cells.isEmpty() ? 0 : cells.lastKey().first + 1; }
    XlsxCell cell(int row, int column) const { return cells.value({row, column}); }
};

namespace xlsx {

inline quint32 le32(const QByteArray &bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
inline quint16 le16(const QByteArray &bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }

// The archive's members by name, found through the end of central directory record.
inline QHash<QString, QByteArray> unzip(const QByteArray &zip)
{
    QHash<QString, QByteArray> parts;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > zip.size())
        return parts;
    qsizetype entry = le32(zip, end + 16);
    for (int i = 0, count = le16(zip, end + 10); i < count; ++i) {
        if (entry + 46 > zip.size() || le32(zip, entry) != 0x02014b50)
            return {};
        const int method = le16(zip, entry + 10);
        const quint32 packed = le32(zip, entry + 20), size = le32(zip, entry + 24);
        const int nameLength = le16(zip, entry + 28);
        const qsizetype local = le32(zip, entry + 42);
        const QString name = QString::fromUtf8(zip.mid(entry + 46, nameLength));
        entry += 46 + nameLength + le16(zip, entry + 30) + le16(zip, entry + 32);
        if (local + 30 > zip.size())
            return {};
        const QByteArray data = zip.mid(local + 30 + le16(zip, local + 26) + le16(zip, local + 28), packed);
        if (method == 0) {
            parts.insert(name, data);
            continue;
        }
        QByteArray out(size, Qt::Uninitialized);
        z_stream stream{};
        if (method != 8 || inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            return {};
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        stream.avail_in = uInt(data.size());
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = uInt(out.size());
        const int inflated = inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        if (inflated != Z_STREAM_END || stream.total_out != size)
            return {};
        parts.insert(name, out);
    }
    return parts;
}

// Every element's attributes with its path of names, in document order:
// enough for the few parts a workbook is made of.
struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;  // the text directly inside
};

inline QList<Element> elements(const QByteArray &xml)
{
    QList<Element> list;
    QList<qsizetype> open;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
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

inline QString attribute(const Element &element, const char *name)
{
    return element.attributes.value(QLatin1StringView(name)).toString();
}

// "BC12" -> (11, 54)
inline std::pair<int, int> cellPosition(const QString &reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i)
        column = column * 26 + (reference[i].unicode() - u'A' + 1);
    return {reference.mid(i).toInt() - 1, column - 1};
}

}  // namespace xlsx

// The workbook's sheets by name; nothing when the bytes are not one.
inline QMap<QString, XlsxSheet> readXlsxWorkbook(const QByteArray &bytes)
{
    using namespace xlsx;
    const QHash<QString, QByteArray> parts = unzip(bytes);
    if (parts.isEmpty())
        return {};

    QStringList strings;
    for (const Element &element : elements(parts.value(QStringLiteral("xl/sharedStrings.xml")))) {
        if (element.name == QLatin1String("si"))
            strings.append(QString());
        else if (element.name == QLatin1String("t") && !strings.isEmpty())
            strings.last() += element.text;
    }

    // Styles: the cell formats (xf) point at number formats, fonts and fills.
    QHash<int, QString> numberFormats{{0, QStringLiteral("General")}, {2, QStringLiteral("0.00")}};
    QList<bool> boldFonts;
    QStringList fills;
    QList<XlsxCell> cellFormats;
    QString section;
    for (const Element &element : elements(parts.value(QStringLiteral("xl/styles.xml")))) {
        if (element.name == QLatin1String("numFmt"))
            numberFormats.insert(attribute(element, "numFmtId").toInt(), attribute(element, "formatCode"));
        else if (element.name.endsWith(QLatin1String("s")))  // fonts, fills, cellXfs, cellStyleXfs...
            section = element.name;
        else if (element.name == QLatin1String("font") && section == QLatin1String("fonts"))
            boldFonts.append(false);
        else if (element.name == QLatin1String("b") && section == QLatin1String("fonts"))
            boldFonts.last() = true;
        else if (element.name == QLatin1String("fill"))
            fills.append(QString());
        else if (element.name == QLatin1String("fgColor") && section == QLatin1String("fills"))
            fills.last() = attribute(element, "rgb");
        else if (element.name == QLatin1String("xf") && section == QLatin1String("cellXfs"))
            cellFormats.append({{}, false, numberFormats.value(attribute(element, "numFmtId").toInt()),
                                boldFonts.value(attribute(element, "fontId").toInt()),
                                fills.value(attribute(element, "fillId").toInt())});
    }

    QHash<QString, QString> targets;  // relation id -> part
    for (const Element &element : elements(parts.value(QStringLiteral("xl/_rels/workbook.xml.rels"))))
        if (element.name == QLatin1String("Relationship"))
            targets.insert(attribute(element, "Id"), QStringLiteral("xl/") + attribute(element, "Target"));

    QMap<QString, XlsxSheet> sheets;
    for (const Element &listed : elements(parts.value(QStringLiteral("xl/workbook.xml")))) {
        if (listed.name != QLatin1String("sheet"))
            continue;
        XlsxSheet sheet;
        std::optional<std::pair<int, int>> at;
        for (const Element &element : elements(parts.value(targets.value(attribute(listed, "r:id"))))) {
            if (element.name == QLatin1String("pane") && attribute(element, "state") == QLatin1String("frozen")) {
                sheet.frozenRows = attribute(element, "ySplit").toInt();
            } else if (element.name == QLatin1String("autoFilter")) {
                sheet.autofilter = attribute(element, "ref");
            } else if (element.name == QLatin1String("col")) {
                for (int c = attribute(element, "min").toInt(); c <= attribute(element, "max").toInt(); ++c) {
                    sheet.widths.resize(std::max<qsizetype>(sheet.widths.size(), c));
                    sheet.widths[c - 1] = attribute(element, "width").toDouble();
                }
            } else if (element.name == QLatin1String("c")) {
                at = cellPosition(attribute(element, "r"));
                XlsxCell cell = cellFormats.value(attribute(element, "s").toInt());
                cell.number = attribute(element, "t").isEmpty();
                sheet.cells.insert(*at, cell);
            } else if (element.name == QLatin1String("v") && at) {
                XlsxCell &cell = sheet.cells[*at];
                cell.text = cell.number ? element.text : strings.value(element.text.toInt());
            }
        }
        sheets.insert(attribute(listed, "name"), sheet);
    }
    return sheets;
}
