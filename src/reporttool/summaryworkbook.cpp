#include "reporttool/summaryworkbook.h"

#include "files/controlcharacters.h"
#include "files/safefile.h"
#include "reporttool/reportpdf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

#include <algorithm>
#include <numeric>
#include <utility>

namespace talven {

namespace {

// Excel's own "bad" cell: dark red text on light red.
constexpr lxw_color_t NgFill = 0xFFC7CE;
constexpr lxw_color_t NgText = 0x9C0006;
// Excel's longest cell text; the library refuses a longer one, and with it
// the whole workbook.
constexpr qsizetype LongestCell = 32767;
// Excel's longest page header or footer, codes included.
constexpr qsizetype LongestHeaderFooter = 255;
constexpr uint8_t PaperA4 = 9;

// Widths in digits of Calibri 11, the workbook's font. A text gets one
// digit more than it takes, for Excel's screen, where a Japanese character
// takes 2.1; a number, whose every character counts a digit, half of one.
constexpr double TextPadding = 1.0;
constexpr double NumberPadding = 0.5;
constexpr double WidestColumn = 60.0;
// A long text or verdict wraps in its column, which narrows to save a page
// across down to 7 Japanese characters.
constexpr double NarrowestWrap = 16.0;
// A line of Calibri 11, the sheet's default row height, and Excel's highest
// row.
constexpr double LinePoints = 15.0;
constexpr double HighestRow = 409.0;

// The workbook's text prints at 8 pt at 72.7 %; at no less than 74 % it
// stays above 8 pt however a program rounds the scaled size.
constexpr int SmallestScale = 74;
// On paper a column of width w takes (w + 5/7) digits of 5.58 pt (Calibri's
// digit at 11 pt), 7.43 pixels at 96 an inch. Excel rounds the digit to
// 7 pixels on screen only, LibreOffice nowhere.
constexpr double DigitPixels = 7.43;
constexpr double ColumnPadding = 5.0 / 7.0;
// Millimetres. A landscape page is filed by its top edge beside the portrait
// pages of the calculation sheet: the binding margin is at the top, the page
// header's two ends clear of the holes between them.
constexpr double MarginSide = 6.0, MarginTop = 20.0, MarginBottom = 12.0;
constexpr double HeaderMargin = 8.0, FooterMargin = 5.0;
constexpr double MillimetresPerInch = 25.4;
// The page's printable width in pixels at 100 %, 1 % kept free for a
// program's own rounding.
constexpr double PageRoom = (297.0 - 2 * MarginSide) / MillimetresPerInch * 96.0 * 0.99;

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

// A character's width in digits of the default font, Calibri, a little
// over: a Japanese character (and any other that the font lacks and a wide
// font draws) takes two, a space or a point half of one.
double characterWidth(char32_t c)
{
    const bool halfWidthForm = c >= 0xFF61 && c <= 0xFFEE;
    if (c >= 0x2000 && !halfWidthForm)
        return 2.0;
    if (c >= 0x80)
        return 1.0;
    static const QByteArray half(" .,:;'!|ijlI"), narrow("-()[]frt"), wide("mwMW");
    const char ascii = char(c);
    if (half.contains(ascii))
        return 0.5;
    if (narrow.contains(ascii))
        return 0.7;
    if (wide.contains(ascii))
        return 1.8;
    if (ascii >= 'A' && ascii <= 'Z')
        return 1.35;
    return ascii >= 'a' && ascii <= 'z' ? 1.05 : 1.0;
}

double textWidth(const QString &text)
{
    double width = 0.0;
    for (const char32_t c : text.toUcs4())
        width += characterWidth(c);
    return width;
}

// A text broken into the lines it takes in a column `width` wide: at its
// spaces (an ideographic one too, as in 「鉛直方向　型式」), a word longer than
// a line between its characters. A spreadsheet also breaks between Japanese
// characters, so it takes no more lines.
QStringList wrappedLines(const QString &text, double width)
{
    // A little over, as a sum of widths such as 1.35 is not exact.
    const double room = width - TextPadding + 1e-9;
    // Each word after the space before it, the first after none.
    QList<std::pair<QString, QString>> words{{QString(), QString()}};
    for (const QChar c : text) {
        if (c == u' ' || c == u'\u3000')
            words.append({QString(c), QString()});
        else
            words.last().second += c;
    }
    QStringList lines;
    double used = 0.0;
    for (const auto &[space, word] : std::as_const(words)) {
        const double joined = used + textWidth(space) + textWidth(word);
        if (!lines.isEmpty() && joined <= room) {
            lines.last() += space + word;
            used = joined;
            continue;
        }
        lines.append(QString());
        used = 0.0;
        for (const char32_t c : word.toUcs4()) {
            if (used > 0.0 && used + characterWidth(c) > room) {
                lines.append(QString());
                used = 0.0;
            }
            lines.last() += QString::fromUcs4(&c, 1);
            used += characterWidth(c);
        }
    }
    return lines;
}

// Whether a column's cells wrap where they are wider than it: a text, or a
// verdict such as 「基準値と異なる（参考）」.
bool wraps(CellKind kind)
{
    return kind == CellKind::Text || kind == CellKind::Verdict;
}

// A cell's text as the sheet shows it: a number with two decimals.
QString shownText(CellKind kind, const QString &text)
{
    bool isNumber = false;
    const double value = kind == CellKind::Number ? text.toDouble(&isNumber) : 0.0;
    return isNumber ? QString::number(value, 'f', 2) : text;
}

// A sheet as it prints: each column's width in digits and its header's
// lines, the columns that start a page after the first, and the scale.
// A folded column keeps its width for the screen and takes no room on paper.
struct SheetLayout {
    QList<double> widths;
    QStringList headers;  // each line after the first after a line feed
    qsizetype headerLines = 1;
    QList<lxw_col_t> breaks;
    int scale = 100;
    // Pages across first, then the groups a break falls within: fewer is better.
    std::pair<qsizetype, qsizetype> cost;
};

double columnPixels(const TableColumn &column, double width)
{
    return column.folded ? 0.0 : (width + ColumnPadding) * DigitPixels;
}

// The leading columns that name a row, printed on every page.
qsizetype nameColumns(const QList<TableColumn> &columns)
{
    const auto names = std::find_if(columns.cbegin(), columns.cend(), [](const TableColumn &c) { return !c.namesRow; });
    return names - columns.cbegin();
}

// Where the pages break when `room` pixels fit a page beside the name
// columns: a group of columns that does not fit where a page has begun
// starts the next page, if it fits one; a wider group breaks where it must.
QList<lxw_col_t> pageBreaks(const QList<TableColumn> &columns, const QList<double> &pixels, double room)
{
    const qsizetype names = nameColumns(columns);
    const double repeated = std::accumulate(pixels.cbegin(), pixels.cbegin() + names, 0.0);
    QList<lxw_col_t> breaks;
    double used = repeated;
    qsizetype pageStart = names;
    for (qsizetype c = names; c < columns.size(); ++c) {
        bool groupMoves = false;
        if (c == names || columns[c].group != columns[c - 1].group) {
            double group = 0.0;
            for (qsizetype g = c; g < columns.size() && columns[g].group == columns[c].group; ++g)
                group += pixels[g];
            groupMoves = used + group > room && repeated + group <= room;
        }
        if (c > pageStart && (groupMoves || used + pixels[c] > room)) {
            breaks.append(lxw_col_t(c));
            used = repeated;
            pageStart = c;
        }
        used += pixels[c];
    }
    return breaks;
}

// The sheet laid out with its cells in `cellWidths`: each column as wide as
// its cells and its header's longest word, the pages broken at the smallest
// scale, and the largest scale at which the widest of those pages fits.
SheetLayout layOut(const QList<TableColumn> &columns, const QList<double> &cellWidths)
{
    SheetLayout layout;
    QList<double> pixels;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        double width = cellWidths[c];
        for (const QString &word : columns[c].title.split(u' '))
            width = std::max(width, textWidth(word) + TextPadding);
        layout.widths.append(width);
        pixels.append(columnPixels(columns[c], width));
    }
    layout.breaks = pageBreaks(columns, pixels, PageRoom * 100.0 / SmallestScale);
    layout.cost.first = layout.breaks.size();
    for (const lxw_col_t c : std::as_const(layout.breaks))
        layout.cost.second += columns[c].group == columns[c - 1].group ? 1 : 0;
    const qsizetype names = nameColumns(columns);
    const double repeated = std::accumulate(pixels.cbegin(), pixels.cbegin() + names, 0.0);
    double widest = repeated;
    for (qsizetype page = 0; page <= layout.breaks.size(); ++page) {
        const qsizetype first = page == 0 ? names : layout.breaks[page - 1];
        const qsizetype end = page < layout.breaks.size() ? layout.breaks[page] : columns.size();
        widest = std::max(widest, std::accumulate(pixels.cbegin() + first, pixels.cbegin() + end, repeated));
    }
    layout.scale = std::clamp(int(PageRoom * 100.0 / std::max(widest, 1.0)), SmallestScale, 100);
    return layout;
}

// The layout with the fewest pages across and groups broken: the widest text
// or verdict column printed narrows a digit at a time, its text wrapping,
// while that can save a page or keep a group whole (a long file name beside
// the piles). The headers are broken at their spaces by this program, not by
// each spreadsheet its own way.
SheetLayout printLayout(const TableSheet &table)
{
    const QList<TableColumn> &columns = table.columns;
    QList<double> cellWidths, narrowest;
    QList<qsizetype> texts;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const bool narrows = wraps(columns[c].kind) && !columns[c].folded;
        double width = 0.0;
        for (const QStringList &row : table.rows)
            width = std::max(width, textWidth(shownText(columns[c].kind, row.value(c))));
        cellWidths.append(std::min(width + (wraps(columns[c].kind) ? TextPadding : NumberPadding), WidestColumn));
        narrowest.append(narrows ? std::min(cellWidths[c], NarrowestWrap) : cellWidths[c]);
        if (narrows)
            texts.append(c);
    }
    const std::pair<qsizetype, qsizetype> lowestCost = layOut(columns, narrowest).cost;
    SheetLayout best = layOut(columns, cellWidths);
    while (best.cost > lowestCost) {
        const qsizetype widest = *std::max_element(texts.cbegin(), texts.cend(),
                                                   [&](qsizetype a, qsizetype b) { return cellWidths[a] < cellWidths[b]; });
        cellWidths[widest] = std::max(cellWidths[widest] - 1.0, NarrowestWrap);
        best = layOut(columns, cellWidths);
    }
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const QStringList lines = wrappedLines(columns[c].title, best.widths[c]);
        best.headers.append(lines.join(u'\n'));
        best.headerLines = std::max(best.headerLines, lines.size());
    }
    return best;
}

