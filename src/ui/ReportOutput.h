#pragma once

#include "print/Report.h"

#include <QList>

#include <functional>

class QWidget;

// Printing and previewing prepared reports. Screens call reportOutput::print and ::preview; the
// program shows the printer dialog and the preview window, tests put a recorder in place so that
// no modal window ever waits for them.
class ReportOutput {
public:
    virtual ~ReportOutput() = default;

    // The printer dialog (printer, copies, pages), then the printer. True when the pages went to the
    // printer; false when the dialog was cancelled or the printer could not start (which the user is
    // told about).
    virtual bool print(QWidget* parent, const PreparedReport& report) = 0;
    // The modal preview, from which the user may print; returns when it is closed.
    virtual void preview(QWidget* parent, const PreparedReport& report) = 0;

    static ReportOutput& instance();
    // Tests put their own output in place; nullptr restores the real one.
    static void install(ReportOutput* output);
};

namespace reportOutput {
inline bool print(QWidget* parent, const Report& report) { return ReportOutput::instance().print(parent, report.prepared()); }
inline void preview(QWidget* parent, const Report& report) { ReportOutput::instance().preview(parent, report.prepared()); }
// What the real output does for print: the printer dialog, then the printer.
bool printWithDialog(QWidget* parent, const PreparedReport& report);
// Runs `riempi`, which fills and prepares a report, where a click is handled: a layout that lacks
// an object is told to the user instead of leaving through the event loop. False when it failed.
bool prepara(QWidget* parent, const std::function<void()>& riempi);
} // namespace reportOutput

// The test stand-in: keeps a copy of every prepared report handed over, and answers the printer
// dialog from a script (printed, when the script runs out).
class RecordingReportOutput : public ReportOutput {
public:
    enum Kind { Print, Preview };
    struct Call {
        Kind kind;
        PreparedReport report;
    };
    RecordingReportOutput() { install(this); }
    ~RecordingReportOutput() override { install(nullptr); }
    bool print(QWidget*, const PreparedReport& report) override {
        calls.append({Print, report});
        return printAnswers.isEmpty() ? true : printAnswers.takeFirst();
    }
    void preview(QWidget*, const PreparedReport& report) override { calls.append({Preview, report}); }

    QList<Call> calls;
    QList<bool> printAnswers; // false: the user cancels the printer dialog
};
