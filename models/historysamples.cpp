#include "models/historysamples.h"

#include "link/protocol.h"

#include <QJsonArray>

namespace {
QVector<double> numbers(const QJsonArray &array)
{
    QVector<double> out;
    out.reserve(array.size());
    for (const QJsonValue &v : array)
        out.append(v.isDouble() ? v.toDouble() : qQNaN());
    return out;
}
} // namespace

std::optional<HistorySamples> HistorySamples::read(
    const QJsonObject &reply, const QStringList &fields, qint64 now, Problem *problem)
{
    // The wired model sends its one series at the top level, the Wi-Fi
    // model one object per field.
    QList<QJsonObject> series;
    if (fields.size() == 1)
        series.append(reply);
    for (int i = 0; fields.size() > 1 && i < fields.size(); ++i)
        series.append(reply.value(fields.at(i)).toObject());
    *problem = Problem::None;
    if (series.isEmpty())
        *problem = Problem::SeriesMissing;
    int interval = -1;
    HistorySamples out;
    for (const QJsonObject &one : qAsConst(series)) {
        if (!one.value(Protocol::Data).isArray()) {
            *problem = Problem::SeriesMissing;
            break;
        }
        const int own = one.value(Protocol::Interval).toInt(-1);
        if (own < 1) {
            *problem = Problem::NoInterval;
            break;
        }
        if (interval > 0 && own != interval) {
            *problem = Problem::UnevenIntervals;
            break;
        }
        interval = own;
        out.fields.append(numbers(one.value(Protocol::Data).toArray()));
        out.rows = qMax(out.rows, out.fields.last().size());
    }
    if (*problem != Problem::None)
        return std::nullopt;
    out.interval = interval;
    out.downloaded = now;
    // 64-bit arithmetic: long histories span more than 2^31 ms.
    out.firstTime = now - qint64(out.rows - 1) * interval - interval / 2;
    return out;
}
