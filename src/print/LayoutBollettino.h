#pragma once

#include "Report.h"
#include "archive/SchedaBollettino.h"

#include <QList>

// The two-section slip as the print sees it: where every printed box and line sits on the
// landscape A4 page of the blank form, in millimetres. Both slip reports and the drawn slip
// picture read these tables, so the characters and their boxes always line up.
namespace layoutBollettino {

inline constexpr double kBoxWidthMm = 2.80;
// The A4 print puts the slip in the lower half of the sheet.
inline constexpr double kA4ShiftMm = 106.40;
// The slip picture of the A4 print: the whole width of the sheet, 103 mm high.
inline constexpr double kSlipWidthMm = 297.00;
inline constexpr double kSlipHeightMm = 103.00;

enum class Fill {
    Right, // the text ends in the last box; what does not fit is lost on the left
    Left   // the text starts in the first box; what does not fit is lost on the right
};

// One row of character boxes, box k (from 1 at the left) named prefix + two digits + suffix.
struct BoxRow {
    QString prefix, suffix;
    double topMm, heightMm;
    QList<double> leftsMm;
    QString (*source)(const TSchedaBollettino&); // the record field, trimmed
    Fill fill;

    int count() const { return int(leftsMm.size()); }
    QString boxName(int k) const;
    QRectF boxMm(int k) const { return {leftsMm[k - 1], topMm, kBoxWidthMm, heightMm}; }
};

// A text printed whole on one line.
struct LineField {
    QString name;
    double leftMm, topMm, widthMm, heightMm;
    QString (*text)(const TSchedaBollettino&);

    QRectF rectMm() const { return {leftMm, topMm, widthMm, heightMm}; }
};

const QList<BoxRow>& boxRows();
const QList<LineField>& lineFields();

// The N characters for N boxes; a blank box prints nothing.
QString rightAligned(const QString& text, int n);
QString leftAligned(const QString& text, int n);

// The blank-form report ("repBollettino_Blank"): only the data, margins 0 until the print sets them.
Report blankReport();
// The A4 report ("repBollettino_Graph"): the drawn slip in the lower half with the data in its boxes.
Report graphReport();

// Fills every text object from the slip's fields, each trimmed first.
void fill(Report& report, const TSchedaBollettino& slip);

// The slip picture: both sections with frames, boxes, captions and euro signs, drawn into `target`
// (device coordinates) as a sheet of kSlipWidthMm x kSlipHeightMm.
void drawArtwork(QPainter& painter, const QRectF& target);

} // namespace layoutBollettino
