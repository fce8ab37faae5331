#pragma once

#include <QString>

// A JSON string literal, quotes included.
QString jsonString(const QString& s);
