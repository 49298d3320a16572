#include "devsimprocess.h"

#include "waituntil.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

DevsimProcess::~DevsimProcess()
{
    kill();
}

bool DevsimProcess::start(const QStringList &args, quint16 port)
{
    output.clear();
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(DEVSIM_BINARY),
        QStringList { "--verbose", "--port", QString::number(port) } + args);
    if (!process.waitForStarted(5000))
        return false;
    const QRegularExpression listening(QStringLiteral("listening on [^ ]*:(\\d+)"));
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        process.waitForReadyRead(100);
        output += process.readAllStandardOutput();
        const auto match = listening.match(QString::fromLatin1(output));
        if (match.hasMatch()) {
            listeningPort = quint16(match.captured(1).toUInt());
            return true;
        }
        if (process.state() == QProcess::NotRunning)
            return false;
    }
    return false;
}

void DevsimProcess::kill()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(5000);
}

QList<QByteArray> DevsimProcess::log()
{
    output += process.readAllStandardOutput();
    QList<QByteArray> lines = output.split('\n');
    lines.removeLast();
    return lines;
}

QList<QByteArray> DevsimProcess::received()
{
    QList<QByteArray> result;
    for (const QByteArray &line : log())
        if (line.startsWith("<- "))
            result << line.mid(3);
    return result;
}

bool DevsimProcess::waitForReceived(int count, int msec)
{
    return waitUntil([&] { return received().size() >= count; }, msec);
}
