// A saved connection read back from arbitrary text: a record that loads must
// survive being written and read again unchanged.

#include "models/connection.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    Connection c { QStringLiteral("untouched"), QStringLiteral("h"), 1 };
    if (!c.fromJson(text)) {
        if (c.name != QLatin1String("untouched") || c.host != QLatin1String("h") || c.port != 1)
            std::abort(); // a refused text must leave the record alone
        return 0;
    }
    Connection again;
    if (!again.fromJson(c.toJson()) || again.name != c.name || again.host != c.host
        || again.port != c.port)
        std::abort();
    return 0;
}