struct Formats {
    lxw_format *header;
    lxw_format *group;
    lxw_format *text;
    lxw_format *wrapped;
    lxw_format *number;
    lxw_format *centred;
    lxw_format *centredWrapped;
    lxw_format *ng;
};

// Every cell at the top of its row, beside a text wrapped to more lines.
// Only a text wider than its column wraps: one a little wider on Excel's
// screen than here runs on into the next cell, as texts do, and keeps its
// line.
Formats addFormats(lxw_workbook *book)
{
    Formats formats{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book),
                    workbook_add_format(book), workbook_add_format(book), workbook_add_format(book),
                    workbook_add_format(book), workbook_add_format(book)};
    for (lxw_format *format : {formats.header, formats.group, formats.text, formats.wrapped, formats.number,
                               formats.centred, formats.centredWrapped, formats.ng})
        format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
    for (lxw_format *format : {formats.header, formats.group})
        format_set_bold(format);
    for (lxw_format *format : {formats.header, formats.group, formats.wrapped, formats.centredWrapped})
        format_set_text_wrap(format);
    // A verdict or a mark centred, clear of the number before it.
    for (lxw_format *format : {formats.group, formats.centred, formats.centredWrapped, formats.ng})
        format_set_align(format, LXW_ALIGN_CENTER);
    format_set_num_format(formats.number, "0.00");
    format_set_pattern(formats.ng, LXW_PATTERN_SOLID);
    format_set_bg_color(formats.ng, NgFill);
    format_set_font_color(formats.ng, NgText);
    return formats;
}

