#include "report/reportpage.h"

#include <QRegularExpression>

namespace talven {

namespace {

// From one line of a flowing block to the next.
constexpr double LineStep = 1.2;

}  // namespace

double SheetLine::advance() const
{
    return (table.empty() ? LineStep * lines : RuledTable::RowHeight * double(table.size())) + gapAfter;
}

double SheetBlock::height() const
{
    if (kind == Kind::Drawing)
        return SectionDrawingHeight;
    double rows = 0.0;
    for (const SheetLine &line : lines)
        rows += line.advance();
    return rows;
}

void RuledTable::drawFrame(Page &page) const
{
    const double left = edges.front();
    const double right = edges.back();
    const double bottom = top + height();
    page.thinPen();
    for (std::size_t r = 0; r < rows.size(); ++r)
        page.box(left, top + RowHeight * double(r), right - left, RowHeight);
    if (rules != ColumnRules::Thick) {
        const bool sides = rules == ColumnRules::WithSides;
        const double from = rules == ColumnRules::BelowHeader ? top + RowHeight : top;
        for (std::size_t e = sides ? 0 : 1; e < edges.size() - (sides ? 0 : 1); ++e)
            page.line(edges[e], from, edges[e], bottom);
    }
    page.thickPen();
    page.box(left, top, right - left, height());
    if (rules == ColumnRules::Thick) {
        for (std::size_t e = 1; e + 1 < edges.size(); ++e)
            page.line(edges[e], top, edges[e], bottom);
    }
    page.line(left, top + RowHeight, right, top + RowHeight);
    page.thinPen();
}

void RuledTable::drawCells(Page &page) const
{
    page.font(SmallSize, false);
    page.measureDot();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (const TableCell &cell : rows[r]) {
            if (cell.onPoint)
                page.aligned(cell.column, textRow(r), cell.text);
            else
                page.text(cell.column, textRow(r), cell.fit > 0.0 ? page.fitted(cell.text, cell.fit) : cell.text);
        }
    }
}

double RuledTable::draw(Page &page) const
{
    drawFrame(page);
    drawCells(page);
    return height();
}

RuledTable textTable(double top, const std::vector<double> &edges, const std::vector<QStringList> &rows)
{
    RuledTable table{top, edges, {}, ColumnRules::Inner};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<TableCell> &cells = table.rows.emplace_back();
        for (std::size_t c = 0; c < std::size_t(rows[r].size()) && c + 1 < edges.size(); ++c) {
            const QString &cell = rows[r][c];
            // A number is a decimal and nothing else: "1.0m以上" is a text.
            static const QRegularExpression decimal(QStringLiteral("^-?[0-9]+\\.[0-9]+$"));
            const bool number = r > 0 && decimal.match(cell).hasMatch();
            if (number)
                cells.push_back({cell, edges[c + 1] - 1.7, true});
            else
                cells.push_back({cell, edges[c] + 0.5, false, edges[c + 1] - edges[c] - 0.7});
        }
    }
    return table;
}

double drawSheetLines(Page &page, double top, const std::vector<SheetLine> &lines)
{
    double row = top;
    for (const SheetLine &line : lines) {
        if (!line.table.empty()) {
            textTable(row, line.edges, line.table).draw(page);
        } else if (!line.text.isEmpty()) {
            page.font(line.size, line.bold);
            page.text(line.column, row, page.set(line.text, FrameRight - line.column, line.size, line.lines));
        }
        row += line.advance();
    }
    return row - top;
}

}  // namespace talven
