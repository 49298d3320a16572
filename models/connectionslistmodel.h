#ifndef CONNECTIONSLISTMODEL_H
#define CONNECTIONSLISTMODEL_H

#include "models/connection.h"

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

#include <functional>

// The operator's saved connections, in the order they were saved, kept in the
// settings store under "Connections". Every change is written at once, merged
// under a lock with what is stored: another instance of the program may have
// added or removed entries meanwhile, and neither loses the other's.
class ConnectionsListModel : public QAbstractListModel {
    Q_OBJECT
    // The window tells whether there is a list to show before it makes one.
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)

public:
    enum Roles { NameRole = Qt::UserRole + 1, HostRole, PortRole };
    enum class AddResult { Added, Exists, NotStored };

    explicit ConnectionsListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE bool add(Connection conn);
    // Like add(), telling a duplicate from a settings store that could not be
    // written (the entry is then left out, so the list shows what is stored).
    AddResult tryAdd(const Connection &conn);
    // False when the store could not be written: the entry is still there.
    Q_INVOKABLE bool remove(int index);
    // The alarm limits of the entry at `index`, written at once; false when
    // the store could not be written.
    bool setLimits(int index, const AlarmLimits &limits);
    Q_INVOKABLE bool contains(QString name) const;
    Q_INVOKABLE bool containsHost(QString host) const;
    // The row of the entry for `host`:`port`, or -1: rows move when another
    // instance changes the list.
    Q_INVOKABLE int indexOf(const QString &host, int port) const;

    void load();
    // Where instances of the program take turns to change the stored list.
    static QString lockPath();
    // The entry at `row`, which must exist.
    const Connection &at(int row) const { return connections.at(row); }
    QList<Connection> all() const { return connections; }

signals:
    void changed();
    void countChanged();

private:
    // Re-reads the stored texts under the lock, lets `change` edit them and
    // writes them back; false when the store could not be locked or written.
    bool rewrite(const std::function<void(QStringList &)> &change);
    // Shows `stored`: when it is `expected`, by announcing `announce` alone.
    void show(const QStringList &stored, const QList<Connection> &expected,
        const std::function<void()> &announce);
    static QList<Connection> parsed(const QStringList &stored);

    QList<Connection> connections;
};

#endif // CONNECTIONSLISTMODEL_H
