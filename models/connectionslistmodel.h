#ifndef CONNECTIONSLISTMODEL_H
#define CONNECTIONSLISTMODEL_H

#include "models/connection.h"

#include <QAbstractListModel>
#include <QList>

// The operator's saved connections, in the order they were saved, kept in the
// settings store under "Connections".
class ConnectionsListModel : public QAbstractListModel {
    Q_OBJECT

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
    Q_INVOKABLE void remove(int index);
    Q_INVOKABLE bool contains(QString name) const;
    Q_INVOKABLE bool containsHost(QString host) const;

    void load();
    // False when the settings store could not be written.
    bool save() const;
    // The entry at `row`, which must exist.
    const Connection &at(int row) const { return connections.at(row); }

signals:
    void changed();

private:
    QList<Connection> connections;
};

#endif // CONNECTIONSLISTMODEL_H
