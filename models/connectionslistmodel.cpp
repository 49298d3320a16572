#include "models/connectionslistmodel.h"

#include <QSettings>
#include <QStringList>

namespace {
constexpr char SettingsKey[] = "Connections";
}

ConnectionsListModel::ConnectionsListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int ConnectionsListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : connections.size();
}

QVariant ConnectionsListModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (row < 0 || row >= connections.size())
        return {};
    const Connection &c = connections.at(row);
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return c.name;
    case HostRole:
        return c.host;
    case PortRole:
        return int(c.port);
    default:
        return {};
    }
}

QHash<int, QByteArray> ConnectionsListModel::roleNames() const
{
    return { { NameRole, "cname" }, { HostRole, "chost" }, { PortRole, "cport" } };
}

bool ConnectionsListModel::add(Connection conn)
{
    return tryAdd(conn) == AddResult::Added;
}

ConnectionsListModel::AddResult ConnectionsListModel::tryAdd(const Connection &conn)
{
    for (const Connection &c : qAsConst(connections))
        if (c.host == conn.host && c.port == conn.port)
            return AddResult::Exists;
    beginInsertRows(QModelIndex(), connections.size(), connections.size());
    connections.append(conn);
    endInsertRows();
    // Written at once: a crash or a killed process must not lose it.
    if (!save()) {
        const int row = connections.size() - 1;
        beginRemoveRows(QModelIndex(), row, row);
        connections.removeLast();
        endRemoveRows();
        return AddResult::NotStored;
    }
    emit changed();
    return AddResult::Added;
}

void ConnectionsListModel::remove(int index)
{
    if (index < 0 || index >= connections.size())
        return;
    beginRemoveRows(QModelIndex(), index, index);
    connections.removeAt(index);
    endRemoveRows();
    save();
    emit changed();
}

bool ConnectionsListModel::contains(QString name) const
{
    for (const Connection &c : connections)
        if (c.name == name)
            return true;
    return false;
}

bool ConnectionsListModel::containsHost(QString host) const
{
    for (const Connection &c : connections)
        if (c.host == host)
            return true;
    return false;
}

void ConnectionsListModel::load()
{
    QSettings settings;
    if (!connections.isEmpty()) {
        beginRemoveRows(QModelIndex(), 0, connections.size() - 1);
        connections.clear();
        endRemoveRows();
    }
    QList<Connection> loaded;
    for (const QString &text : settings.value(SettingsKey).toStringList()) {
        Connection c;
        if (c.fromJson(text))
            loaded.append(c);
    }
    if (loaded.isEmpty())
        return;
    beginInsertRows(QModelIndex(), 0, loaded.size() - 1);
    connections = loaded;
    endInsertRows();
}

bool ConnectionsListModel::save() const
{
    QStringList texts;
    for (const Connection &c : connections)
        texts.append(c.toJson());
    QSettings settings;
    settings.setValue(SettingsKey, texts);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
