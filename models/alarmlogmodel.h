#ifndef ALARMLOGMODEL_H
#define ALARMLOGMODEL_H

#include <QAbstractListModel>
#include <QDateTime>
#include <QVector>

// The site's alarms as they were raised and cleared, newest first: when,
// which device, what, the value that did it, and whether the operator has
// seen it. Kept to the last MaxEvents.
class AlarmLogModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int unacknowledged READ unacknowledged NOTIFY unacknowledgedChanged)

public:
    enum Roles {
        RaisedRole = Qt::UserRole + 1,
        ClearedRole,
        DeviceRole,
        AddressRole,
        AlarmRole,
        ValueRole,
        AcknowledgedRole,
        SpokenRole,
    };
    static constexpr int MaxEvents = 1000;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    void raised(const QString &device, const QString &address, int kind, const QString &alarm,
        const QString &value, const QDateTime &at);
    void cleared(const QString &address, int kind, const QDateTime &at);
    int unacknowledged() const;

    Q_INVOKABLE void acknowledge(int row);
    Q_INVOKABLE void acknowledgeAll();
    // The log as CSV (RFC 4180, UTF-8); false, with why, when it could not
    // be written.
    bool exportCsv(const QString &path, QString *error) const;

signals:
    void unacknowledgedChanged();

private:
    struct Event {
        QDateTime raised;
        QDateTime cleared;
        QString device;
        QString address;
        int kind = 0;
        QString alarm;
        QString value;
        bool acknowledged = false;
    };

    QVector<Event> events; // newest first
};

#endif // ALARMLOGMODEL_H
