#pragma once

#include "report/reportsurface.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

namespace talven {

// A surface that draws nothing and logs every text, line and box with the
// font state and pen in force. Its font has simple, exact metrics: a
// character below U+0100 is half the size wide (so every digit, "-" and "."
// share one width, as in the report font), any other a full size wide; a text
// is 1.25 sizes high. Positions are in points of the font size. It counts the
// characters it was asked to measure. Its sheet is A4 in points, or the
// paper given in millimetres; a placement moves and scales the positions it logs.
class RecordingSurface final : public ReportSurface {
public:
    enum class Kind { Text, Line, Box };

    struct Call {
        Kind kind = Kind::Text;
        QString text;      // Text
        QPointF from;      // Text: top-left corner; Line: start; Box: corner
        QPointF to;        // Line: end; Box: opposite corner
        QString font;
        double size = 0.0;
        bool bold = false;
        int drawWidth = 0;

        bool operator==(const Call &) const = default;
    };

    explicit RecordingSurface(bool printer = false, QSizeF paper = {210, 297}) : printer(printer), paper(paper) {}

    static double width(const QString &text, double size)
    {
        double width = 0.0;
        for (QChar c : text)
            width += c.unicode() < 0x100 ? size / 2.0 : size;
        return width;
    }

    void setFont(const QString &family) override { font = family; }
    void setFontSize(double points) override { size = points; }
    void setFontBold(bool value) override { bold = value; }
    void setCurrentPoint(QPointF point) override { current = point; }
    void print(const QString &text) override
    {
        calls.append(Call{Kind::Text, text, placed(current), QPointF(), font, size, bold, drawWidth});
        current = QPointF(0.0, current.y() + textHeight(text));
    }
    double textWidth(const QString &text) override
    {
        measured += text.size();
        return width(text, size);
    }
    double textHeight(const QString &) override { return size * 1.25; }
    void line(QPointF from, QPointF to) override
    {
        calls.append(Call{Kind::Line, QString(), placed(from), placed(to), font, size, bold, drawWidth});
    }
    void box(QPointF corner, QSizeF extent) override
    {
        calls.append(Call{Kind::Box, QString(), placed(corner),
                          placed(corner + QPointF(extent.width(), extent.height())), font, size, bold,
                          drawWidth});
    }
    void setDrawWidth(int width) override { drawWidth = width; }
    bool isPrinter() const override { return printer; }
    QRectF sheet() const override { return {QPointF(), paper * PerMillimetre}; }
    double unitsPerMillimetre() const override { return PerMillimetre; }
    void place(QPointF by, double factor) override
    {
        offset = by;
        scale = factor;
    }

    static constexpr double PerMillimetre = 72 / 25.4;
    // The scale of the last placement: the logged positions' against the
    // sizes texts are measured in.
    double placedScale() const { return scale; }

    QList<Call> calls;
    qsizetype measured = 0;
    int drawWidth = 1;

private:
    QPointF placed(QPointF point) const { return offset + point * scale; }

    bool printer;
    QSizeF paper;
    QPointF offset;
    double scale = 1.0;
    QString font;
    double size = 0.0;
    bool bold = false;
    QPointF current;
};

}  // namespace talven
