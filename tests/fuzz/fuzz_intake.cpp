// Certificate and key intake, and the text/binary labelling, with arbitrary
// bytes. Byte 0 picks the file name and the codec.

#include "models/qdroptexthandler.h"
#include "runner/iotrunner.h"

#include <QCoreApplication>
#include <QQmlContext>
#include <QQmlEngine>

#include <cstdlib>

namespace {
IOTRunner *runner = nullptr;
QDropTextHandler *handler = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("XDG_CONFIG_HOME", "/tmp/veltra2-fuzz-config");
    new QCoreApplication(*argc, *argv);
    runner = new IOTRunner;
    // The handler outlives the engine that published it.
    QQmlEngine engine;
    QDropTextHandler::registerQml(&engine);
    handler = qobject_cast<QDropTextHandler *>(
        engine.rootContext()->contextProperty(QStringLiteral("q_dropHandler")).value<QObject *>());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const char *const names[] = { "mqtt.cert.der", "mqtt.key.der", "other.bin" };
    static const char *const codecs[] = { "UTF-8", "latin1", "KOI8-R", "UTF-16", "no-such" };
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), int(size - 1));
    QByteArray amended;
    bool wasAmended = false;
    QMetaObject::Connection c = QObject::connect(
        runner, &IOTRunner::amendData, [&](const QString &, const QByteArray &d) {
            amended = d;
            wasAmended = true;
        });
    const QString name = QString::fromLatin1(names[data[0] % 3]);
    const bool accepted = runner->validateDrop(name, bytes);
    QObject::disconnect(c);
    if (wasAmended && (!accepted || amended.isEmpty()))
        std::abort(); // converted data is always accepted and never empty
    if (wasAmended && !runner->validateDrop(name, amended))
        std::abort(); // what the intake produced, it accepts as it is
    handler->repr(bytes, QString::fromLatin1(codecs[(data[0] >> 2) % 5]));
    handler->fileInfo(QString::fromUtf8(bytes));
    return 0;
}
