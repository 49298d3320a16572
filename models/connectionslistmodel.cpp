#include "models/connectionslistmodel.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
constexpr char SettingsKey[] = "Connections";
constexpr int LockWaitMsec = 1000;
} // namespace

QString ConnectionsListModel::lockPath()
{
#ifdef Q_OS_WIN
    // The store is the registry: the lock lives with the program's data.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return QDir(folder).filePath(QStringLiteral("connections.lock"));
#else
    return QSettings().fileName() + QStringLiteral(".connections.lock");
#endif
}

ConnectionsListModel::ConnectionsListModel(QObject *parent)
    : QAbstractListModel(parent)
{
    connect(this, &QAbstractItemModel::rowsInserted, this, &ConnectionsListModel::countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &ConnectionsListModel::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &ConnectionsListModel::countChanged);
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
    bool exists = false;
    QStringList stored;
    const bool written = rewrite([&](QStringList &texts) {
        for (const Connection &c : parsed(texts))
            exists = exists || (c.host == conn.host && c.port == conn.port);
        if (!exists)
            texts.append(conn.toJson());
        stored = texts;
    });
    if (!written)
        return AddResult::NotStored;
    if (exists) {
        show(stored, connections, [] {});
        return AddResult::Exists;
    }
    const int row = connections.size();
    show(stored, connections + QList<Connection> { conn }, [&] {
        beginInsertRows(QModelIndex(), row, row);
        connections.append(conn);
        endInsertRows();
    });
    emit changed();
    return AddResult::Added;
}

bool ConnectionsListModel::remove(int index)
{
    if (index < 0 || index >= connections.size())
        return true;
    const Connection gone = connections.at(index);
    QStringList stored;
    const bool written = rewrite([&](QStringList &texts) {
        for (int i = 0; i < texts.size(); ++i) {
            Connection c;
            if (c.fromJson(texts.at(i)) && c == gone) {
                texts.removeAt(i);
                break;
            }
        }
        stored = texts;
    });
    if (!written)
        return false;
    QList<Connection> expected = connections;
    expected.removeAt(index);
    show(stored, expected, [&] {
        beginRemoveRows(QModelIndex(), index, index);
        connections.removeAt(index);
        endRemoveRows();
    });
    emit changed();
    return true;
}

bool ConnectionsListModel::setLimits(int index, const AlarmLimits &limits)
{
    if (index < 0 || index >= connections.size())
        return false;
    const Connection entry = connections.at(index);
    QStringList stored;
    const bool written = rewrite([&](QStringList &texts) {
        for (QString &text : texts) {
            Connection c;
            if (c.fromJson(text) && c.host == entry.host && c.port == entry.port)
                text = Connection::withLimits(text, limits);
        }
        stored = texts;
    });
    if (!written)
        return false;
    QList<Connection> expected = connections;
    expected[index].limits = limits;
    show(stored, expected, [&] {
        connections[index].limits = limits;
        emit dataChanged(this->index(index), this->index(index));
    });
    emit changed();
    return true;
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

int ConnectionsListModel::indexOf(const QString &host, int port) const
{
    for (int row = 0; row < connections.size(); ++row)
        if (connections.at(row).host == host && connections.at(row).port == port)
            return row;
    return -1;
}

void ConnectionsListModel::load()
{
    beginResetModel();
    connections = parsed(QSettings().value(SettingsKey).toStringList());
    endResetModel();
}

QList<Connection> ConnectionsListModel::parsed(const QStringList &stored)
{
    QList<Connection> list;
    for (const QString &text : stored) {
        Connection c;
        if (c.fromJson(text))
            list.append(c);
    }
    return list;
}

bool ConnectionsListModel::rewrite(const std::function<void(QStringList &)> &change)
{
    const QString path = lockPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path);
    if (!lock.tryLock(LockWaitMsec))
        return false;
    QSettings settings;
    settings.sync(); // what another instance wrote since we last looked
    // A list that could not be read must not be taken for an empty one.
    if (settings.status() != QSettings::NoError)
        return false;
    QStringList texts = settings.value(SettingsKey).toStringList();
    change(texts);
    settings.setValue(SettingsKey, texts);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void ConnectionsListModel::show(const QStringList &stored, const QList<Connection> &expected,
    const std::function<void()> &announce)
{
    const QList<Connection> fresh = parsed(stored);
    if (fresh == expected) {
        announce();
        return;
    }
    // Another instance changed the list too: show it whole.
    beginResetModel();
    connections = fresh;
    endResetModel();
}
