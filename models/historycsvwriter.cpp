#include "models/historycsvwriter.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {
// How long one slice may hold the program up.
constexpr int SliceMsec = 20;
constexpr int RowsPerCheck = 256;
} // namespace

HistoryCsvWriter::HistoryCsvWriter(
    const HistorySamples &samples, const QStringList &titles, const QString &path, QObject *parent)
    : QObject(parent)
    , samples(samples)
    , titles(titles)
    , file(path)
{
}

void HistoryCsvWriter::start()
{
    if (!file.open()) {
        finish(false);
        return;
    }
    const QByteArray head
        = QStringLiteral("time,%1\r\n").arg(titles.join(QLatin1Char(','))).toUtf8();
    if (!file.write(head)) {
        finish(false);
        return;
    }
    QTimer::singleShot(0, this, &HistoryCsvWriter::writeSlice);
}

QByteArray HistoryCsvWriter::rows(const HistorySamples &samples, int first, int last)
{
    QByteArray text;
    // The zone's offset from UTC changes at most a few times a year, and
    // never between two quarter hours: asking the system for each of a few
    // million rows would take most of the time.
    constexpr qint64 Quarter = 15 * 60 * 1000;
    qint64 quarter = -1;
    int offset = 0;
    char line[64];
    for (int row = first; row < last; ++row) {
        const qint64 utc = samples.time(row);
        if (utc / Quarter != quarter || utc < 0) {
            quarter = utc / Quarter;
            offset = QDateTime::fromMSecsSinceEpoch(utc).offsetFromUtc();
        }
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(utc + offset * 1000LL, Qt::UTC);
        const QDate day = local.date();
        const QTime time = local.time();
        std::snprintf(line, sizeof line, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", day.year(),
            day.month(), day.day(), time.hour(), time.minute(), time.second(),
            offset < 0 ? '-' : '+', qAbs(offset) / 3600, qAbs(offset) % 3600 / 60);
        text += line;
        // Only a number is a measurement: a text the device sent never reaches
        // the cells, where a spreadsheet could take it for a formula.
        for (int k = 0; k < samples.fields.size(); ++k)
            text += ',' + HistorySamples::numberText(samples.sample(k, row)).toLatin1();
        text += "\r\n";
    }
    return text;
}

void HistoryCsvWriter::writeSlice()
{
    QElapsedTimer slice;
    slice.start();
    while (next < samples.rows && !slice.hasExpired(SliceMsec)) {
        const int last = qMin(samples.rows, next + RowsPerCheck);
        const QByteArray text = rows(samples, next, last);
        if (!file.write(text)) {
            finish(false);
            return;
        }
        next = last;
    }
    if (next < samples.rows)
        QTimer::singleShot(0, this, &HistoryCsvWriter::writeSlice);
    else
        finish(file.commit());
}

void HistoryCsvWriter::finish(bool saved)
{
    const QString error = saved ? QString() : file.errorString();
    if (!saved)
        file.cancel();
    emit finished(saved, error);
}
