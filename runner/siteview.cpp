#include "runner/siteview.h"

#include "app/desktopnotifier.h"
#include "models/connectionslistmodel.h"
#include "models/devicetext.h"
#include "models/operatorfile.h"
#include "runner/units.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

namespace {
constexpr char WatchingKey[] = "Site/watching";

QVariantMap toMap(const AlarmLimits &limits)
{
    QVariantMap map = limits.toJson().toVariantMap();
    map.insert(QStringLiteral("mqttRequired"), limits.mqttRequired);
    return map;
}
} // namespace

SiteView::SiteView(ConnectionsListModel *connections, QObject *parent)
    : QObject(parent)
    , connections(connections)
    , table(&watch)
    , notifier(new DesktopNotifier(this))
{
    sorted.setSourceModel(&table);
    sorted.setSortRole(SiteModel::SortRole);
    sorted.setFilterRole(SiteModel::FilterRole);
    sorted.setFilterCaseSensitivity(Qt::CaseInsensitive);
    sorted.setDynamicSortFilter(true);
    sorted.sort(0);
    connect(&table, &SiteModel::problemsChanged, this, &SiteView::countsChanged);
    connect(&watch, &SiteMonitor::devicesChanged, this, &SiteView::countsChanged);
    // The saved list read anew (at start) or changed, here or by another
    // instance of the program: watched as it stands.
    const auto follow = [this] {
        if (watching)
            resync();
    };
    connect(connections, &ConnectionsListModel::changed, this, follow);
    connect(connections, &ConnectionsListModel::modelReset, this, follow);
    connect(&watch, &SiteMonitor::alarm, this, [this](int index, AlarmWatch::Change change) {
        const WatchedDevice *device = watch.device(index);
        const QString name = DeviceText::shown(device->name(), DeviceText::NameLimit);
        const QString address = device->address().toString();
        const QDateTime now = QDateTime::currentDateTime();
        if (!change.raised) {
            log.cleared(address, change.kind, now);
            return;
        }
        const QString alarm = SiteModel::alarmName(change.kind);
        QString value;
        if (change.kind == AlarmWatch::Silent)
            value = tr("%1 s").arg(qRound(change.value));
        else if (change.kind == AlarmWatch::TemperatureHigh
            || change.kind == AlarmWatch::TemperatureLow)
            value = SiteModel::reading(change.value, Units::Celsius);
        else if (change.kind != AlarmWatch::MqttStopped)
            value = SiteModel::reading(change.value, Units::Percent);
        log.raised(name, address, change.kind, alarm, value, now);
        lastRaised = tr("Alarm: %1 at %2, %3 %4").arg(name, address, alarm, value).trimmed();
        notifier->notify(tr("VELTRA2: %1").arg(name),
            tr("%1 at %2: %3 %4").arg(name, address, alarm, value).trimmed());
        emit alarmRaised(lastRaised);
    });
    if (QSettings().value(WatchingKey).toBool())
        start();
}

SiteView::~SiteView() = default;

void SiteView::start()
{
    if (!watching) {
        watching = true;
        QSettings().setValue(WatchingKey, true);
        emit watchingChanged();
    }
    resync();
}

void SiteView::stop()
{
    if (!watching)
        return;
    watching = false;
    QSettings().setValue(WatchingKey, false);
    watch.setDevices({});
    emit watchingChanged();
}

void SiteView::resync()
{
    QVector<SiteMonitor::Entry> entries;
    for (const Connection &c : connections->all()) {
        QString error;
        const auto host = DeviceAddress::readHost(c.host, &error);
        if (!host || !DeviceAddress::isPort(c.port))
            continue; // an entry no device could be at is not watched
        entries.append({ c.name, { *host, c.port }, c.limits });
    }
    watch.setDevices(entries);
}

void SiteView::setFilter(const QString &text)
{
    sorted.setFilterFixedString(text.trimmed());
}

int SiteView::monitorRow(int row) const
{
    const QModelIndex source = sorted.mapToSource(sorted.index(row, 0));
    return source.isValid() ? source.row() : -1;
}

WatchedDevice *SiteView::device(int row)
{
    const int index = monitorRow(row);
    return index < 0 ? nullptr : watch.device(index);
}

WatchedDevice *SiteView::deviceAt(const QString &host, int port)
{
    QString error;
    const auto read = DeviceAddress::readHost(host, &error);
    if (!read || !DeviceAddress::isPort(port))
        return nullptr;
    return watch.find({ *read, quint16(port) });
}

QString SiteView::nameAt(int row) const
{
    const int index = monitorRow(row);
    return index < 0 ? QString()
                     : DeviceText::shown(watch.device(index)->name(), DeviceText::NameLimit);
}

int SiteView::connectionOf(const QString &host, int port) const
{
    const QList<Connection> all = connections->all();
    for (int i = 0; i < all.size(); ++i) {
        QString error;
        const auto read = DeviceAddress::readHost(all.at(i).host, &error);
        if (all.at(i).port == port && (all.at(i).host == host || (read && *read == host)))
            return i;
    }
    return -1;
}

QVariantMap SiteView::limitsAt(int row) const
{
    const int index = monitorRow(row);
    return index < 0 ? QVariantMap() : toMap(watch.device(index)->alarms().limits());
}

bool SiteView::setLimitsAt(int row, const QVariantMap &limits)
{
    const int index = monitorRow(row);
    if (index < 0)
        return false;
    const DeviceAddress address = watch.device(index)->address();
    return setLimitsFor(address.host, address.port, limits);
}

QVariantMap SiteView::limitsFor(const QString &host, int port) const
{
    const int row = connectionOf(host, port);
    return row < 0 ? QVariantMap() : toMap(connections->at(row).limits);
}

bool SiteView::setLimitsFor(const QString &host, int port, const QVariantMap &limits)
{
    const int row = connectionOf(host, port);
    if (row < 0) {
        emit told(tr("Save the connection first: limits are kept with it"));
        return false;
    }
    if (!connections->setLimits(row, AlarmLimits::fromJson(QJsonObject::fromVariantMap(limits)))) {
        emit told(tr("Cannot save the limits"));
        return false;
    }
    emit told(tr("Alarm limits saved"));
    return true;
}

bool SiteView::exportAlarms(const QString &urlOrPath)
{
    const QString path = OperatorFile::localPath(urlOrPath);
    QString error;
    const bool saved = log.exportCsv(path, &error);
    const QString shown = QDir::toNativeSeparators(path).toHtmlEscaped();
    emit told(saved ? tr("Saved to %1").arg(shown)
                    : tr("Cannot write to %1: %2").arg(shown, error.toHtmlEscaped()));
    return saved;
}
