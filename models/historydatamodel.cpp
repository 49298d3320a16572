#include "models/historydatamodel.h"

#include "link/protocol.h"
#include "models/timetext.h"

#include <QDateTime>

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
        return TimeText::shown(QDateTime::fromMSecsSinceEpoch(history.time(row)));
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
    HistorySamples::Problem problem;
    const auto samples = HistorySamples::read(source, fields, clock(), &problem);
    if (samples)
        show(*samples, newUnits);
    else
        clear();
}

void HistoryDataModel::show(const HistorySamples &samples, const QStringList &newUnits)
{
    clear();
    if (samples.rows < 1)
        return;
    beginResetModel();
    history = samples;
    units = newUnits;
    endResetModel();
    downloaded = QDateTime::fromMSecsSinceEpoch(samples.downloaded);
    emit downloadedAtChanged();
    emit intervalUpdated(samples.interval);
}
