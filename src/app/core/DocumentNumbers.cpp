#include "app/core/DocumentNumbers.h"

ComposedNumber composeDocumentNumber(const QString &prefix, int digitCount, bool leadingZeros, qint64 counter)
{
    const QString digits = QString::number(counter);
    QString number;
    if (leadingZeros) {
        if (digitCount >= 1 && digitCount <= 5) {
            qint64 limit = 1;
            for (int i = 0; i < digitCount; ++i)
                limit *= 10;
            if (counter >= limit)
                return {};
        }
        number = prefix + QString(qMax(0, digitCount - int(digits.size())), u'0') + digits;
    } else {
        number = prefix + digits;
    }
    return {number, number.size() <= kDocumentNumberWidth};
}