// One cell by its column's kind; an empty text stays an empty cell. A figure
// that does not read as a number is kept as its text rather than lost.
// `wraps`: the text takes more than one line.
lxw_error writeCell(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t column, CellKind kind, const QString &text,
                    bool wraps, const Formats &formats)
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
    case CellKind::Verdict: {
        const bool fails = text == QStringLiteral("NG") || text == QStringLiteral("×");
        return worksheet_write_string(sheet, row, column, utf8.constData(),
                                      fails ? formats.ng : wraps ? formats.centredWrapped : formats.centred);
    }
    case CellKind::Mark:
        return worksheet_write_string(sheet, row, column, utf8.constData(), formats.centred);
    case CellKind::Text:
        break;
    }
    return worksheet_write_string(sheet, row, column, utf8.constData(), wraps ? formats.wrapped : formats.text);
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

lxw_error setUpPrinting(lxw_worksheet *sheet, const TableSheet &table, const SheetLayout &layout,
                        lxw_row_t headerRows)
{
    constexpr double Inch = MillimetresPerInch;
    worksheet_set_paper(sheet, PaperA4);
    worksheet_set_landscape(sheet);
    worksheet_set_margins(sheet, MarginSide / Inch, MarginSide / Inch, MarginTop / Inch, MarginBottom / Inch);
    worksheet_set_print_scale(sheet, uint16_t(layout.scale));
    worksheet_center_horizontally(sheet);
    FirstError first;
    first << worksheet_repeat_rows(sheet, 0, headerRows - 1);
    if (const qsizetype names = nameColumns(table.columns); names > 0)
        first << worksheet_repeat_columns(sheet, 0, lxw_col_t(names - 1));
    if (!layout.breaks.isEmpty()) {
        // The library's list ends with a 0.
        QList<lxw_col_t> breaks = layout.breaks;
        breaks.append(0);
        first << worksheet_set_v_pagebreaks(sheet, breaks.data());
    }
    lxw_header_footer_options header{}, footer{};
    header.margin = HeaderMargin / Inch;
    footer.margin = FooterMargin / Inch;
    first << worksheet_set_header_opt(sheet, pageHeader(table.print).toUtf8().constData(), &header);
    first << worksheet_set_footer_opt(sheet, "&C&P / &N", &footer);
    return first.error();
}

