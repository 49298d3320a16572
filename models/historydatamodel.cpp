#include "models/historydatamodel.h"

#include "link/protocol.h"
#include "models/devicetext.h"

#include <QDateTime>
#include <QJsonArray>
#include <QLocale>

HistoryDataModel::HistoryDataModel(QObject *parent)
    : QAbstractListModel(parent)
    , clock(&QDateTime::currentMSecsSinceEpoch)
{
}

int HistoryDataModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : records.size();
}

QVariant HistoryDataModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= records.size())
        return {};
    if (role == TimeRole)
        return QDateTime::fromMSecsSinceEpoch(records.at(row).time)
            .toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"));
    if (role == ValueRole)
        return records.at(row).value;
    return {};
}

QHash<int, QByteArray> HistoryDataModel::roleNames() const
{
    return { { TimeRole, "htime" }, { ValueRole, "hvalue" } };
}

void HistoryDataModel::setClock(Clock newClock)
{
    clock = std::move(newClock);
}

void HistoryDataModel::clear()
{
    if (records.isEmpty())
        return;
    beginRemoveRows(QModelIndex(), 0, records.size() - 1);
    records.clear();
    endRemoveRows();
}

void HistoryDataModel::update(QJsonObject source, QStringList fields, QStringList units)
{
    clear();

    QList<QJsonArray> arrays;
    int rows = 0;
    int interval = 0;
    if (fields.size() == 1) {
        arrays.append(source.value(Protocol::Data).toArray());
        rows = arrays.first().size();
        interval = source.value(Protocol::Interval).toInt(-1);
    } else {
        if (fields.isEmpty())
            return;
        for (const QString &field : fields) {
            const QJsonObject series = source.value(field).toObject();
            arrays.append(series.value(Protocol::Data).toArray());
            rows = qMax(rows, arrays.last().size());
            const int fieldInterval = series.value(Protocol::Interval).toInt(-1);
            if (interval == 0)
                interval = fieldInterval;
            else if (fieldInterval != interval)
                return; // samples taken at different rates cannot share rows
        }
    }
    if (interval < 1 || rows < 1)
        return;

    beginInsertRows(QModelIndex(), 0, rows - 1);
    // The newest sample lies half an interval before now; 64-bit arithmetic,
    // as long histories span more than 2^31 ms.
    qint64 time = clock() - qint64(rows - 1) * interval - interval / 2;
    for (int r = 0; r < rows; ++r) {
        const int remaining = rows - r;
        QString value;
        QStringList numbers;
        for (int k = 0; k < arrays.size(); ++k) {
            const QJsonArray &samples = arrays.at(k);
            // Shorter arrays hold the newest samples: they fill the last rows.
            QJsonValue sample;
            if (samples.size() >= remaining) {
                sample = samples.at(r - (rows - samples.size()));
                value += DeviceText::shown(sample.toVariant().toString(), DeviceText::NameLimit)
                    + QLatin1Char(' ') + units.value(k);
            }
            value += QStringLiteral(" ,");
            // Only a number is a measurement; the shortest text that reads
            // back as the same number.
            numbers << (sample.isDouble()
                    ? QString::number(sample.toDouble(), 'g', QLocale::FloatingPointShortest)
                    : QString());
        }
        value.chop(1);
        records.append({ time, value, numbers });
        time += interval;
    }
    endInsertRows();
    emit intervalUpdated(interval);
}

QByteArray HistoryDataModel::csv(const QStringList &titles) const
{
    QByteArray text = QStringLiteral("time,%1\r\n").arg(titles.join(QLatin1Char(','))).toUtf8();
    for (const HistoryRecord &record : records) {
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(record.time);
        const int offset = local.offsetFromUtc();
        const QString zone = QStringLiteral("%1%2:%3")
                                 .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                                 .arg(qAbs(offset) / 3600, 2, 10, QLatin1Char('0'))
                                 .arg(qAbs(offset) % 3600 / 60, 2, 10, QLatin1Char('0'));
        QStringList cells { local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + zone };
        for (int k = 0; k < titles.size(); ++k)
            cells << record.numbers.value(k);
        text += cells.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return text;
}
