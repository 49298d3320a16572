#include "models/variantmapmodel.h"

#include "models/devicetext.h"
#include "models/statewords.h"

#include <QHash>
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
    return parent.isValid() ? 0 : rows.size();
}

int VariantMapModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant VariantMapModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (row < 0 || row >= rows.size())
        return {};
    const Row &r = rows.at(row);
    switch (role) {
    case TKeyRole:
        return DeviceText::shown(r.label, DeviceText::NameLimit);
    case TShownRole:
    case TValueRole:
    case Qt::DisplayRole:
        return r.shown;
    default:
        return {};
    }
}

QHash<int, QByteArray> VariantMapModel::roleNames() const
{
    return { { Qt::DisplayRole, "display" }, { TKeyRole, "tkey" }, { TValueRole, "tvalue" },
        { TShownRole, "tshown" } };
}

QString VariantMapModel::shownText(const QJsonValue &value)
{
    QString text;
    if (value.isObject())
        text = flatten(value.toObject(), DeviceText::ValueLimit + 1);
    else if (value.isArray())
        text = compact(value, DeviceText::ValueLimit + 1);
    else
        text = value.toVariant().toString();
    return DeviceText::shown(text, DeviceText::ValueLimit);
}

void VariantMapModel::set(const QJsonObject &object)
{
    QVector<Row> fresh;
    const int kept = qMin(object.size(), int(MaxRows));
    fresh.reserve(kept + 1);
    QHash<QString, int> labels;
    labels.reserve(kept);
    auto it = object.begin();
    for (int i = 0; i < kept; ++it, ++i) {
        const QString known = StateWords::label(it.key());
        const QString label = known.isEmpty() ? capitalize(it.key()) : known;
        ++labels[label];
        fresh.append({ label, it.key(),
            StateWords::value(it.key(), it.value()).value_or(shownText(it.value())) });
    }
    // Names that differ only in case would read as one name twice.
    for (Row &row : fresh)
        if (labels.value(row.label) > 1)
            row.label = row.key;
    if (object.size() > kept)
        fresh.append({ QString(QChar(0x2026)), QString(),
            tr("%1 more not shown").arg(object.size() - kept) });

    bool sameNames = fresh.size() == rows.size();
    for (int i = 0; sameNames && i < fresh.size(); ++i)
        sameNames = fresh.at(i).key == rows.at(i).key && fresh.at(i).label == rows.at(i).label;
    if (!sameNames) {
        beginResetModel();
        rows.swap(fresh);
        endResetModel();
        return;
    }
    // Only what changed is announced, in runs of neighbouring rows.
    int first = -1;
    for (int i = 0; i <= rows.size(); ++i) {
        const bool changed = i < rows.size() && fresh.at(i).shown != rows.at(i).shown;
        if (changed) {
            rows[i] = fresh.at(i);
            if (first < 0)
                first = i;
        } else if (first >= 0) {
            emit dataChanged(index(first, 0), index(i - 1, 0), {});
            first = -1;
        }
    }
}

QString VariantMapModel::flatten(const QJsonObject &object, int limit)
{
    QString text;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (limit >= 0 && text.size() > limit)
            break;
        text += capitalize(it.key()) + QStringLiteral(": ");
        if (it.value().isObject())
            text += QLatin1Char('{')
                + flatten(it.value().toObject(), limit < 0 ? -1 : qMax(0, limit - text.size()))
                + QLatin1Char('}');
        else if (!it.value().isArray()) // an array shows as nothing
            text += it.value().toVariant().toString();
        text += QStringLiteral(", ");
    }
    if (text.endsWith(QStringLiteral(", ")))
        text.chop(2);
    return text;
}

QString VariantMapModel::compact(const QJsonValue &value, int limit)
{
    if (!value.isArray() && !value.isObject())
        return QString::fromUtf8(QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
    const bool array = value.isArray();
    QString text = array ? QStringLiteral("[") : QStringLiteral("{");
    const QJsonArray items = value.toArray();
    const QJsonObject members = value.toObject();
    const int count = array ? items.size() : members.size();
    auto member = members.begin();
    for (int i = 0; i < count && text.size() <= limit; ++i) {
        if (i > 0)
            text += QLatin1Char(',');
        if (array) {
            text += compact(items.at(i), limit - text.size());
        } else {
            text += compact(member.key(), limit - text.size()) + QLatin1Char(':')
                + compact(member.value(), limit - text.size());
            ++member;
        }
    }
    return text + (array ? QLatin1Char(']') : QLatin1Char('}'));
}

QString VariantMapModel::capitalize(const QString &name)
{
    if (name.isEmpty())
        return name;
    QString text = name.toLower();
    text[0] = text.at(0).toUpper();
    return text;
}
