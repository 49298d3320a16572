#include "founddevicesmodel.h"

#include "models/devicetext.h"

#include <algorithm>

namespace {

bool before(const FoundDevice &a, const FoundDevice &b)
{
    return a.address != b.address ? a.address < b.address : a.port < b.port;
}

} // namespace

int FoundDevicesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : devices.size();
}

QVariant FoundDevicesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= devices.size())
        return {};
    const FoundDevice &device = devices.at(index.row());
    switch (role) {
    case ModelRole:
        return device.model;
    case VersionRole:
        return DeviceText::shown(device.version, DeviceText::NameLimit);
    case HostRole:
        return device.host();
    case PortRole:
        return device.port;
    case EndpointRole:
        return device.host() + ':' + QString::number(device.port);
    }
    return {};
}

QHash<int, QByteArray> FoundDevicesModel::roleNames() const
{
    return { { ModelRole, "deviceModel" }, { VersionRole, "version" }, { HostRole, "host" },
        { PortRole, "port" }, { EndpointRole, "endpoint" } };
}

void FoundDevicesModel::add(const FoundDevice &device)
{
    const auto place = std::lower_bound(devices.begin(), devices.end(), device, before);
    const int row = int(place - devices.begin());
    if (place != devices.end() && !before(device, *place)) {
        *place = device;
        emit dataChanged(index(row), index(row));
        return;
    }
    beginInsertRows({}, row, row);
    devices.insert(row, device);
    endInsertRows();
}

void FoundDevicesModel::clear()
{
    beginResetModel();
    devices.clear();
    endResetModel();
}
