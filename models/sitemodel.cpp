#include "models/sitemodel.h"

#include "models/devicetext.h"
#include "runner/sitemonitor.h"
#include "runner/units.h"

#include <QDateTime>
#include <QLocale>
#include <QTimer>
#include <QtNumeric>

QString SiteModel::reading(double value, const QString &unit)
{
    return qIsNaN(value) ? QStringLiteral("\u2014")
                         : QLocale().toString(value, 'f', 1) + QChar(0x202f) + unit;
}

SiteModel::SiteModel(SiteMonitor *monitor, QObject *parent)
    : QAbstractListModel(parent)
    , monitor(monitor)
{
    connect(monitor, &SiteMonitor::devicesChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(monitor, &SiteMonitor::deviceChanged, this, [this](int row) {
        emit dataChanged(index(row), index(row));
        // Counted once for a whole round of changes.
        if (recountDue)
            return;
        recountDue = true;
        QTimer::singleShot(0, this, [this] {
            recountDue = false;
            const int now = problems();
            if (now != problemCount) {
                problemCount = now;
                emit problemsChanged();
            }
        });
    });
}

int SiteModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : monitor->count();
}

QHash<int, QByteArray> SiteModel::roleNames() const
{
    return { { NameRole, "name" }, { ModelRole, "deviceModel" }, { AddressRole, "address" },
        { TemperatureRole, "temperature" }, { HumidityRole, "humidity" }, { AgeRole, "age" },
        { LinkRole, "link" }, { MqttRole, "mqtt" }, { FirmwareRole, "firmware" },
        { ProblemRole, "problem" }, { AlarmsRole, "alarms" }, { SortRole, "sortKey" },
        { FilterRole, "filterText" }, { SpokenRole, "spoken" } };
}

int SiteModel::problems() const
{
    int count = 0;
    for (int i = 0; i < monitor->count(); ++i)
        count += problem(monitor->device(i)) > 0 ? 1 : 0;
    return count;
}

int SiteModel::problem(const WatchedDevice *device) const
{
    if (device->alarms().anyRaised())
        return 3;
    if (device->link() != WatchedDevice::Link::Connected)
        return 2;
    // A reading is due every period; half a period more and it has been
    // missed, so a device gone quiet is marked within two periods of its
    // last answer, tick of the clock included.
    const qint64 age = QDateTime::currentMSecsSinceEpoch() - device->readingTime();
    return device->readingTime() == 0 || age > monitor->pollInterval() * 3 / 2 ? 1 : 0;
}

QString SiteModel::alarmName(int kind)
{
    switch (AlarmWatch::Kind(kind)) {
    case AlarmWatch::TemperatureHigh:
        return tr("temperature too high");
    case AlarmWatch::TemperatureLow:
        return tr("temperature too low");
    case AlarmWatch::HumidityHigh:
        return tr("humidity too high");
    case AlarmWatch::HumidityLow:
        return tr("humidity too low");
    case AlarmWatch::Silent:
        return tr("no reading");
    case AlarmWatch::MqttStopped:
        return tr("MQTT not running");
    }
    return {};
}

QString SiteModel::linkText(const WatchedDevice *device) const
{
    switch (device->link()) {
    case WatchedDevice::Link::Connected:
        return tr("connected");
    case WatchedDevice::Link::NotADevice:
        return tr("not a VELTRA2 device");
    case WatchedDevice::Link::Reconnecting:
        return device->lastEnd() == DeviceSession::LinkEnd::NoAnswer ? tr("no answer, reconnecting")
                                                                     : tr("reconnecting");
    case WatchedDevice::Link::Connecting:
        break;
    }
    return device->failure().isEmpty()
        ? tr("connecting")
        : tr("connecting: %1").arg(DeviceText::shown(device->failure(), DeviceText::NameLimit));
}

QVariant SiteModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= monitor->count())
        return {};
    const WatchedDevice *device = monitor->device(index.row());
    const bool wired = device->model() == QLatin1String("veltra-2u");
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return DeviceText::shown(device->name(), DeviceText::NameLimit);
    case ModelRole:
        return device->model();
    case AddressRole:
        return device->address().toString();
    case TemperatureRole:
        return reading(device->temperature(), Units::Celsius);
    case HumidityRole:
        return wired ? QString() : reading(device->humidity(), Units::Percent);
    case AgeRole: {
        if (device->readingTime() == 0)
            return QStringLiteral("\u2014");
        const qint64 seconds = (QDateTime::currentMSecsSinceEpoch() - device->readingTime()) / 1000;
        return seconds < 120 ? tr("%1 s").arg(seconds) : tr("%1 min").arg(seconds / 60);
    }
    case LinkRole:
        return linkText(device);
    case MqttRole:
        return !device->mqttKnown() ? QStringLiteral("\u2014")
            : device->mqtt()        ? tr("running")
                                    : tr("stopped");
    case FirmwareRole:
        return DeviceText::shown(device->firmware(), DeviceText::NameLimit);
    case ProblemRole:
        return problem(device);
    case AlarmsRole: {
        QStringList raised;
        for (int kind = 0; kind < AlarmWatch::Kinds; ++kind)
            if (device->alarms().isRaised(AlarmWatch::Kind(kind)))
                raised << alarmName(kind);
        return raised.join(QStringLiteral(", "));
    }
    case SortRole:
        return QString::number(3 - problem(device)) + device->name().toLower();
    case FilterRole:
        return device->name() + ' ' + device->address().toString() + ' ' + device->model();
    case SpokenRole: {
        // The row with its column names: a screen reader reads one row.
        const auto text = [&](int of) { return data(index, of).toString(); };
        QString spoken = tr("%1: model %2, address %3, temperature %4, humidity %5")
                             .arg(text(NameRole), text(ModelRole), text(AddressRole),
                                 text(TemperatureRole), text(HumidityRole))
            + QStringLiteral(", ")
            + tr("reading %1 old, link %2, MQTT %3, firmware %4")
                  .arg(text(AgeRole), text(LinkRole), text(MqttRole), text(FirmwareRole));
        if (!text(AlarmsRole).isEmpty())
            spoken += QStringLiteral(", ") + tr("alarms: %1").arg(text(AlarmsRole));
        return spoken;
    }
    default:
        return {};
    }
}
