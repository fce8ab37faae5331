#include "Report.h"

#include "archive/FileSync.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kEps = 0.01; // report units: well below anything a layout can tell apart

// Metrics as the report units see them (96 dots per inch), independent of any screen.
const QPaintDevice* metricsDevice() {
    static QImage image = [] {
        QImage i(1, 1, QImage::Format_ARGB32);
        i.setDotsPerMeterX(qRound(96 / 0.0254));
        i.setDotsPerMeterY(qRound(96 / 0.0254));
        return i;
    }();
    return &image;
}

// Greedy word wrap of one line to `width` report units; a word wider than the line is broken
// between characters.
QStringList wrapLine(const QString& line, const QFontMetricsF& fm, double width) {
    QStringList out;
    if (fm.horizontalAdvance(line) <= width) return {line};
    QString current;
    const QStringList words = line.split(QLatin1Char(' '));
    for (qsizetype w = 0; w < words.size(); ++w) {
        QString word = words[w];
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (fm.horizontalAdvance(candidate) <= width) {
            current = candidate;
            continue;
        }
        if (!current.isEmpty()) out.append(current);
        current.clear();
        while (fm.horizontalAdvance(word) > width && word.size() > 1) {
            qsizetype n = 1;
            while (n < word.size() && fm.horizontalAdvance(word.left(n + 1)) <= width) ++n;
            out.append(word.left(n));
            word = word.mid(n);
        }
        current = word;
    }
    out.append(current);
    return out;
}

double alignOffset(const TextObject& t, double boxHeight, int lineCount) {
    const double block = lineCount * t.linePitch();
    if (t.alignment & Qt::AlignVCenter) return (boxHeight - block) / 2;
    if (t.alignment & Qt::AlignBottom) return boxHeight - block;
    return 0;
}

// Where the object's content ends inside its band (or page), for splitting.
double contentBottom(const ReportObject& o) {
    if (o.kind() != ReportObject::Kind::Text) return o.rect.bottom();
    const auto& t = static_cast<const TextObject&>(o);
    const double linesBottom =
        o.rect.top() + alignOffset(t, o.rect.height(), int(t.lines().size())) + t.lines().size() * t.linePitch();
    if (t.fill.alpha() > 0) return std::max(o.rect.bottom(), linesBottom);
    return t.lines().isEmpty() ? o.rect.top() : linesBottom;
}

QString xmlEscaped(const QString& s) { return s.toHtmlEscaped(); }

QByteArray xmpPacket(const PdfProperties& p) {
    const QString xmp = QStringLiteral(
        "<?xpacket begin='\uFEFF' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
        " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
        "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
        "    xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
        "   <dc:format>application/pdf</dc:format>\n"
        "   <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n"
        "   <dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">%2</rdf:li></rdf:Alt></dc:description>\n"
        "   <dc:creator><rdf:Seq><rdf:li>%3</rdf:li></rdf:Seq></dc:creator>\n"
        "   <xmp:CreatorTool>%4</xmp:CreatorTool>\n"
        "  </rdf:Description>\n"
        " </rdf:RDF>\n"
        "</x:xmpmeta>\n"
        "<?xpacket end='w'?>");
    return xmp.arg(xmlEscaped(p.title), xmlEscaped(p.subject), xmlEscaped(p.author), xmlEscaped(p.creator))
        .toUtf8();
}

} // namespace

// ---- objects ----

void TextObject::setText(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    m_lines = text.isEmpty() ? QStringList() : text.split(breaks);
}

