#include "report/pdffile.h"

#include "files/safefile.h"
#include "report/paintersurface.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

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

const QString Subject = QStringLiteral("遮水矢板の設計");

QString creator()
{
    return QStringLiteral("タルヴェン " TALVEN_VERSION);
}

// Text as the XMP packet holds it: escaped as XML, and without what XML 1.0
// cannot hold even escaped (control characters other than TAB, LF and CR,
// U+FFFE and U+FFFF, half a surrogate pair), which a study's file name or
// --structure may bring.
QString xmlText(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            kept += text[i];
            kept += text[++i];
        } else if (c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c < 0xD800) || (c >= 0xE000 && c < 0xFFFE)) {
            kept += text[i];
        }
    }
    return kept.toHtmlEscaped();
}

// The document's properties for readers that look at XMP: title, subject
// (dc:description, which the document information of Qt's writer lacks) and
// the creating program.
QByteArray propertiesXmp(const QString &title)
{
    const QString packet = QStringLiteral(
        "<?xpacket begin='\uFEFF' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
        "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
        "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
        "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>\n"
        "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt></dc:title>\n"
        "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>%2</rdf:li></rdf:Alt></dc:description>\n"
        "</rdf:Description>\n"
        "<rdf:Description rdf:about='' xmlns:xmp='http://ns.adobe.com/xap/1.0/'>\n"
        "<xmp:CreatorTool>%3</xmp:CreatorTool>\n"
        "</rdf:Description>\n"
        "</rdf:RDF>\n"
        "</x:xmpmeta>\n"
        "<?xpacket end='w'?>");
    return packet.arg(xmlText(title), xmlText(Subject), xmlText(creator())).toUtf8();
}

// The PDF engine writes most of the file when the painter ends.
bool drawPdf(QIODevice &file, const QPageLayout &layout, int resolution, const QString &title, int pages,
             const PageDrawing &draw)
{
    CheckedWrites device(file);
    QPdfWriter writer(&device);
    writer.setResolution(resolution);
    writer.setPageLayout(layout);
    writer.setCreator(creator());
    writer.setTitle(title);
    writer.setDocumentXmpMetadata(propertiesXmp(title));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    // The sheet measured from the paper's edges, whatever margins the layout has.
    PainterSurface surface(painter, true,
                           QRectF(layout.fullRectPixels(resolution).translated(-layout.paintRectPixels(resolution).topLeft())));
    bool complete = true;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !writer.newPage())
            complete = false;
        complete = draw(surface, page) && complete;
    }
    return painter.end() && complete && device.allWritten();
}

}  // namespace

QString reportTitle(const QString &structure)
{
    return structure.trimmed().isEmpty() ? Subject : structure.trimmed();
}

bool writeReportPdfFile(const QString &path, const QPageLayout &layout, int resolution, const QString &structure,
                        int pages, const PageDrawing &draw)
{
    // The finished file is renamed over the target: a device or a FIFO of
    // that name would be replaced by it.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return false;
    // A link of that name is followed: the file it leads to is replaced.
    SafeFile file(outputFinalPath(path));
    if (file.open().has_value())
        return false;
    return drawPdf(file.file(), layout, resolution, reportTitle(structure), pages, draw) && !file.commit().has_value();
}

}  // namespace talven
