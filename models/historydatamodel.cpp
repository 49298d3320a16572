#include "models/historydatamodel.h"

#include "link/protocol.h"

#include <QDateTime>
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

HistoryDataModel::HistoryDataModel(QObject *parent)
    : QAbstractListModel(parent)
    , clock(&QDateTime::currentMSecsSinceEpoch)
{
}

int HistoryDataModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : history.rows;
}

QVariant HistoryDataModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= history.rows)
        return {};
    if (role == TimeRole)
        return QDateTime::fromMSecsSinceEpoch(history.time(row))
            .toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"));
    if (role != ValueRole)
        return {};
    QString value;
    for (int k = 0; k < history.fields.size(); ++k) {
        if (history.has(k, row))
            value += HistorySamples::numberText(history.sample(k, row)) + QLatin1Char(' ')
                + units.value(k);
        value += QStringLiteral(" ,");
    }
    value.chop(1);
    return value;
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
    if (downloaded.isValid()) {
        downloaded = QDateTime();
        emit downloadedAtChanged();
    }
    if (history.rows == 0)
        return;
    beginResetModel();
    history = HistorySamples();
    endResetModel();
}

void HistoryDataModel::update(QJsonObject source, QStringList fields, QStringList newUnits)
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

    HistorySamples fresh;
    // The newest sample lies half an interval before now; 64-bit arithmetic,
    // as long histories span more than 2^31 ms.
    const qint64 now = clock();
    fresh.firstTime = now - qint64(rows - 1) * interval - interval / 2;
    fresh.interval = interval;
    fresh.rows = rows;
    for (const QJsonArray &array : qAsConst(arrays))
        fresh.fields.append(numbers(array));
    beginResetModel();
    history = fresh;
    units = newUnits;
    endResetModel();
    downloaded = QDateTime::fromMSecsSinceEpoch(now);
    emit downloadedAtChanged();
    emit intervalUpdated(interval);
}
