#pragma once

// The page grid and the layout primitives the report's pages share
// (drawreport.cpp, calculationsheet.cpp): a text at a grid position, numbers
// on their decimal point, texts set into a room, ruled tables and the lines
// of a flowing block. Not for other libraries.

#include "report/reportdocument.h"
#include "report/reportsurface.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace talven {

inline const QString ReportFont = QStringLiteral("ＭＳ 明朝");
// The smallest size a text is shrunk to before it takes a second line.
inline constexpr double SmallestSize = 7.0;
inline constexpr double FooterRow = 69.6;
// What every page of the report keeps to: columns 4 to 51.5, rows 0 to
// the footer's end.
inline constexpr double FrameLeft = 4.0;
inline constexpr double FrameRight = 51.5;
inline constexpr double FrameBottom = FooterRow + 1.0;
// The rows the sheet's section drawing takes, its notes included.
inline constexpr double SectionDrawingHeight = 31.0;

// The page grid: a position (a, b) is a character widths across and b line
// heights down, both measured once at "ＭＳ 明朝" 10.5 pt.
class Page {
public:
    explicit Page(ReportSurface &surface) : s(surface)
    {
        s.setFont(ReportFont);
        s.setFontSize(BodySize);
        s.setFontBold(false);
        charWidth = s.textWidth(QStringLiteral("設"));
        lineHeight = s.textHeight(QStringLiteral("計"));
    }

    // The page within the margins of a binder: at least 15 mm above and
    // below, 20 mm on the left for binding and 10 mm on the right. The
    // grid's frame is moved there and made smaller where it would not fit,
    // never larger, so that a 10.5 pt text stays 10.5 pt where it can. A hair
    // of 0.2 columns before the frame keeps its first column off the margin's
    // very edge.
    void placeWithinMargins()
    {
        const QRectF sheet = s.sheet();
        const double mm = s.unitsPerMillimetre();
        const QRectF room = sheet.adjusted(20 * mm, 15 * mm, -10 * mm, -15 * mm);
        const QRectF frame(QPointF((FrameLeft - 0.2) * charWidth, 0), QPointF(FrameRight * charWidth, FrameBottom * lineHeight));
        scale_ = std::min({1.0, room.width() / frame.width(), room.height() / frame.height()});
        s.place(room.topLeft() - frame.topLeft() * scale_, scale_);
    }

    void font(double size, bool bold)
    {
        s.setFontSize(size);
        s.setFontBold(bold);
    }

    // Digits, "-" and "." share one width in the report font, so one
    // measurement places every number by its decimal point.
    void measureDot() { dotWidth = s.textWidth(QStringLiteral(".")); }

    void text(double a, double b, const QString &text) { textAtX(a * charWidth, b, text); }

    // A "0.00" text whose decimal point falls on column a; a suffix may follow
    // the number.
    void aligned(double a, double b, const QString &number, const QString &suffix = QString())
    {
        textAtX(a * charWidth - charactersBeforePoint(number) * dotWidth, b, number + suffix);
    }

    // Half the shift of the decimal alignment: centres numbers on column a.
    void centred(double a, double b, const QString &number)
    {
        textAtX(a * charWidth - charactersBeforePoint(number) * dotWidth / 2.0, b, number);
    }

    // The width of a text at the current font, in columns.
    double columns(const QString &text) { return s.textWidth(text) / charWidth; }
    // The height of a line at `size`, in rows; leaves the font at that size.
    double rows(double size)
    {
        s.setFontSize(size);
        return s.textHeight(QStringLiteral("計")) / lineHeight;
    }

    // The length of the longest beginning of `text` that, followed by
    // `suffix`, fits into `columns` columns at the current font. Beginnings
    // are measured each twice as long as the last until one is too wide, then
    // the range between is halved: what lies beyond the room is never
    // measured, and a text of any length costs no more than a short one.
    qsizetype fittingLength(const QString &text, double columns, const QString &suffix = QString())
    {
        const double room = columns * charWidth;
        qsizetype tooWide = FirstMeasuredLength;
        while (tooWide < text.size() && s.textWidth(text.left(tooWide) + suffix) <= room)
            tooWide *= 2;
        if (tooWide >= text.size()) {
            if (s.textWidth(text + suffix) <= room)
                return text.size();
            tooWide = text.size();
        }
        qsizetype kept = 0;
        while (tooWide - kept > 1) {
            const qsizetype middle = kept + (tooWide - kept) / 2;
            if (s.textWidth(text.left(middle) + suffix) <= room)
                kept = middle;
            else
                tooWide = middle;
        }
        return kept;
    }

    // The text as it fits into `columns` columns at the current font: cut,
    // with "…" at the end, when it is wider.
    QString fitted(const QString &text, double columns)
    {
        if (fittingLength(text, columns) == text.size())
            return text;
        const QString ellipsis = QStringLiteral("…");
        return text.left(fittingLength(text, columns, ellipsis)) + ellipsis;
    }

