#include "models/historycsvwriter.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>

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
    // A folder that takes no new file may still let the file itself be
    // rewritten in place.
    file.setDirectWriteFallback(true);
}

void HistoryCsvWriter::start()
{
    if (!file.open(QIODevice::WriteOnly)) {
        finish(false);
        return;
    }
    const QByteArray head
        = QStringLiteral("time,%1\r\n").arg(titles.join(QLatin1Char(','))).toUtf8();
    if (file.write(head) != head.size()) {
        finish(false);
        return;
    }
    QTimer::singleShot(0, this, &HistoryCsvWriter::writeSlice);
}

QByteArray HistoryCsvWriter::rows(const HistorySamples &samples, int first, int last)
{
    QByteArray text;
    for (int row = first; row < last; ++row) {
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(samples.time(row));
        const int offset = local.offsetFromUtc();
        QString line = local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
            + QStringLiteral("%1%2:%3")
                  .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                  .arg(qAbs(offset) / 3600, 2, 10, QLatin1Char('0'))
                  .arg(qAbs(offset) % 3600 / 60, 2, 10, QLatin1Char('0'));
        // Only a number is a measurement: a text the device sent never reaches
        // the cells, where a spreadsheet could take it for a formula.
        for (int k = 0; k < samples.fields.size(); ++k)
            line += QLatin1Char(',') + HistorySamples::numberText(samples.sample(k, row));
        text += line.toUtf8() + "\r\n";
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
        if (file.write(text) != text.size()) {
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
        file.cancelWriting();
    emit finished(saved, error);
}
