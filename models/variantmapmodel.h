#ifndef VARIANTMAPMODEL_H
#define VARIANTMAPMODEL_H

#include <QAbstractListModel>
#include <QJsonObject>
#include <QVariantMap>

// The device's raw state as a sorted table of names and values. Names are shown
// capitalised; a value that is itself an object is shown flattened to one line.
class VariantMapModel : public QAbstractListModel {
    Q_OBJECT

public:
    // TShownRole: the value as the table shows it, one text of bounded length.
    enum Roles { TKeyRole = Qt::UserRole + 1, TValueRole, TShownRole };

    explicit VariantMapModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Replaces the whole table.
    void set(const QVariantMap &map);
    // Writes every entry into the table, adding the keys it did not hold.
    void amend(const QVariantMap &map);

    static QString flatten(const QJsonObject &object);
    static QString capitalize(const QString &name);

private:
    QVariantMap map;
};

#endif // VARIANTMAPMODEL_H
