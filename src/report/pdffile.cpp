#include "report/pdffile.h"

#include "report/paintersurface.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace talven {

namespace {

// Hands the PDF engine's writes on to the file and remembers whether any fell
// short. The engine does not look at what a write returns, and a full disk
// first shows as a write that takes only part of its bytes, which the file
// does not count as an error.
class CheckedWrites : public QIODevice {
public:
    explicit CheckedWrites(QIODevice &target) : target_(target) { open(QIODevice::WriteOnly); }
    bool allWritten() const { return allWritten_; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 written = target_.write(data, size);
        allWritten_ = allWritten_ && written == size;
        return written;
    }

private:
    QIODevice &target_;
    bool allWritten_ = true;
};

// The PDF engine writes most of the file when the painter ends.
bool drawPdf(QSaveFile &file, const QPageLayout &layout, int resolution, const PageDrawing &draw)
{
    CheckedWrites device(file);
    QPdfWriter writer(&device);
    writer.setResolution(resolution);
    writer.setPageLayout(layout);
    writer.setCreator(QStringLiteral("タルヴェン"));
    writer.setTitle(QStringLiteral("遮水矢板の設計"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    PainterSurface surface(painter, true);
    const bool complete = draw(surface);
    return painter.end() && complete && device.allWritten();
}

}  // namespace

bool writeReportPdfFile(const QString &path, const QPageLayout &layout, int resolution, const PageDrawing &draw)
{
    // The finished file is renamed over the target: a device or a FIFO of
    // that name would be replaced by it.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return false;
    // The last buffered bytes reach the disk on flush, whose failure commit()
    // would ignore. Without commit() the temporary file is removed.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && drawPdf(file, layout, resolution, draw) && file.flush()
        && file.error() == QFileDevice::NoError && file.commit();
}

}  // namespace talven
