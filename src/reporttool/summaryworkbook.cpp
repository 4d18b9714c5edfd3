#include "reporttool/summaryworkbook.h"

#include "report/outputfile.h"
#include "reporttool/reportpdf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

#include <algorithm>

namespace talven {

namespace {

// Excel's own "bad" cell: dark red text on light red.
constexpr lxw_color_t NgFill = 0xFFC7CE;
constexpr lxw_color_t NgText = 0x9C0006;
constexpr double WidestColumn = 60.0;

// A file name as the library hands it to the C runtime: the local 8-bit
// form on Unix, UTF-8 on Windows, where the library widens it itself.
QByteArray libraryPath(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

// A column's width counts digits of the default font; a Japanese character
// (and any other that the font lacks and a wide font draws) takes two.
double textWidth(const QString &text)
{
    double width = 0.0;
    for (const char32_t c : text.toUcs4()) {
        const bool halfWidthForm = c >= 0xFF61 && c <= 0xFFEE;
        width += c >= 0x2000 && !halfWidthForm ? 2.0 : 1.0;
    }
    return width;
}

struct Formats {
    lxw_format *header;
    lxw_format *number;
    lxw_format *ng;
};

Formats addFormats(lxw_workbook *book)
{
    Formats formats{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book)};
    format_set_bold(formats.header);
    format_set_num_format(formats.number, "0.00");
    format_set_pattern(formats.ng, LXW_PATTERN_SOLID);
    format_set_bg_color(formats.ng, NgFill);
    format_set_font_color(formats.ng, NgText);
    return formats;
}

// One cell by its column's kind; an empty text stays an empty cell. A figure
// that does not read as a number is kept as its text rather than lost.
lxw_error writeCell(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t column, CellKind kind, const QString &text,
                    const Formats &formats)
{
    if (text.isEmpty())
        return LXW_NO_ERROR;
    const QByteArray utf8 = text.toUtf8();
    switch (kind) {
    case CellKind::Number: {
        bool isNumber = false;
        const double value = text.toDouble(&isNumber);
        if (isNumber)
            return worksheet_write_number(sheet, row, column, value, formats.number);
        break;
    }
    case CellKind::Verdict:
        return worksheet_write_string(sheet, row, column, utf8.constData(),
                                      text == QStringLiteral("NG") ? formats.ng : nullptr);
    case CellKind::Text:
        break;
    }
    return worksheet_write_string(sheet, row, column, utf8.constData(), nullptr);
}

bool writeSheet(lxw_workbook *book, const TableSheet &table, const Formats &formats)
{
    lxw_worksheet *sheet = workbook_add_worksheet(book, table.name.toUtf8().constData());
    if (!sheet)
        return false;
    bool written = true;
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const TableColumn &column = table.columns[c];
        const QByteArray title = column.title.toUtf8();
        written = worksheet_write_string(sheet, 0, lxw_col_t(c), title.constData(), formats.header) == LXW_NO_ERROR
                  && written;
        // The header is bold and carries the filter's button.
        double width = textWidth(column.title) + 3.0;
        for (qsizetype r = 0; r < table.rows.size(); ++r) {
            const QString text = table.rows[r].value(c);
            written = writeCell(sheet, lxw_row_t(r + 1), lxw_col_t(c), column.kind, text, formats) == LXW_NO_ERROR
                      && written;
            width = std::max(width, textWidth(text) + 1.0);
        }
        written = worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(width, WidestColumn), nullptr)
                      == LXW_NO_ERROR
                  && written;
    }
    worksheet_freeze_panes(sheet, 1, 0);
    const auto lastColumn = lxw_col_t(std::max<qsizetype>(table.columns.size() - 1, 0));
    return worksheet_autofilter(sheet, 0, 0, lxw_row_t(table.rows.size()), lastColumn) == LXW_NO_ERROR && written;
}

// The workbook written to the file `path` (the output's temporary file); the
// library keeps its own temporary parts in the same folder, so that nothing
// lands in a folder other users share.
bool writeWorkbookFile(const QString &path, const QList<TableSheet> &sheets)
{
    const QByteArray name = libraryPath(path);
    QByteArray folder = libraryPath(QFileInfo(path).absolutePath());
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    lxw_workbook *book = workbook_new_opt(name.constData(), &options);
    if (!book)
        return false;
    const Formats formats = addFormats(book);
    bool written = true;
    for (const TableSheet &sheet : sheets)
        written = writeSheet(book, sheet, formats) && written;
    // Closing writes the file and frees the workbook, also after a failure.
    return workbook_close(book) == LXW_NO_ERROR && written;
}

}  // namespace

QString workbookWhat()
{
    return QStringLiteral("Excel ファイル");
}

std::optional<QString> writeWorkbook(const QString &path, const QList<TableSheet> &sheets,
                                     const QStringList &studies)
{
    if (const std::optional<QString> refused = outputRefusal(studies, path, workbookWhat()))
        return refused;
    // The library opens the temporary file again by its name.
    OutputFile file(path);
    const bool opened = file.open();
    file.file().close();
    if (opened && writeWorkbookFile(file.file().fileName(), sheets) && file.commit())
        return std::nullopt;
    return notWrittenMessage(path, workbookWhat());
}

}  // namespace talven
