#ifndef HISTORYDATAMODEL_H
#define HISTORYDATAMODEL_H

#include <QAbstractListModel>
#include <QJsonObject>
#include <QList>
#include <QStringList>

#include <functional>

// One row of the recorded history.
struct HistoryRecord {
    qint64 time = 0; // milliseconds since the epoch
    QString value; // every field's sample with its unit
    // Each field's sample as a plain number, or empty where there is none.
    QStringList numbers;
};

// The device's recorded history, one row per sample with a time stamp
// reconstructed from the moment of the download and the sampling interval.
class HistoryDataModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Roles { TimeRole = Qt::UserRole + 1, ValueRole };
    using Clock = std::function<qint64()>;

    explicit HistoryDataModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Where "now" comes from; the system clock by default.
    void setClock(Clock clock);

    // The rows as CSV (RFC 4180, UTF-8): a "time" column of local ISO 8601
    // times with their UTC offset, then one column per field under `titles`.
    QByteArray csv(const QStringList &titles) const;

signals:
    void intervalUpdated(int interval);

public slots:
    void clear();
    void update(QJsonObject source, QStringList fields, QStringList units);

private:
    QList<HistoryRecord> records;
    Clock clock;
};

#endif // HISTORYDATAMODEL_H
