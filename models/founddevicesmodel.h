#ifndef FOUNDDEVICESMODEL_H
#define FOUNDDEVICESMODEL_H

#include "link/founddevice.h"

#include <QAbstractListModel>
#include <QVector>

// The devices a search has found so far, in order of address.
class FoundDevicesModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Roles { ModelRole = Qt::UserRole + 1, VersionRole, HostRole, PortRole, EndpointRole };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // In its place by address (and port); a device already listed there is
    // replaced by the newer answer.
    void add(const FoundDevice &device);
    void clear();

private:
    QVector<FoundDevice> devices;
};

#endif // FOUNDDEVICESMODEL_H
