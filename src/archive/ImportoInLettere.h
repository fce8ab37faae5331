#pragma once

#include <QString>

// An amount in Italian words, all run together in capitals as the slip's words line wants it:
// 2120 -> DUEMILACENTOVENTI. `value` counts ten-thousandths of a euro.
QString ImportoInLettere(qint64 value);

// The words of one group of three digits (0..999), lower case; empty for 0.
QString GruppoInLettere(int n);
