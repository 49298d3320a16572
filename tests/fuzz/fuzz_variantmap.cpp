// The state table fed arbitrary (and arbitrarily nested) JSON: the first half
// of the input fills the table, the second replaces it.

#include "models/variantmapmodel.h"

#include <QJsonDocument>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char *>(data), int(size));
    const int split = all.indexOf('\n');
    const QJsonObject first = QJsonDocument::fromJson(split < 0 ? all : all.left(split)).object();
    const QJsonObject second
        = QJsonDocument::fromJson(split < 0 ? QByteArray() : all.mid(split + 1)).object();
    VariantMapModel model;
    model.set(first);
    model.set(second);
    if (model.rowCount()
        != qMin(second.size(), int(VariantMapModel::MaxRows))
            + (second.size() > VariantMapModel::MaxRows ? 1 : 0))
        std::abort();
    for (int r = 0; r < model.rowCount(); ++r) {
        const QModelIndex i = model.index(r);
        model.data(i, VariantMapModel::TKeyRole);
        model.data(i, VariantMapModel::TValueRole);
        model.data(i, Qt::DisplayRole);
        model.data(i, VariantMapModel::TShownRole);
    }
    VariantMapModel::flatten(first);
    return 0;
}
