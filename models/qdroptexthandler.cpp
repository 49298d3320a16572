#include "models/qdroptexthandler.h"

#include <QFile>
#include <QFileInfo>
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

namespace {
QString localFile(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::TolerantMode);
    return url.isValid() && url.isLocalFile() ? url.toLocalFile() : QString();
}
} // namespace

QString QDropTextHandler::refusal(QString text) const
{
    const QString path = localFile(text);
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile())
        return tr("%1 is not a file").arg(path);
    if (info.size() > MaxFileBytes)
        return tr("%1 is larger than 1 MiB").arg(path);
    return {};
}

QByteArray QDropTextHandler::processInput(QString text) const
{
    const QString path = localFile(text);
    if (!path.isEmpty()) {
        if (!refusal(text).isEmpty())
            return {};
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            // The file may have grown since it was looked at.
            const QByteArray data = file.read(MaxFileBytes + 1);
            return data.size() > MaxFileBytes ? QByteArray() : data;
        }
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
