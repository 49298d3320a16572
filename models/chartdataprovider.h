#ifndef CHARTDATAPROVIDER_H
#define CHARTDATAPROVIDER_H

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

// One point of a sensor's rolling series.
struct ChartPoint {
    qint64 time = 0; // milliseconds since the epoch
    double value = 0;
};

// The recent readings of one sensor, oldest first and bounded in number, with
// axis labels in whole seconds relative to the newest point.
class ChartDataProvider : public QObject {
    Q_OBJECT
    Q_PROPERTY(int size READ size WRITE setSize NOTIFY sizeChanged)

public:
    using Clock = std::function<qint64()>;
    static constexpr int DefaultSize = 32;

    explicit ChartDataProvider(QObject *parent = nullptr);
    // The runner keeps its series by value; a copy shares the parent.
    ChartDataProvider(const ChartDataProvider &other);
    ChartDataProvider &operator=(const ChartDataProvider &other);

    int size() const { return limit; }
    void setSize(int v);
    // Where append() takes its time stamps from; the system clock by default.
    void setClock(Clock clock);

    Q_INVOKABLE QList<qreal> getValues() const;
    Q_INVOKABLE QStringList getLabels() const;
    // Whether the device's latest answer held a reading; when it did not, the
    // series keeps the points before it.
    Q_INVOKABLE bool hasReading() const { return !points.isEmpty() && !missing; }
    // When the newest reading came, in milliseconds since the epoch; 0 before
    // the first.
    Q_INVOKABLE qint64 lastReadingTime() const { return points.isEmpty() ? 0 : points.last().time; }

signals:
    void sizeChanged(int v);

public slots:
    // A value that is not a finite number is no reading: no point for it.
    void append(double data);

private:
    int limit = DefaultSize;
    QList<ChartPoint> points;
    bool missing = false;
    Clock clock;
};

#endif // CHARTDATAPROVIDER_H