// A run of columns under one group's heading: [first, end).
struct ColumnRun {
    qsizetype first;
    qsizetype end;
};

QList<ColumnRun> groupRuns(const QList<TableColumn> &columns)
{
    QList<ColumnRun> runs;
    for (qsizetype c = 0, end = 0; c < columns.size(); c = end) {
        for (end = c + 1; end < columns.size() && columns[end].group == columns[c].group;)
            ++end;
        runs.append({c, end});
    }
    return runs;
}

using Heading = QString TableColumn::*;

// The heading rows above the titles, one for each of `headings`: the groups'
// (a design summary's item), then their subheadings (its 基準値), each
// centred over its run of columns and broken into lines by this program as
// the titles are, each row as high as its most wrapped heading.
lxw_error writeHeadings(lxw_worksheet *sheet, const QList<TableColumn> &columns, const QList<Heading> &headings,
                        const SheetLayout &layout, const Formats &formats)
{
    FirstError first;
    lxw_row_t row = 0;
    for (const Heading heading : headings) {
        qsizetype lines = 1;
        for (const ColumnRun &run : groupRuns(columns)) {
            const QString &text = columns[run.first].*heading;
            if (text.isEmpty())
                continue;
            // A merged cell is as wide as its columns and the gaps between them.
            double width = 0.0;
            for (qsizetype c = run.first; c < run.end; ++c)
                width += columns[c].folded ? 0.0 : layout.widths[c] + (c > run.first ? ColumnPadding : 0.0);
            const QStringList wrapped = wrappedLines(text, width);
            lines = std::max(lines, wrapped.size());
            const QByteArray utf8 = wrapped.join(u'\n').toUtf8();
            const auto firstColumn = lxw_col_t(run.first), lastColumn = lxw_col_t(run.end - 1);
            first << (firstColumn < lastColumn ? worksheet_merge_range(sheet, row, firstColumn, row, lastColumn,
                                                                       utf8.constData(), formats.group)
                                               : worksheet_write_string(sheet, row, firstColumn, utf8.constData(), formats.group));
        }
        if (lines > 1)
            first << worksheet_set_row(sheet, row, LinePoints * double(lines), nullptr);
        ++row;
    }
    return first.error();
}

