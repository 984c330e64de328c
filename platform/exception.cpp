#include "exception.h"

QString ExceptionDisplayText(QString message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        message += QLatin1Char('.');
    return message;
}
