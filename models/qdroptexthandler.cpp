#include "models/qdroptexthandler.h"

#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTextCodec>
#include <QUrl>

namespace {
constexpr int LabelLength = 16;
constexpr int TeaserBytes = 4;
} // namespace

void QDropTextHandler::registerQml(QQmlEngine *engine)
{
    static QDropTextHandler instance;
    qmlRegisterUncreatableType<QDropTextHandler>("DropTextHandler", 1, 0, "DropTextHandler",
        QStringLiteral("DropTextHandler is a singleton - use the static member q_dropHandler"));
    engine->rootContext()->setContextProperty(QStringLiteral("q_dropHandler"), &instance);
}

QByteArray QDropTextHandler::processInput(QString text) const
{
    const QUrl url(text.trimmed(), QUrl::TolerantMode);
    if (url.isValid() && url.isLocalFile()) {
        QFile file(url.toLocalFile());
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return text.toUtf8();
}

QString QDropTextHandler::fileInfo(QString text) const
{
    const QUrl url(text.trimmed(), QUrl::TolerantMode);
    if (url.isValid())
        return url.isLocalFile() ? url.toLocalFile() : url.toString();
    if (text.size() > LabelLength)
        return text.left(LabelLength) + QStringLiteral("...");
    return text;
}

QString QDropTextHandler::repr(QByteArray data, QString codec) const
{
    if (QTextCodec *textCodec = QTextCodec::codecForName(codec.toUtf8())) {
        const QString text = textCodec->toUnicode(data);
        // Only bytes that survive the round trip unchanged are text.
        if (textCodec->fromUnicode(text) == data)
            return text;
    }
    return tr("Binary content: %1...")
        .arg(QString::fromLatin1(data.left(TeaserBytes).toHex().toUpper()));
}

QString QDropTextHandler::repr(QByteArray data) const
{
    return repr(data, QStringLiteral("UTF-8"));
}