    // A text set into `columns` columns: at `size` where it fits, else at the
    // largest size down to SmallestSize (in half points) where it does, else
    // at SmallestSize on up to `lines` lines, the last cut with "…" when even
    // they are too few. Leaves the font at the size chosen.
    struct Setting {
        double size = 0.0;
        QStringList lines;
    };
    Setting set(const QString &text, double columns, double size, int lines = 1)
    {
        for (; size >= SmallestSize; size -= 0.5) {
            s.setFontSize(size);
            if (fittingLength(text, columns) == text.size())
                return {size, {text}};
        }
        Setting setting{SmallestSize, {}};
        s.setFontSize(SmallestSize);
        QString rest = text;
        for (int line = 1; line < lines; ++line) {
            const qsizetype length = std::max<qsizetype>(1, fittingLength(rest, columns));
            setting.lines << rest.left(length);
            rest = rest.mid(length);
            if (rest.isEmpty())
                return setting;
        }
        setting.lines << fitted(rest, columns);
        return setting;
    }

    // How many rows a set text takes: its lines a little more than their
    // height apart.
    double rows(const Setting &setting)
    {
        const qsizetype lines = setting.lines.size();
        return lines == 0 ? 0.0 : double(lines) * rows(setting.size) + double(lines - 1) * LineGap;
    }

    // Draws a text set as above.
    void text(double a, double b, const Setting &setting)
    {
        s.setFontSize(setting.size);
        const double step = rows(setting.size) + LineGap;
        for (int i = 0; i < int(setting.lines.size()); ++i)
            text(a, b + i * step, setting.lines[i]);
    }

    void line(double a1, double b1, double a2, double b2) { s.line(at(a1, b1), at(a2, b2)); }
    void lineStep(double a, double b, double da, double db) { line(a, b, a + da, b + db); }
    void box(double a, double b, double w, double h)
    {
        s.box(at(a, b), QSizeF(w * charWidth, h * lineHeight));
    }
    // A dashed line: dashes of `dash` millimetres on paper, gaps as long.
    // What is left for a last dash shorter than a hundredth of one is the
    // rounding of two positions that meet, and draws nothing.
    void dashedLine(double a1, double b1, double a2, double b2, double dash)
    {
        const QPointF from = at(a1, b1), to = at(a2, b2);
        const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        const double step = dash * unitsPerMillimetre();
        for (double done = 0; length - done > step / 100; done += 2 * step)
            s.line(from + (to - from) * (done / length), from + (to - from) * (std::min(done + step, length) / length));
    }

    // How many columns and rows a millimetre on paper is, the placement's
    // scale reckoned in.
    double unitsPerMillimetre() const { return s.unitsPerMillimetre() / scale_; }
    double columnsPerMillimetre() const { return unitsPerMillimetre() / charWidth; }
    double rowsPerMillimetre() const { return unitsPerMillimetre() / lineHeight; }

    void thickPen() { s.setDrawWidth(s.isPrinter() ? 6 : 2); }
    void thinPen() { s.setDrawWidth(1); }

private:
    // The first beginning measured: longer than most texts, which are then
    // measured whole, once.
    static constexpr qsizetype FirstMeasuredLength = 64;
    static constexpr double LineGap = 0.05;

    QPointF at(double a, double b) const { return {a * charWidth, b * lineHeight}; }

    // An empty text draws nothing, so it is not drawn at all.
    void textAtX(double x, double b, const QString &text)
    {
        if (text.isEmpty())
            return;
        s.setCurrentPoint(QPointF(x, b * lineHeight));
        s.print(text);
    }

    // A two-decimal text has all but three of its characters before the point.
    static double charactersBeforePoint(const QString &number) { return double(number.size() - 3); }

    ReportSurface &s;
    double charWidth = 0.0;
    double lineHeight = 0.0;
    double dotWidth = 0.0;
    double scale_ = 1.0;
};

// A cell of a ruled table: a text from a column, cut with "…" to `fit`
// columns where `fit` is given, or a "0.00" number standing on its decimal
// point at the column.
struct TableCell {
    QString text;
    double column = 0.0;
    bool onPoint = false;
    double fit = 0.0;
};

// Where a table's columns are ruled.
enum class ColumnRules {
    Inner,        // thin lines between the columns
    BelowHeader,  // the same, under a header row that spans the table
    WithSides,    // thin lines at every edge, the table's sides too
    Thick,        // thick lines between the columns
};

// A ruled table: rows 1.5 high between column edges, the header row first;
// its outline and the header's rule thick, each row boxed thin, texts 9 pt
// half a row below a row's top.
struct RuledTable {
    double top = 0.0;
    std::vector<double> edges;  // left to right, the sides included
    std::vector<std::vector<TableCell>> rows;
    ColumnRules rules = ColumnRules::Inner;

    static constexpr double RowHeight = 1.5;
    double height() const { return RowHeight * double(rows.size()); }
    double textRow(std::size_t row) const { return top + 0.5 + RowHeight * double(row); }

    // The lines, and then the cells: a title may go between the two.
    void drawFrame(Page &page) const;
    void drawCells(Page &page) const;
    // Both; the rows used.
    double draw(Page &page) const;
};

// A table of texts: numbers (decimals such as "6.00" and "-1.83", nothing
// after them) stand on their decimal point 1.7 columns left of their column's right edge, other texts
// half a column right of its left edge, cut to the column.
RuledTable textTable(double top, const std::vector<double> &edges, const std::vector<QStringList> &rows);

// A flowing block's lines from row `top`; the rows used, which are the
// block's height.
double drawSheetLines(Page &page, double top, const std::vector<SheetLine> &lines);

}  // namespace talven
