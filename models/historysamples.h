#ifndef HISTORYSAMPLES_H
#define HISTORYSAMPLES_H

#include <QJsonObject>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtNumeric>

#include <optional>

// A downloaded history kept as numbers: one series per field, oldest first,
// each aligned to the newest row (a shorter series has no samples for the
// first rows). A sample the device sent as anything but a number is NaN.
// Copies share their series, so a copy taken for saving costs nothing.
struct HistorySamples {
    // Why a device's history reply cannot be read as the model's series.
    enum class Problem { None, SeriesMissing, UnevenIntervals, NoInterval };

    qint64 downloaded = 0; // milliseconds since the epoch
    qint64 firstTime = 0;
    int interval = 0; // milliseconds
    int rows = 0;
    QVector<QVector<double>> fields;

    qint64 time(int row) const { return firstTime + qint64(row) * interval; }
    // Whether field `k` has a sample for `row` at all.
    bool has(int k, int row) const { return row >= rows - fields.at(k).size(); }
    double sample(int k, int row) const
    {
        return has(k, row) ? fields.at(k).at(row - (rows - fields.at(k).size())) : qQNaN();
    }
    // A history reply read as `fields` ("t", or "t" and "h"), downloaded at
    // `now`: its newest sample lies half an interval before. A series that
    // is there but empty is an empty history; one that is missing, or
    // series at different rates, are no history at all.
    static std::optional<HistorySamples> read(
        const QJsonObject &reply, const QStringList &fields, qint64 now, Problem *problem);
    // The shortest text that reads back as the same number; empty for none.
    static QString numberText(double value)
    {
        return qIsNaN(value) ? QString()
                             : QString::number(value, 'g', QLocale::FloatingPointShortest);
    }
};

#endif // HISTORYSAMPLES_H
