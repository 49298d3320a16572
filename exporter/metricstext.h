#ifndef METRICSTEXT_H
#define METRICSTEXT_H

#include "exporter/devicesample.h"

#include <QByteArray>
#include <QVector>

// Devices as Prometheus's text format reads them. Names follow its
// conventions: base units (_celsius, _seconds), humidity as a ratio from 0 to
// 1 (what 0.45 means is never in doubt, and it sums and averages as a
// ratio), an _info series carrying the model and firmware. Every label
// value is device or operator text, made safe before it is quoted.
class MetricsText {
public:
    // Every family for `samples` (none are left out for having no devices,
    // so a dashboard finds them all), as of `nowMsec`.
    static QByteArray devices(const QVector<DeviceSample> &samples, qint64 nowMsec);
    // One family of one value, with its help and type lines.
    static QByteArray family(const char *name, const char *type, const char *help, double value);
    // A number as the format writes it: NaN and the infinities by name.
    static QByteArray number(double value);
    // A label's value: device text shown safely, cut, then escaped as the
    // format asks (backslash, double quote, line feed).
    static QByteArray labelValue(const QString &text);
};

#endif // METRICSTEXT_H
