// Benchmarks of the report: the whole page drawn onto an A4 page image at
// 150 dpi (what the preview shows), and into a one-page A4 PDF at 600 dpi
// (what talven-report and printing to a file produce); the same PDF written
// to a file with every title-block text a million characters long.
#include "examplestudy.h"
#include "report/reportdocument.h"
#include "report/paintersurface.h"
#include "report/pdffile.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

using namespace talven;

class BenchReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void drawReportA4Image150dpi();
    void drawReportPdf();
    void writeReportPdfLongTitles();

private:
    std::optional<ReportDocument> document;
};

void BenchReport::initTestCase()
{
    registerReportFonts();
    const std::optional<Study> example = exampleStudy();
    QVERIFY(example);
    // The page itself: no figures, no margins.
    PageOptions plain;
    plain.figures = false;
    plain.margins = false;
    document.emplace(*example, plain, TitleBlock(), QString());
}

void BenchReport::drawReportA4Image150dpi()
{
    constexpr double dotsPerInch = 150;
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    QImage image(qRound(210 / 25.4 * dotsPerInch), qRound(297 / 25.4 * dotsPerInch), QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    bool complete = true;
    QBENCHMARK {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(painter, false);
        complete = drawReportPage(surface, *document, 0) && complete;
    }
    QVERIFY(complete);
    // Something was drawn: the page is no longer blank.
    QImage blank(image.size(), image.format());
    blank.fill(Qt::white);
    QVERIFY(image != blank);
}

void BenchReport::drawReportPdf()
{
    qint64 size = 0;
    bool complete = true;
    QBENCHMARK {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(600);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
            QPainter painter(&writer);
            PainterSurface surface(painter, true);
            complete = drawReportPage(surface, *document, 0) && complete;
        }
        size = buffer.size();
    }
    QVERIFY(complete);
    QVERIFY2(size > 1000, qPrintable(QString::number(size)));
}

// Texts no option or dialog lets through (they keep 1,000 characters), as a
// settings file edited by hand could hold them: each is cut to its slot, and
// the structure's name is the PDF's title.
void BenchReport::writeReportPdfLongTitles()
{
    const QString longText(1000000, u'長');
    const ReportDocument titled(document->study(), PageOptions(),
                                {longText, longText, longText, longText, longText, longText, longText, longText}, QString());
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("long.pdf"));
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    bool written = true;
    QBENCHMARK {
        written = writeReportPdfFile(path, layout, 600, titled.titleBlock().structure, titled.pageCount(),
                                     [&](ReportSurface &surface, int page) { return drawReportPage(surface, titled, page); })
                  && written;
    }
    QVERIFY(written);
}

QTEST_MAIN(BenchReport)
#include "bench_report.moc"
