#include "models/variantmapmodel.h"

#include "models/devicetext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

VariantMapModel::VariantMapModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

// Rows hang off the root only: an item with children of its own would make
// the table look endlessly deep to a tree view.
int VariantMapModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : map.size();
}

int VariantMapModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant VariantMapModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (row < 0 || row >= map.size())
        return {};
    const auto it = map.cbegin() + row;
    if (role == TKeyRole)
        return DeviceText::shown(capitalize(it.key()), DeviceText::NameLimit);
    if (role != TValueRole && role != Qt::DisplayRole && role != TShownRole)
        return {};
    const QJsonValue json = QJsonValue::fromVariant(it.value());
    if (role == TShownRole) {
        QString text;
        if (json.isObject())
            text = flatten(json.toObject());
        else if (json.isArray())
            text = QString::fromUtf8(QJsonDocument(json.toArray()).toJson(QJsonDocument::Compact));
        else
            text = it.value().toString();
        return DeviceText::shown(text, DeviceText::ValueLimit);
    }
    if (json.isObject())
        return flatten(json.toObject());
    return it.value();
}

QHash<int, QByteArray> VariantMapModel::roleNames() const
{
    return { { Qt::DisplayRole, "display" }, { TKeyRole, "tkey" }, { TValueRole, "tvalue" },
        { TShownRole, "tshown" } };
}

void VariantMapModel::set(const QVariantMap &newMap)
{
    if (!map.isEmpty()) {
        beginRemoveRows(QModelIndex(), 0, map.size() - 1);
        map.clear();
        endRemoveRows();
    }
    if (!newMap.isEmpty()) {
        beginInsertRows(QModelIndex(), 0, newMap.size() - 1);
        map = newMap;
        endInsertRows();
    }
}

void VariantMapModel::amend(const QVariantMap &entries)
{
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        auto found = map.find(it.key());
        if (found != map.end()) {
            found.value() = it.value();
            continue;
        }
        // Views must learn about a new row, not only about changed data.
        const int row = int(std::distance(map.begin(), map.lowerBound(it.key())));
        beginInsertRows(QModelIndex(), row, row);
        map.insert(it.key(), it.value());
        endInsertRows();
    }
    if (!map.isEmpty())
        emit dataChanged(index(0, 0), index(map.size() - 1, 0), {});
}

QString VariantMapModel::flatten(const QJsonObject &object)
{
    QString text;
    for (auto it = object.begin(); it != object.end(); ++it) {
        text += capitalize(it.key()) + QStringLiteral(": ");
        if (it.value().isObject())
            text += QLatin1Char('{') + flatten(it.value().toObject()) + QLatin1Char('}');
        else
            text += it.value().toVariant().toString();
        text += QStringLiteral(", ");
    }
    if (text.endsWith(QStringLiteral(", ")))
        text.chop(2);
    return text;
}

QString VariantMapModel::capitalize(const QString &name)
{
    if (name.isEmpty())
        return name;
    QString text = name.toLower();
    text[0] = text.at(0).toUpper();
    return text;
}
