#ifndef HISTORYCSVWRITER_H
#define HISTORYCSVWRITER_H

#include "models/historysamples.h"
#include "models/outputfile.h"

#include <QObject>
#include <QStringList>

// Writes a downloaded history to a file as CSV (RFC 4180, UTF-8): a "time"
// column of local ISO 8601 times with their UTC offset, then one column per
// field. A history may hold millions of rows, so they are written a slice at a
// time between the program's other events; a file appears under its name
// only once complete, a pipe takes the rows as they come.
class HistoryCsvWriter : public QObject {
    Q_OBJECT

public:
    HistoryCsvWriter(const HistorySamples &samples, const QStringList &titles, const QString &path,
        QObject *parent = nullptr);

    void start();
    // The CSV of rows [first, last) of `samples`.
    static QByteArray rows(const HistorySamples &samples, int first, int last);

signals:
    // `error` says why the file could not be written.
    void finished(bool saved, QString error);

private:
    void writeSlice();
    void finish(bool saved);

    HistorySamples samples;
    QStringList titles;
    OutputFile file;
    int next = 0;
};

#endif // HISTORYCSVWRITER_H
