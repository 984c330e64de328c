#pragma once

#include <QByteArray>

// Language code of a two-letter tag: 0 PL, 1 EN, 2 DE, 3 IT, 4 SE, 5 NL, 6 ES, 7 FI, 8 FR; -1 otherwise.
// Letter case and surrounding blanks or control characters are ignored.
qint32 StringToLanguageCode(const QByteArray &text);
