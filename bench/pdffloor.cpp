// The floor talven-report's one-page report is timed against: a bare Qt
// program that writes one A4 page of Japanese text with QPdfWriter, the
// report page's own texts (onepage.txt) in the report's font and size, and
// does nothing else.
//   bench_pdf_floor onepage.txt out.pdf

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QFile text(QString::fromLocal8Bit(argv[1]));
    if (!text.open(QIODevice::ReadOnly | QIODevice::Text))
        return 1;
    const QStringList lines = QString::fromUtf8(text.readAll()).split(u'\n', Qt::SkipEmptyParts);

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    QFont font(QStringLiteral("IPAMincho"));
    font.setPointSizeF(10.5);
    painter.setFont(font);
    // Two columns of lines 13 pt apart, from 20 mm in and down.
    const double point = writer.resolution() / 72.0;
    const int rows = int(lines.size() + 1) / 2;
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QPointF((57 + (i / rows) * 260) * point, (72 + (i % rows) * 13) * point), lines[i]);
    return painter.end() ? 0 : 1;
}
