#include "cli/interruption.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

std::function<void(int)> handler;

void tell(int signal)
{
    if (handler)
        handler(signal);
}

#ifdef Q_OS_WIN
BOOL WINAPI onConsoleEvent(DWORD event)
{
    const int signal = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? SIGINT : SIGTERM;
    QMetaObject::invokeMethod(
        qApp, [signal] { tell(signal); }, Qt::QueuedConnection);
    return TRUE;
}
#else
int signalPipe[2] = { -1, -1 };
void onSignal(int signal)
{
    const char byte = char(signal);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}
#endif

} // namespace

void Interruption::catchSignals(std::function<void(int)> then)
{
    handler = std::move(then);
#ifdef Q_OS_WIN
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte = 0;
        if (::read(signalPipe[0], &byte, 1) == 1)
            tell(byte);
    });
    for (const int signal : { SIGINT, SIGTERM, SIGHUP })
        std::signal(signal, onSignal);
#endif
}
