#include "models/chartdataprovider.h"

#include <QDateTime>
#include <QtNumeric>

ChartDataProvider::ChartDataProvider(QObject *parent)
    : QObject(parent)
    , clock(&QDateTime::currentMSecsSinceEpoch)
{
}

ChartDataProvider::ChartDataProvider(const ChartDataProvider &other)
    : QObject(other.parent())
    , limit(other.limit)
    , points(other.points)
    , missing(other.missing)
    , clock(other.clock)
{
}

ChartDataProvider &ChartDataProvider::operator=(const ChartDataProvider &other)
{
    limit = other.limit;
    points = other.points;
    missing = other.missing;
    clock = other.clock;
    return *this;
}

void ChartDataProvider::setSize(int v)
{
    if (v < 1 || v == limit)
        return;
    limit = v;
    while (points.size() > limit)
        points.removeFirst();
    emit sizeChanged(v);
}

void ChartDataProvider::setClock(Clock newClock)
{
    clock = std::move(newClock);
}

void ChartDataProvider::append(double data)
{
    missing = !qIsFinite(data);
    if (missing)
        return;
    if (points.size() >= limit)
        points.removeFirst();
    points.append({ clock(), data });
}

QList<qreal> ChartDataProvider::getValues() const
{
    QList<qreal> values;
    values.reserve(points.size());
    for (const ChartPoint &p : points)
        values.append(p.value);
    return values;
}

QStringList ChartDataProvider::getLabels() const
{
    QStringList labels;
    if (points.isEmpty())
        return labels;
    const qint64 newest = points.last().time;
    labels.reserve(points.size());
    // Whole seconds before the newest point, rounded half up.
    for (const ChartPoint &p : points)
        labels.append(QString::number((p.time - newest - 500) / 1000));
    return labels;
}
