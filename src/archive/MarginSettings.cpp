#include "MarginSettings.h"

#include "IniFile.h"
#include "Text.h"

#include <QDir>
#include <QRegularExpression>
#include <limits>

namespace marginiStampa {

QString iniPath(const QString& folder) { return QDir(folder).filePath(kFile); }

Texts load(const QString& folder) {
    const IniFile ini(iniPath(folder));
    Texts t{ini.readString(kSection, kSuperiore, QString()), ini.readString(kSection, kSinistro, QString())};
    if (text::trimmed(t.top).isEmpty()) t.top = QStringLiteral("0");
    if (text::trimmed(t.left).isEmpty()) t.left = QStringLiteral("0");
    return t;
}

bool store(const QString& folder, const QString& key, const QString& value, QString* error) {
    IniFile ini(iniPath(folder));
    return ini.writeString(kSection, key, text::trimmed(value), error);
}

std::optional<int> parseWhole(const QString& value) {
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    const QString t = text::trimmed(value);
    if (!whole.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok) return std::nullopt;
    return n;
}

std::optional<double> parseMm(const QString& value) {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+(,[0-9]*)?|,[0-9]+)$"));
    const QString t = text::trimmed(value);
    if (!decimal.match(t).hasMatch()) return std::nullopt;
    QString c = t;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    if (c.startsWith(QLatin1Char('.')) || c.startsWith(QLatin1String("-.")) || c.startsWith(QLatin1String("+.")))
        c.insert(c.indexOf(QLatin1Char('.')), QLatin1Char('0'));
    bool ok = false;
    const double mm = c.toDouble(&ok);
    // Beyond a few metres the print is off the paper anyway; refusing keeps the arithmetic sane.
    if (!ok || std::abs(mm) > 10000.0) return std::nullopt;
    return mm;
}

QString notWholeMessage(const QString& value) {
    return QStringLiteral("Attenzione: il valore \"%1\" non è un numero intero di millimetri.").arg(value);
}

QString notNumberMessage(const QString& value) {
    return QStringLiteral("Attenzione: il margine \"%1\" non è un numero valido: la stampa non è stata eseguita.")
        .arg(value);
}

} // namespace marginiStampa