// Each column's width; a folded one hidden at outline level 1, the column
// after its run marked collapsed, so that a spreadsheet shows the "+" that
// unfolds it.
lxw_error setColumns(lxw_worksheet *sheet, const QList<TableColumn> &columns, const SheetLayout &layout)
{
    FirstError first;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        lxw_row_col_options options{};
        options.hidden = columns[c].folded ? 1 : 0;
        options.level = columns[c].folded ? 1 : 0;
        options.collapsed = !columns[c].folded && c > 0 && columns[c - 1].folded ? 1 : 0;
        first << worksheet_set_column_opt(sheet, lxw_col_t(c), lxw_col_t(c), layout.widths[c], nullptr, &options);
    }
    return first.error();
}

lxw_error writeSheet(lxw_workbook *book, const TableSheet &table, const Formats &formats)
{
    lxw_worksheet *sheet = workbook_add_worksheet(book, table.name.toUtf8().constData());
    if (!sheet)
        return LXW_ERROR_PARAMETER_VALIDATION;
    // A row of headings where a column has one, the subheadings under the groups'.
    QList<Heading> headings;
    for (const Heading heading : {&TableColumn::group, &TableColumn::subheading}) {
        if (std::any_of(table.columns.cbegin(), table.columns.cend(),
                        [heading](const TableColumn &column) { return !(column.*heading).isEmpty(); }))
            headings.append(heading);
    }
    const auto headerRows = lxw_row_t(headings.size() + 1);
    const SheetLayout layout = printLayout(table);
    FirstError first;
    first << writeHeadings(sheet, table.columns, headings, layout, formats);
    // The header with a line more for the filter's button.
    first << worksheet_set_row(sheet, headerRows - 1, LinePoints * double(layout.headerLines + 1), nullptr);
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const QByteArray title = layout.headers[c].toUtf8();
        first << worksheet_write_string(sheet, headerRows - 1, lxw_col_t(c), title.constData(), formats.header);
    }
    first << setColumns(sheet, table.columns, layout);
    // Each row as high as its most wrapped text.
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const lxw_row_t row = lxw_row_t(r) + headerRows;
        qsizetype rowLines = 1;
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            const TableColumn &column = table.columns[c];
            const QString text = table.rows[r].value(c);
            const qsizetype lines = wraps(column.kind) ? wrappedLines(text, layout.widths[c]).size() : qsizetype(1);
            rowLines = std::max(rowLines, lines);
            first << writeCell(sheet, row, lxw_col_t(c), column.kind, text, lines > 1, formats);
        }
        if (rowLines > 1)
            first << worksheet_set_row(sheet, row, std::min(LinePoints * double(rowLines), HighestRow), nullptr);
    }
    worksheet_freeze_panes(sheet, headerRows, 0);
    const auto lastColumn = lxw_col_t(std::max<qsizetype>(table.columns.size() - 1, 0));
    first << worksheet_autofilter(sheet, headerRows - 1, 0, lxw_row_t(table.rows.size()) + headerRows - 1, lastColumn);
    first << setUpPrinting(sheet, table, layout, headerRows);
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

void fitToWorkbook(QList<QStringList> &summaryRows, QList<QStringList> &inputRows, QList<QStringList> &reviewRows)
{
    bool cut = false;
    const auto fit = [&cut](QString &text) {
        if (text.size() > LongestCell) {
            text = cutToLength(text, LongestCell);
            cut = true;
        }
    };
    for (QList<QStringList> *rows : {&summaryRows, &inputRows, &reviewRows}) {
        for (QStringList &row : *rows)
            std::for_each(row.begin(), row.end(), fit);
    }
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
