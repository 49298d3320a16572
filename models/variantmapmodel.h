#ifndef VARIANTMAPMODEL_H
#define VARIANTMAPMODEL_H

#include <QAbstractListModel>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QVariant>
#include <QVector>

// The device's last state reply as a sorted table of names and values. The
// members the program knows are named and worded in the window's language,
// the others shown capitalised; a value that is itself an object is shown flattened
// to one line. A device decides how many members it sends, and how large
// each is: the table keeps the first MaxRows of them and one more row that
// counts the rest, and of each only the text it shows.
class VariantMapModel : public QAbstractListModel {
    Q_OBJECT

public:
    // TShownRole: the value as the table shows it, one text of bounded
    // length; the value roles give the same.
    enum Roles { TKeyRole = Qt::UserRole + 1, TValueRole, TShownRole };
    static constexpr int MaxRows = 2000;

    explicit VariantMapModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Replaces the table by `object`. When the names are those already shown,
    // only the rows whose value changed are announced; otherwise the table is
    // rebuilt. Either way the cost follows the size of `object` alone.
    void set(const QJsonObject &object);

    // The object's members as one line ("A: 1, B: {C: 2}"); a long one is cut
    // once it passes `limit` characters.
    static QString flatten(const QJsonObject &object, int limit = -1);
    static QString capitalize(const QString &name);

private:
    struct Row {
        QString label;
        QString key;
        QString shown;
    };
    static QString shownText(const QJsonValue &value);
    // `value` as compact JSON, written only as far as `limit` characters.
    static QString compact(const QJsonValue &value, int limit);

    QVector<Row> rows;
};

#endif // VARIANTMAPMODEL_H
