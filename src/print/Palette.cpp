#include "Palette.h"

#include <QDebug>
#include <QHash>
#include <QRegularExpression>

namespace palette {

namespace {
const QHash<QString, QColor>& named() {
    static const QHash<QString, QColor> colours = {
        {QStringLiteral("ink"), ink},         {QStringLiteral("deep"), deep},
        {QStringLiteral("steel"), steel},     {QStringLiteral("page"), page},
        {QStringLiteral("rule"), rule},       {QStringLiteral("plain"), plain},
        {QStringLiteral("frameLine"), frameLine}, {QStringLiteral("frameFill"), frameFill},
        {QStringLiteral("frameTab"), frameTab},   {QStringLiteral("grid"), grid},
        {QStringLiteral("header"), header},   {QStringLiteral("band"), band},
        {QStringLiteral("focus"), focus},     {QStringLiteral("fixedFill"), fixedFill},
        {QStringLiteral("fixedInk"), fixedInk}, {QStringLiteral("shownFill"), shownFill},
        {QStringLiteral("note"), note},       {QStringLiteral("alert"), alert},
        {QStringLiteral("alertFill"), alertFill}, {QStringLiteral("done"), done},
        {QStringLiteral("warnInk"), warnInk}, {QStringLiteral("warnLine"), warnLine},
        {QStringLiteral("warnFill"), warnFill},
    };
    return colours;
}
} // namespace

QString sheet(const QString& css) {
    static const QRegularExpression name(QStringLiteral("@([A-Za-z]+)"));
    QString out;
    out.reserve(css.size());
    qsizetype from = 0;
    for (auto it = name.globalMatch(css); it.hasNext();) {
        const auto m = it.next();
        const auto colour = named().find(m.captured(1));
        if (colour == named().end()) {
            qWarning("palette: no colour is called %s", qPrintable(m.captured(1)));
            continue;
        }
        out += QStringView(css).sliced(from, m.capturedStart() - from);
        out += colour->name();
        from = m.capturedEnd();
    }
    out += QStringView(css).sliced(from);
    return out;
}

} // namespace palette
