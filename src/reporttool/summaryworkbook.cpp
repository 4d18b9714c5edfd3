#include "reporttool/summaryworkbook.h"

#include "files/controlcharacters.h"
#include "files/safefile.h"
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
// Excel's longest cell text; the library refuses a longer one, and with it
// the whole workbook.
constexpr qsizetype LongestCell = 32767;
// Excel's longest page header or footer, codes included.
constexpr qsizetype LongestHeaderFooter = 255;
constexpr uint8_t PaperA4 = 9;

// `text` cut to `length` characters, the last one "…", a pair never split.
QString cutToLength(const QString &text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    const qsizetype kept = length - 1;
    return text.left(text.at(kept - 1).isHighSurrogate() ? kept - 1 : kept) + u'…';
}

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

// The first error of a run of library calls, the one that names the cause.
class FirstError {
public:
    void operator<<(lxw_error error)
    {
        if (error_ == LXW_NO_ERROR)
            error_ = error;
    }
    lxw_error error() const { return error_; }

private:
    lxw_error error_ = LXW_NO_ERROR;
};

// A text as a page header or footer shows it: "&" starts a code there, so it
// is doubled; a control character would break the sheet's XML.
QString headerFooterText(const QString &text)
{
    return escapeControlCharacters(text).replace(u'&', QStringLiteral("&&"));
}

lxw_error setUpPrinting(lxw_worksheet *sheet, const SheetPrint &print)
{
    worksheet_set_paper(sheet, PaperA4);
    worksheet_set_landscape(sheet);
    worksheet_fit_to_pages(sheet, 1, 0);
    worksheet_center_horizontally(sheet);
    FirstError first;
    first << worksheet_repeat_rows(sheet, 0, 0);
    first << worksheet_set_header(sheet, pageHeader(print).toUtf8().constData());
    first << worksheet_set_footer(sheet, "&C&P / &N");
    return first.error();
}

lxw_error writeSheet(lxw_workbook *book, const TableSheet &table, const Formats &formats)
{
    lxw_worksheet *sheet = workbook_add_worksheet(book, table.name.toUtf8().constData());
    if (!sheet)
        return LXW_ERROR_PARAMETER_VALIDATION;
    FirstError first;
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const TableColumn &column = table.columns[c];
        const QByteArray title = column.title.toUtf8();
        first << worksheet_write_string(sheet, 0, lxw_col_t(c), title.constData(), formats.header);
        // The header is bold and carries the filter's button.
        double width = textWidth(column.title) + 3.0;
        for (qsizetype r = 0; r < table.rows.size(); ++r) {
            const QString text = table.rows[r].value(c);
            first << writeCell(sheet, lxw_row_t(r + 1), lxw_col_t(c), column.kind, text, formats);
            width = std::max(width, textWidth(text) + 1.0);
        }
        first << worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(width, WidestColumn), nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    const auto lastColumn = lxw_col_t(std::max<qsizetype>(table.columns.size() - 1, 0));
    first << worksheet_autofilter(sheet, 0, 0, lxw_row_t(table.rows.size()), lastColumn);
    if (table.print)
        first << setUpPrinting(sheet, *table.print);
    return first.error();
}

// The workbook written to the file `path` (the output's temporary file); the
// library keeps its own temporary parts in the same folder, so that nothing
// lands in a folder other users share. The first error met.
lxw_error writeWorkbookFile(const QString &path, const QList<TableSheet> &sheets)
{
    const QByteArray name = libraryPath(path);
    QByteArray folder = libraryPath(QFileInfo(path).absolutePath());
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    lxw_workbook *book = workbook_new_opt(name.constData(), &options);
    if (!book)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    const Formats formats = addFormats(book);
    FirstError first;
    for (const TableSheet &sheet : sheets)
        first << writeSheet(book, sheet, formats);
    // Closing writes the file and frees the workbook, also after a failure.
    first << workbook_close(book);
    return first.error();
}

// Why the library did not write the workbook, for the message.
QString libraryProblem(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("メモリーが足りません");
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("作業用のファイルを作れないか読めません");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("ファイルを書き込めません（ディスクが一杯など）");
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return QStringLiteral("行が Excel のシートの上限（1,048,576 行）を超えます");
    default:
        // The library's own words: a cause this program does not expect.
        return QStringLiteral("libxlsxwriter: ") + QString::fromUtf8(lxw_strerror(error));
    }
}

}  // namespace

void fitToWorkbook(QList<QStringList> &summaryRows, QStringList &inputRow)
{
    bool cut = false;
    const auto fit = [&cut](QString &text) {
        if (text.size() > LongestCell) {
            text = cutToLength(text, LongestCell);
            cut = true;
        }
    };
    for (QStringList &row : summaryRows)
        std::for_each(row.begin(), row.end(), fit);
    std::for_each(inputRow.begin(), inputRow.end(), fit);
    if (!cut)
        return;
    const QString note = QStringLiteral("　警告: 32,767 文字を超える欄は、Excel ファイルでは「…」で切りました。");
    const qsizetype status = summaryStatusColumn();
    for (QStringList &row : summaryRows) {
        if (status < row.size())
            row[status] = cutToLength(row[status], LongestCell - note.size()) + note;
    }
}

QString pageHeader(const SheetPrint &print)
{
    const QString date = QStringLiteral("&R") + headerFooterText(print.date);
    QString job = headerFooterText(print.job);
    const qsizetype room = LongestHeaderFooter - date.size() - 2;
    if (job.size() > room) {
        job = cutToLength(job, room).chopped(1);
        // An "&" left alone at the cut would start a code with the "…".
        qsizetype ampersands = 0;
        while (ampersands < job.size() && job[job.size() - 1 - ampersands] == u'&')
            ++ampersands;
        job.chop(ampersands % 2);
        job += u'…';
    }
    return (job.isEmpty() ? QString() : QStringLiteral("&L") + job) + date;
}

QString workbookWhat()
{
    return QStringLiteral("Excel ファイル");
}

std::optional<QString> writeWorkbook(const QString &path, const QList<TableSheet> &sheets,
                                     const QStringList &studies)
{
    if (const std::optional<QString> refused = outputRefusal(studies, path, workbookWhat()))
        return refused;
    SafeFile file(outputFinalPath(path));
    if (const std::optional<WriteFailure> failed = file.open()) {
        return notWrittenMessage(path, workbookWhat(),
                                 failed == WriteFailure::ReadOnly
                                     ? QStringLiteral("ファイルに書き込みが許されていません")
                                     : QStringLiteral("同じフォルダーに一時ファイルを作れません（フォルダーが"
                                                      "ないか、書き込みが許されていません）"));
    }
    // The library opens the temporary file again by its name.
    file.file().close();
    if (const lxw_error error = writeWorkbookFile(file.file().fileName(), sheets); error != LXW_NO_ERROR)
        return notWrittenMessage(path, workbookWhat(), libraryProblem(error));
    if (file.commit().has_value())
        return notWrittenMessage(path, workbookWhat(),
                                 QStringLiteral("ディスクに書き終えられません（ディスクが一杯など）"));
    return std::nullopt;
}

}  // namespace talven
