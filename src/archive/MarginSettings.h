#pragma once

#include <QString>
#include <optional>

// The top and left offsets of the blank-form print, in whole millimetres, kept in "Bollettini.ini"
// in the program folder. The print dialog holds them as texts; these are the texts' rules.
namespace marginiStampa {

inline const QString kFile = QStringLiteral("Bollettini.ini");
inline const QString kSection = QStringLiteral("Margini Stampa CH8 Bis");
inline const QString kSuperiore = QStringLiteral("Superiore");
inline const QString kSinistro = QStringLiteral("Sinistro");

QString iniPath(const QString& folder);

struct Texts {
    QString top, left;
};

// Both values as stored; a missing file, section or key, or a blank value, gives "0".
Texts load(const QString& folder);

// Writes one key; false with the reason in `error` when the file cannot be written.
bool store(const QString& folder, const QString& key, const QString& value, QString* error);

// A whole number of millimetres, as the step buttons need it ("-2", " 3 ").
std::optional<int> parseWhole(const QString& value);

// A decimal number of millimetres with the decimal comma ("-2", "1,5"), as printing needs it.
std::optional<double> parseMm(const QString& value);

// The messages for a value that is not a number; the texts name the offending value.
QString notWholeMessage(const QString& value);
QString notNumberMessage(const QString& value);

} // namespace marginiStampa
