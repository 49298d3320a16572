#ifndef HISTORYDATAMODEL_H
#define HISTORYDATAMODEL_H

#include "models/historysamples.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QJsonObject>
#include <QStringList>

#include <functional>

// The device's recorded history, one row per sample with a time stamp
// reconstructed from the moment of the download and the sampling interval.
// Samples are kept as numbers and put into words only for the rows shown.
class HistoryDataModel : public QAbstractListModel {
    Q_OBJECT
    // When the rows shown were downloaded; invalid while there are none.
    Q_PROPERTY(QDateTime downloadedAt READ downloadedAt NOTIFY downloadedAtChanged)
    Q_PROPERTY(QString downloadedText READ downloadedText NOTIFY downloadedAtChanged)
    // The columns' names with their units: the time, then each field.
    Q_PROPERTY(QStringList columns READ columns NOTIFY downloadedAtChanged)

public:
    // ValueRole: each field's sample as a text, in the order of columns();
    // SpokenRole: the row with its columns' names, as a screen reader says it.
    enum Roles { TimeRole = Qt::UserRole + 1, ValueRole, SpokenRole };
    // The readings as the device rounds them.
    static constexpr int Decimals = 2;
    using Clock = std::function<qint64()>;

    explicit HistoryDataModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Where "now" comes from; the system clock by default.
    void setClock(Clock clock);
    // Shows `samples` (none for an empty history), each field in its unit.
    void show(const HistorySamples &samples, const QStringList &units);
    // The rows as they stand, for saving while the model goes on.
    HistorySamples samples() const { return history; }
    QDateTime downloadedAt() const { return downloaded; }
    QString downloadedText() const;
    QStringList columns() const;

signals:
    void intervalUpdated(int interval);
    void downloadedAtChanged();

public slots:
    void clear();
    void update(QJsonObject source, QStringList fields, QStringList units);

private:
    QString spoken(int row) const;
    // The sample of field `k` in the window's locale, or an empty text.
    QString sampleText(int k, int row) const;

    HistorySamples history;
    QStringList units;
    Clock clock;
    QDateTime downloaded;
};

#endif // HISTORYDATAMODEL_H
