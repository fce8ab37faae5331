#pragma once

class QLineEdit;

// Codes copied from a bank statement come in groups ("IT60 X054 2811 ..."): whatever the user types
// or pastes into `field` loses its blanks first, and only then is cut to the field's length, so a
// grouped code fits whole. Text the program puts in the field is left as it is.
void senzaSpazi(QLineEdit* field);
