#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QPainter;
class QPagedPaintDevice;

// Report units are 1/96 inch, the unit every layout of the program is drawn in; page margins are
// in millimetres.
namespace report {
inline constexpr double kUnitsPerMm = 96.0 / 25.4;
constexpr double fromMm(double mm) { return mm * kUnitsPerMm; }
constexpr double toMm(double units) { return units / kUnitsPerMm; }
} // namespace report

// A name that a layout does not hold: a programming error, never a user's.
class ReportError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// One named object of a layout. Its rectangle is in report units, measured from the top-left corner
// of the page area inside the margins, or of the band that holds it.
class ReportObject {
public:
    enum class Kind { Text, Picture, Line };
    virtual ~ReportObject() = default;

    Kind kind() const { return m_kind; }
    const QString& name() const { return m_name; }

    QRectF rect;

    void setHeight(double units) { rect.setHeight(units); }
    virtual std::unique_ptr<ReportObject> clone() const = 0;

protected:
    ReportObject(Kind kind, QString name, const QRectF& r) : rect(r), m_kind(kind), m_name(std::move(name)) {}
    ReportObject(const ReportObject&) = default;

private:
    Kind m_kind;
    QString m_name;
};

class TextObject : public ReportObject {
public:
    TextObject(QString name, const QRectF& r) : ReportObject(Kind::Text, std::move(name), r) {}

    QString fontFamily = QStringLiteral("Arial");
    double fontSize = 10; // points
    bool bold = false, italic = false, underline = false;
    QColor color = Qt::black;
    QColor fill = Qt::transparent;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    // "[DATE]" and "[TIME]" are replaced when the pages are prepared; other texts print literally.
    bool expressions = false;
    // Distance between two lines in report units; 0 means 1.2 times the font size.
    double lineSpacing = 0;

    // The whole text; line breaks (LF, CRLF or CR) separate its lines.
    void setText(const QString& text);
    QString text() const { return m_lines.join(QLatin1Char('\n')); }
    void clearLines() { m_lines.clear(); }
    void addLine(const QString& line) { m_lines.append(line); }
    const QStringList& lines() const { return m_lines; }

    double linePitch() const { return lineSpacing > 0 ? lineSpacing : fontSize * 96.0 / 72.0 * 1.2; }
    // The font at its size in points; it takes its pixel size from the device it is drawn on.
    QFont font() const;

    std::unique_ptr<ReportObject> clone() const override { return std::make_unique<TextObject>(*this); }

private:
    QStringList m_lines;
};

// A picture scaled into its frame: a bitmap, an SVG document, or a drawing made with a painter at
// whatever resolution the page is printed in.
class PictureObject : public ReportObject {
public:
    // Draws the picture into `target`, a rectangle in the painter's device coordinates.
    using Drawing = std::function<void(QPainter& painter, const QRectF& target)>;

    PictureObject(QString name, const QRectF& r) : ReportObject(Kind::Picture, std::move(name), r) {}

    void setImage(const QImage& image);
    void setSvg(const QByteArray& svg);
    void setDrawing(const QSizeF& naturalSize, Drawing drawing);

    bool keepAspect = true; // scaled with its proportions kept...
    bool centred = true;    // ...and centred in the frame, or else put at its top-left corner

    QSizeF naturalSize() const { return m_natural; }
    // Where the picture lands inside `frame` (any coordinates).
    QRectF placedIn(const QRectF& frame) const;
    void paint(QPainter& painter, const QRectF& frame) const;

    std::unique_ptr<ReportObject> clone() const override { return std::make_unique<PictureObject>(*this); }

private:
    QImage m_image;
    QByteArray m_svg;
    Drawing m_drawing;
    QSizeF m_natural;
};

// A straight line from the rectangle's top-left to its bottom-right corner; a height of 0 makes it
// horizontal, a width of 0 vertical.
class LineObject : public ReportObject {
public:
    LineObject(QString name, const QRectF& r) : ReportObject(Kind::Line, std::move(name), r) {}

    QColor color = Qt::black;
    double width = 1; // report units

    std::unique_ptr<ReportObject> clone() const override { return std::make_unique<LineObject>(*this); }
};

// A horizontal strip of a list report. Bands are laid out one after another, in the order they were
// added; a band that may split continues at the top of the next page when it does not fit.
class Band {
public:
    enum class Kind { Title, Data, Footer };
    Band(QString name, Kind kind, double height) : name(std::move(name)), kind(kind), height(height) {}

    QString name;
    Kind kind;
    double height; // report units
    bool canSplit = false;
    std::vector<std::unique_ptr<ReportObject>> objects;

    void setHeight(double units) { height = units; }
};

