#ifndef SITEMODEL_H
#define SITEMODEL_H

#include <QAbstractListModel>

class SiteMonitor;
class WatchedDevice;

// The watched site as the window's table shows it: a row per device, its
// values put into words, and how bad its state is, for sorting problems first.
class SiteModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Roles {
        NameRole = Qt::UserRole + 1,
        ModelRole,
        AddressRole,
        TemperatureRole,
        HumidityRole,
        AgeRole,
        LinkRole,
        MqttRole,
        FirmwareRole,
        // 3 an alarm, 2 no answer, 1 a stale reading, 0 all well.
        ProblemRole,
        // The alarms raised, in words.
        AlarmsRole,
        // Problems first, then by name.
        SortRole,
        // What the filter field matches: name, address, model.
        FilterRole,
        // The whole row in words, for a screen reader.
        SpokenRole,
    };

    explicit SiteModel(SiteMonitor *monitor, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    int problems() const;
    // 0 to 3, as ProblemRole.
    int problem(const WatchedDevice *device) const;
    static QString alarmName(int kind);
    // A reading as the table shows it: one decimal and its unit, or a dash.
    static QString reading(double value, const QString &unit);

signals:
    void problemsChanged();

private:
    QString linkText(const WatchedDevice *device) const;

    SiteMonitor *monitor;
    int problemCount = 0;
    bool recountDue = false;
};

#endif // SITEMODEL_H
