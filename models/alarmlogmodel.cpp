#include "models/alarmlogmodel.h"

#include "models/outputfile.h"
#include "models/timetext.h"

int AlarmLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : events.size();
}

QHash<int, QByteArray> AlarmLogModel::roleNames() const
{
    return { { RaisedRole, "raised" }, { ClearedRole, "cleared" }, { DeviceRole, "device" },
        { AddressRole, "address" }, { AlarmRole, "alarm" }, { ValueRole, "value" },
        { AcknowledgedRole, "acknowledged" }, { SpokenRole, "spoken" } };
}

QVariant AlarmLogModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= events.size())
        return {};
    const Event &e = events.at(index.row());
    const auto when
        = [](const QDateTime &time) { return time.isValid() ? TimeText::shown(time) : QString(); };
    switch (role) {
    case RaisedRole:
        return when(e.raised);
    case ClearedRole:
        return e.cleared.isValid() ? when(e.cleared) : tr("still raised");
    case DeviceRole:
        return e.device;
    case AddressRole:
        return e.address;
    case Qt::DisplayRole:
    case AlarmRole:
        return e.alarm;
    case ValueRole:
        return e.value;
    case AcknowledgedRole:
        return e.acknowledged;
    case SpokenRole:
        return tr("%1 at %2: %3 (%4), raised %5, %6")
            .arg(e.device, e.address, e.alarm, e.value, when(e.raised),
                e.cleared.isValid() ? tr("cleared %1").arg(when(e.cleared)) : tr("still raised"));
    default:
        return {};
    }
}

void AlarmLogModel::raised(const QString &device, const QString &address, int kind,
    const QString &alarm, const QString &value, const QDateTime &at)
{
    if (events.size() >= MaxEvents) {
        beginRemoveRows(QModelIndex(), events.size() - 1, events.size() - 1);
        events.removeLast();
        endRemoveRows();
    }
    beginInsertRows(QModelIndex(), 0, 0);
    events.prepend({ at, {}, device, address, kind, alarm, value, false });
    endInsertRows();
    emit unacknowledgedChanged();
}

void AlarmLogModel::cleared(const QString &address, int kind, const QDateTime &at)
{
    for (int row = 0; row < events.size(); ++row) {
        Event &e = events[row];
        if (e.address == address && e.kind == kind && !e.cleared.isValid()) {
            e.cleared = at;
            emit dataChanged(index(row), index(row));
            return;
        }
    }
}

int AlarmLogModel::unacknowledged() const
{
    return int(std::count_if(
        events.begin(), events.end(), [](const Event &e) { return !e.acknowledged; }));
}

void AlarmLogModel::acknowledge(int row)
{
    if (row < 0 || row >= events.size() || events.at(row).acknowledged)
        return;
    events[row].acknowledged = true;
    emit dataChanged(index(row), index(row));
    emit unacknowledgedChanged();
}

void AlarmLogModel::acknowledgeAll()
{
    for (int row = 0; row < events.size(); ++row)
        acknowledge(row);
}

bool AlarmLogModel::exportCsv(const QString &path, QString *error) const
{
    // A field is quoted, its quotes doubled; one a spreadsheet would take
    // for a formula starts with an apostrophe.
    const auto field = [](QString text) {
        if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.at(0)))
            text.prepend('\'');
        return '"' + text.replace('"', QStringLiteral("\"\"")) + '"';
    };
    QString csv = QStringLiteral("raised,cleared,device,address,alarm,value,acknowledged\r\n");
    for (const Event &e : events)
        csv += QStringList { e.raised.toString(Qt::ISODate), e.cleared.toString(Qt::ISODate),
            field(e.device), field(e.address), field(e.alarm), field(e.value),
            e.acknowledged ? QStringLiteral("yes") : QStringLiteral("no") }
                   .join(',')
            + QStringLiteral("\r\n");
    return OutputFile::save(path, csv.toUtf8(), OutputFile::Access::Shared, error);
}