QFont TextObject::font() const {
    QFont f(fontFamily);
    f.setPointSizeF(fontSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    // Unhinted outlines keep the same widths on screen, in the preview, on paper and in a PDF.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void PictureObject::setImage(const QImage& image) {
    m_image = image;
    m_svg.clear();
    m_drawing = nullptr;
    m_natural = image.size();
}

void PictureObject::setSvg(const QByteArray& svg) {
    m_image = QImage();
    m_svg = svg;
    m_drawing = nullptr;
    QSvgRenderer r(svg);
    m_natural = r.viewBoxF().isEmpty() ? QSizeF(r.defaultSize()) : r.viewBoxF().size();
}

void PictureObject::setDrawing(const QSizeF& naturalSize, Drawing drawing) {
    m_image = QImage();
    m_svg.clear();
    m_drawing = std::move(drawing);
    m_natural = naturalSize;
}

QRectF PictureObject::placedIn(const QRectF& frame) const {
    if (!keepAspect || m_natural.isEmpty()) return frame;
    QRectF target(frame.topLeft(), m_natural.scaled(frame.size(), Qt::KeepAspectRatio));
    if (centred) target.moveCenter(frame.center());
    return target;
}

void PictureObject::paint(QPainter& painter, const QRectF& frame) const {
    const QRectF target = placedIn(frame);
    if (m_drawing) m_drawing(painter, target);
    else if (!m_svg.isEmpty()) {
        QSvgRenderer r(m_svg);
        r.render(&painter, target);
    } else if (!m_image.isNull()) {
        painter.drawImage(target, m_image);
    }
}

const TextObject* PreparedItem::text() const {
    return object->kind() == ReportObject::Kind::Text ? static_cast<const TextObject*>(object.get()) : nullptr;
}

const PreparedItem* PreparedPage::find(const QString& name) const {
    for (const PreparedItem& item : items)
        if (item.name() == name) return &item;
    return nullptr;
}

// ---- report ----

Report::Report(QString name) : m_name(std::move(name)) {}
Report::Report(Report&&) noexcept = default;
Report& Report::operator=(Report&&) noexcept = default;
Report::~Report() = default;

QSizeF Report::paperSizeMm() const {
    const QSizeF s = pageSize.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

template <class T> T& Report::add(std::unique_ptr<T> object, Band* band) {
    if (m_byName.contains(object->name()))
        throw ReportError("two report objects named " + object->name().toStdString());
    T& ref = *object;
    m_byName.insert(object->name(), object.get());
    if (band) band->objects.push_back(std::move(object));
    else m_pageObjects.push_back(std::move(object));
    return ref;
}

TextObject& Report::addText(const QString& name, const QRectF& rect, Band* band) {
    return add(std::make_unique<TextObject>(name, rect), band);
}
PictureObject& Report::addPicture(const QString& name, const QRectF& rect, Band* band) {
    return add(std::make_unique<PictureObject>(name, rect), band);
}
LineObject& Report::addLine(const QString& name, const QRectF& rect, Band* band) {
    return add(std::make_unique<LineObject>(name, rect), band);
}

Band& Report::addBand(const QString& name, Band::Kind kind, double height) {
    if (findBand(name) || m_byName.contains(name)) throw ReportError("two report parts named " + name.toStdString());
    m_bands.push_back(std::make_unique<Band>(name, kind, height));
    return *m_bands.back();
}

ReportObject* Report::find(const QString& name) const { return m_byName.value(name, nullptr); }

Band* Report::findBand(const QString& name) const {
    for (const auto& b : m_bands)
        if (b->name == name) return b.get();
    return nullptr;
}

TextObject& Report::text(const QString& name) const {
    ReportObject* o = find(name);
    if (!o || o->kind() != ReportObject::Kind::Text)
        throw ReportError("no text object " + name.toStdString() + " in report " + m_name.toStdString());
    return static_cast<TextObject&>(*o);
}

Band& Report::band(const QString& name) const {
    Band* b = findBand(name);
    if (!b) throw ReportError("no band " + name.toStdString() + " in report " + m_name.toStdString());
    return *b;
}

QList<ReportObject*> Report::objects() const {
    QList<ReportObject*> all;
    for (const auto& o : m_pageObjects) all.append(o.get());
    for (const auto& b : m_bands)
        for (const auto& o : b->objects) all.append(o.get());
    return all;
}

void Report::prepare(const QDateTime& now) {
    PreparedReport out;
    out.name = m_name;
    out.layout = QPageLayout(pageSize, orientation, QMarginsF(), QPageLayout::Millimeter);

    const QSizeF paper = paperSizeMm();
    const QPointF origin(report::fromMm(margins.left()), report::fromMm(margins.top()));
    // Margins that leave no room at all still let the bands advance, a sliver at a time.
    const double areaHeight = std::max(report::fromMm(paper.height() - margins.top() - margins.bottom()), 1.0);
    const double paperWidth = report::fromMm(paper.width());
    const QString date = now.date().toString(QStringLiteral("dd/MM/yyyy"));
    const QString time = now.time().toString(QStringLiteral("HH:mm:ss"));

    // Snapshots carry the texts as they are now, expressions replaced and long lines wrapped.
    auto snapshot = [&](const ReportObject& o) {
        std::shared_ptr<ReportObject> copy(o.clone());
        if (copy->kind() == ReportObject::Kind::Text) {
            auto& t = static_cast<TextObject&>(*copy);
            QStringList lines = t.lines();
            if (t.expressions)
                for (QString& line : lines)
                    line.replace(QLatin1String("[DATE]"), date).replace(QLatin1String("[TIME]"), time);
            if (t.wordWrap) {
                const QFontMetricsF fm(t.font(), metricsDevice());
                QStringList wrapped;
                for (const QString& line : lines) wrapped += wrapLine(line, fm, t.rect.width());
                lines = wrapped;
            }
            t.clearLines();
            for (const QString& line : lines) t.addLine(line);
        }
        return std::shared_ptr<const ReportObject>(std::move(copy));
    };

    // Places the part [from, to) of a band's (or the page's) objects with `from` at page height
    // `top`; `clipped` limits drawing to that part.
    auto place = [&](PreparedPage& page, const std::vector<std::shared_ptr<const ReportObject>>& objs, double from,
                     double to, double top, bool clipped) {
        const double dy = top - from;
        const QRectF clip = clipped ? QRectF(0, top, paperWidth, to - from) : QRectF();
        for (const auto& o : objs) {
            PreparedItem item;
            item.object = o;
            item.rect = o->rect.translated(origin.x(), dy);
            item.clip = clip;
            if (const TextObject* t = item.text()) {
                const double pitch = t->linePitch();
                const double first = o->rect.top() + alignOffset(*t, o->rect.height(), int(t->lines().size()));
                const qsizetype n = t->lines().size();
                qsizetype a = 0, b = n;
                if (clipped) { // only the lines wholly inside the part
                    a = std::clamp<qsizetype>(qsizetype(std::ceil((from - kEps - first) / pitch)), 0, n);
                    b = std::clamp<qsizetype>(qsizetype(std::floor((to + kEps - first) / pitch)), a, n);
                }
                item.lines = t->lines().mid(a, b - a);
                item.linesTop = first + a * pitch + dy;
            }
            if (clipped && item.lines.isEmpty() &&
                (o->rect.bottom() <= from + kEps || o->rect.top() >= to - kEps))
                continue;
            page.items.append(item);
        }
    };

    std::vector<std::shared_ptr<const ReportObject>> pageObjects;
    for (const auto& o : m_pageObjects) pageObjects.push_back(snapshot(*o));

    auto newPage = [&] {
        out.pages.append(PreparedPage());
        place(out.pages.last(), pageObjects, 0, 0, origin.y(), false);
    };
    newPage();

    double y = 0; // used height of the current page's area
    for (const auto& band : m_bands) {
        std::vector<std::shared_ptr<const ReportObject>> objs;
        for (const auto& o : band->objects) objs.push_back(snapshot(*o));
        const double h = band->height;

        if (h <= areaHeight - y + kEps || !band->canSplit) {
            // A band that cannot split starts a new page when it does not fit; taller than a whole
            // page, it is cut by the paper's edge.
            if (h > areaHeight - y + kEps && y > 0) {
                newPage();
                y = 0;
            }
            place(out.pages.last(), objs, 0, h, origin.y() + y, false);
            y += h;
            continue;
        }

        double contentEnd = 0;
        for (const auto& o : objs) contentEnd = std::max(contentEnd, contentBottom(*o));
        contentEnd = std::min(contentEnd, h);

        double from = 0;
        while (from < h - kEps) {
            const double room = areaHeight - y;
            if (h - from <= room + kEps) {
                place(out.pages.last(), objs, from, h, origin.y() + y, true);
                y += h - from;
                break;
            }
            if (contentEnd <= from + room + kEps) {
                // Only the band's empty tail is left over: it ends with the page.
                place(out.pages.last(), objs, from, from + room, origin.y() + y, true);
                y = areaHeight;
                break;
            }
            // Break above the first text line that would cross the page's bottom edge.
            double to = from + room;
            for (bool moved = true; moved;) {
                moved = false;
                for (const auto& o : objs) {
                    const auto* t = o->kind() == ReportObject::Kind::Text ? static_cast<const TextObject*>(o.get())
                                                                           : nullptr;
                    if (!t) continue;
                    const double first = o->rect.top() + alignOffset(*t, o->rect.height(), int(t->lines().size()));
                    const double pitch = t->linePitch();
                    const qsizetype i = qsizetype(std::floor((to - first) / pitch));
                    if (i < 0 || i >= t->lines().size()) continue;
                    const double top = first + i * pitch;
                    if (top < to - kEps && top + pitch > to + kEps && top > from + kEps) {
                        to = top;
                        moved = true;
                    }
                }
            }
            if (to <= from + kEps) {
                if (y > 0) { // nothing fits in what is left of this page: go on on a fresh one
                    newPage();
                    y = 0;
                    continue;
                }
                to = from + room; // a line taller than a page is cut
            }
            place(out.pages.last(), objs, from, to, origin.y() + y, true);
            from = to;
            newPage();
            y = 0;
        }
    }
    m_prepared = std::move(out);
}

// ---- painting ----

void PreparedReport::paintPage(QPainter& p, int index) const {
    if (index < 0 || index >= pages.size()) return;
    const QPaintDevice* dev = p.device();
    const double sx = dev->logicalDpiX() / 96.0, sy = dev->logicalDpiY() / 96.0;
    auto toDevice = [&](const QRectF& r) { return QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy); };
    const double farAway = 4.0 * std::max(dev->width(), dev->height()) + 1e4;

    for (const PreparedItem& item : pages[index].items) {
        const QRectF rect = toDevice(item.rect);
        const bool clipped = !item.clip.isEmpty();
        const QRectF clip = clipped ? toDevice(item.clip) : QRectF();
        p.save();
        switch (item.object->kind()) {
        case ReportObject::Kind::Text: {
            const TextObject& t = *item.text();
            if (t.fill.alpha() > 0) p.fillRect(clipped ? rect.intersected(clip) : rect, t.fill);
            if (item.lines.isEmpty()) break;
            // A line longer than its object is cut at the object's edges; vertically only a split band
            // limits the text, so no descender is ever shaved off.
            const QRectF textClip(rect.left(), clipped ? clip.top() : -farAway, rect.width(),
                                  clipped ? clip.height() : 2 * farAway);
            p.setClipRect(textClip);
            p.setFont(t.font());
            p.setPen(t.color);
            Qt::Alignment h = t.alignment & Qt::AlignHorizontal_Mask;
            if (!h) h = Qt::AlignLeft;
            const double pitch = t.linePitch() * sy;
            double y = item.linesTop * sy;
            for (const QString& line : item.lines) {
                if (!line.isEmpty()) p.drawText(QRectF(rect.left(), y, rect.width(), pitch), int(h | Qt::AlignVCenter), line);
                y += pitch;
            }
            break;
        }
        case ReportObject::Kind::Picture:
            if (clipped) p.setClipRect(clip);
            static_cast<const PictureObject&>(*item.object).paint(p, rect);
            break;
        case ReportObject::Kind::Line: {
            const auto& l = static_cast<const LineObject&>(*item.object);
            if (clipped) p.setClipRect(clip);
            p.setPen(QPen(l.color, l.width * sx, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(rect.topLeft(), rect.bottomRight());
            break;
        }
        }
        p.restore();
    }
}

bool PreparedReport::paint(QPagedPaintDevice& device, QString* error, int first, int last) const {
    first = std::max(first, 0);
    last = last < 0 ? int(pages.size()) - 1 : std::min(last, int(pages.size()) - 1);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error) *error = QStringLiteral("the output cannot be started");
        return false;
    }
    for (int i = first; i <= last; ++i) {
        if (i > first) device.newPage();
        paintPage(painter, i);
    }
    painter.end();
    return true;
}

// ---- PDF ----

namespace {

// Why an export that replaces only a PDF must leave `path` alone, or an empty string.
QString refusalToReplace(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) return QStringLiteral("a symbolic link; a PDF is never written through a link");
    if (!info.exists()) return QString();
    if (!info.isFile()) return QStringLiteral("not a regular file; a PDF replaces only an earlier PDF");
    QFile existing(path);
    if (!existing.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read to see whether it is a PDF: %1").arg(existing.errorString());
    if (!existing.read(5).startsWith("%PDF-")) return QStringLiteral("not a PDF; a PDF replaces only an earlier PDF");
    return QString();
}

// The system's reason for a failed write ("No space left on device"). A write that a full disk cut
// short carries none ("Unknown error"); trying the rest once more makes the system give it.
QString writeFailure(QFileDevice& file) {
    file.flush();
    return file.errorString();
}

} // namespace

struct PdfExport::Impl {
    Impl(const QString& path, PdfExport::Replace replace) : file(path), replace(replace) {}
    QSaveFile file;
    PdfExport::Replace replace;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    PdfProperties properties;
    bool started = false, done = false;

    QString refusal() const {
        return replace == PdfExport::Replace::OnlyPdf ? refusalToReplace(file.fileName()) : QString();
    }
};

PdfExport::PdfExport(const QString& path, const PdfProperties& properties, Replace replace)
    : d(std::make_unique<Impl>(path, replace)) {
    d->properties = properties;
}

PdfExport::~PdfExport() {
    if (d->started && !d->done) {
        d->painter.end();
        d->file.cancelWriting();
    }
}

bool PdfExport::add(const PreparedReport& report) {
    if (d->done) return false;
    if (!d->started) {
        if (const QString why = d->refusal(); !why.isEmpty()) {
            m_error = why;
            return false;
        }
        if (!d->file.open(QIODevice::WriteOnly)) {
            m_error = d->file.errorString();
            return false;
        }
        d->writer = std::make_unique<QPdfWriter>(&d->file);
        d->writer->setResolution(1200);
        d->writer->setPageLayout(report.layout);
        d->writer->setTitle(d->properties.title);
        d->writer->setCreator(d->properties.creator);
        d->writer->setDocumentXmpMetadata(xmpPacket(d->properties));
        if (!d->painter.begin(d->writer.get())) {
            m_error = QStringLiteral("the PDF cannot be started");
            d->file.cancelWriting();
            return false;
        }
        d->started = true;
    } else {
        d->writer->setPageLayout(report.layout);
        d->writer->newPage();
    }
    for (int i = 0; i < report.pages.size(); ++i) {
        if (i > 0) d->writer->newPage();
        report.paintPage(d->painter, i);
        ++m_pages;
    }
    return true;
}

bool PdfExport::finish() {
    if (d->done) return false;
    if (!d->started || m_pages == 0) {
        m_error = QStringLiteral("no pages to write");
        return false;
    }
    d->done = true;
    d->painter.end();
    if (const QString why = d->refusal(); !why.isEmpty()) {
        m_error = why;
        d->file.cancelWriting();
        return false;
    }
    // The last pages still sit in the file's buffer: a full disk shows only when they are flushed,
    // and commit() alone would put the cut file in place.
    if (d->file.error() != QFileDevice::NoError || !d->file.flush() || !syncToDisk(d->file)) {
        m_error = d->file.error() != QFileDevice::NoError ? writeFailure(d->file)
                                                          : QStringLiteral("the PDF cannot be written to the disk");
        d->file.cancelWriting();
        return false;
    }
    if (!d->file.commit()) {
        m_error = d->file.errorString();
        return false;
    }
    return true;
}

bool exportPdf(const PreparedReport& report, const QString& path, const PdfProperties& properties, QString* error) {
    PdfExport pdf(path, properties);
    if (pdf.add(report) && pdf.finish()) return true;
    if (error) *error = pdf.errorString();
    return false;
}