// What a prepared page draws: a snapshot of an object taken when the report was prepared, placed on
// the paper. Rectangles are in report units from the paper's top-left corner, margins included.
struct PreparedItem {
    std::shared_ptr<const ReportObject> object;
    QRectF rect;
    // A band that splits shows only its part on this page; empty for objects drawn whole.
    QRectF clip;
    // Text objects: the lines printed here, and where the first of them starts.
    QStringList lines;
    double linesTop = 0;

    const QString& name() const { return object->name(); }
    const TextObject* text() const;
};

struct PreparedPage {
    QList<PreparedItem> items;
    // The first item of that name on the page, or nullptr.
    const PreparedItem* find(const QString& name) const;
};

// The pages of a report as prepared: independent of the report, so it can be printed, previewed or
// written out after the report has changed or gone.
class PreparedReport {
public:
    QString name;
    QPageLayout layout; // paper size and orientation; its margins are 0, the page is printed whole
    QList<PreparedPage> pages;

    // Draws one page with the painter's origin at the paper's top-left corner; the device's
    // resolution gives the scale.
    void paintPage(QPainter& painter, int index) const;
    // Every page from `first` to `last` (0-based, -1 for the last page) on a paged device whose page
    // layout the caller has set (a printer printing the whole page, a PDF); false, with the reason,
    // when painting cannot start.
    bool paint(QPagedPaintDevice& device, QString* error = nullptr, int first = 0, int last = -1) const;
};

class Report {
public:
    explicit Report(QString name);
    Report(Report&&) noexcept;
    Report& operator=(Report&&) noexcept;
    ~Report();

    const QString& name() const { return m_name; }

    // Paper, orientation and margins (mm). Margins may be negative: the page is then printed
    // whole and everything moves up or left.
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins;
    void setTopMargin(double mm) { margins.setTop(mm); }
    void setLeftMargin(double mm) { margins.setLeft(mm); }
    void setOrientation(QPageLayout::Orientation o) { orientation = o; }
    QSizeF paperSizeMm() const;

    // Objects on the page itself (band == nullptr) are drawn on every page, before the bands, in the
    // order they were added. Names are unique within a report.
    TextObject& addText(const QString& name, const QRectF& rect, Band* band = nullptr);
    PictureObject& addPicture(const QString& name, const QRectF& rect, Band* band = nullptr);
    LineObject& addLine(const QString& name, const QRectF& rect, Band* band = nullptr);
    Band& addBand(const QString& name, Band::Kind kind, double height);

    ReportObject* find(const QString& name) const;
    Band* findBand(const QString& name) const;
    // The text object of that name; throws ReportError when the layout has none.
    TextObject& text(const QString& name) const;
    Band& band(const QString& name) const;
    // Every object, page objects first, then band by band.
    QList<ReportObject*> objects() const;

    // Lays out the pages from the current texts, replacing earlier results. `now` fills [DATE]
    // ("dd/MM/yyyy") and [TIME] ("HH:mm:ss").
    void prepare(const QDateTime& now);
    const PreparedReport& prepared() const { return m_prepared; }

private:
    template <class T> T& add(std::unique_ptr<T> object, Band* band);

    QString m_name;
    std::vector<std::unique_ptr<ReportObject>> m_pageObjects;
    std::vector<std::unique_ptr<Band>> m_bands;
    QHash<QString, ReportObject*> m_byName;
    PreparedReport m_prepared;
};

// Document properties of a PDF: title and creator go in the document information, subject and
// author in the XMP metadata (which carries all four).
struct PdfProperties {
    QString title, subject, author, creator;
};

// A PDF written page by page, possibly from several reports, into a temporary file in the same
// folder. The file appears, or replaces an existing one, only when finish() succeeds; a failed or
// abandoned export leaves the path as it was.
class PdfExport {
public:
    // What the export may replace. Anything: whatever the path holds (a symbolic link is followed).
    // OnlyPdf: nothing, or a regular file that is a PDF; a symbolic link, a folder, a device, a FIFO
    // or another kind of file is left alone and the export fails. Checked before the first page and
    // again just before the finished file takes the path's place.
    enum class Replace { Anything, OnlyPdf };

    PdfExport(const QString& path, const PdfProperties& properties, Replace replace = Replace::Anything);
    ~PdfExport();
    PdfExport(const PdfExport&) = delete;
    PdfExport& operator=(const PdfExport&) = delete;

    // Appends the report's pages; false when the file cannot be started.
    bool add(const PreparedReport& report);
    int pageCount() const { return m_pages; }
    // Completes the file; false when nothing was added or writing failed (errorString() gives the
    // system's reason, "No space left on device").
    bool finish();
    QString errorString() const { return m_error; }

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    int m_pages = 0;
    QString m_error;
};

// Writes a prepared report to `path`, no dialog, replacing an existing file.
bool exportPdf(const PreparedReport& report, const QString& path, const PdfProperties& properties,
               QString* error = nullptr);
