// History downloads of any shape: byte 0 picks the fields and how many units
// come with them, the rest is the reply's JSON text.

#include "models/historydatamodel.h"

#include <QJsonDocument>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const QList<QStringList> fieldSets { { "t" }, { "t", "h" }, { "h", "t", "x" }, {} };
    const QStringList fields = fieldSets.at(data[0] % 4);
    const QStringList units = QStringList { "C", "%", "x" }.mid(0, (data[0] >> 2) % 4);
    const QJsonObject source = QJsonDocument::fromJson(
        QByteArray(reinterpret_cast<const char *>(data + 1), int(size - 1)))
                                   .object();
    HistoryDataModel model;
    model.setClock([] { return qint64(1780000000000); });
    int announced = 0;
    QObject::connect(&model, &HistoryDataModel::intervalUpdated, [&](int interval) {
        ++announced;
        if (interval < 1)
            std::abort();
    });
    model.update(source, fields, units);
    if ((model.rowCount() > 0) != (announced == 1))
        std::abort(); // rows and the interval signal go together
    for (int r = 0; r < model.rowCount(); ++r) {
        model.data(model.index(r), HistoryDataModel::TimeRole);
        model.data(model.index(r), HistoryDataModel::ValueRole);
    }
    return 0;
}
