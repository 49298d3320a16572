#include "models/historydatamodel.h"

#include "link/protocol.h"
#include "models/timetext.h"

#include <QCoreApplication>
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
    if (role == SpokenRole)
        return spoken(row);
    if (role != ValueRole)
        return {};
    QStringList values;
    for (int k = 0; k < history.fields.size(); ++k)
        values << sampleText(k, row);
    return values;
}

namespace {
// The sensors' names as the window calls them: the first field is the
// temperature, the second the humidity.
const char *const FieldNames[]
    = { QT_TRANSLATE_NOOP("IOTRunner", "Temperature"), QT_TRANSLATE_NOOP("IOTRunner", "Humidity") };
} // namespace

QString HistoryDataModel::sampleText(int k, int row) const
{
    return history.has(k, row) ? QLocale().toString(history.sample(k, row), 'f', Decimals)
                               : QString();
}

QString HistoryDataModel::downloadedText() const
{
    return downloaded.isValid() ? TimeText::shown(downloaded) : QString();
}

QStringList HistoryDataModel::columns() const
{
    QStringList names { tr("Time") };
    for (int k = 0; k < history.fields.size() && k < 2; ++k) {
        const QString name = QCoreApplication::translate("IOTRunner", FieldNames[k]);
        names << (units.value(k).isEmpty() ? name : name + QStringLiteral(", ") + units.value(k));
    }
    return names;
}

QString HistoryDataModel::spoken(int row) const
{
    QStringList columns {
        tr("Time: %1").arg(TimeText::shown(QDateTime::fromMSecsSinceEpoch(history.time(row))))
    };
    for (int k = 0; k < history.fields.size() && k < 2; ++k) {
        const QString value = history.has(k, row)
            ? sampleText(k, row) + QLatin1Char(' ') + units.value(k)
            : tr("no reading");
        columns << QCoreApplication::translate("IOTRunner", FieldNames[k]) + QStringLiteral(": ")
                + value;
    }
    return columns.join(QStringLiteral(", "));
}

QHash<int, QByteArray> HistoryDataModel::roleNames() const
{
    return { { TimeRole, "htime" }, { ValueRole, "hvalues" }, { SpokenRole, "hspoken" } };
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
