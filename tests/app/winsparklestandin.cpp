// Stands in for the Windows update library: a library of the same name and
// functions that records every call made to it, for the test to read back.

#include <QString>
#include <QtGlobal>

namespace {
QByteArray calls;

void record(const QString &call)
{
    calls += call.toUtf8() + '\n';
}
} // namespace

extern "C" {
Q_DECL_EXPORT void win_sparkle_set_app_details(
    const wchar_t *company, const wchar_t *app, const wchar_t *version)
{
    record(QStringLiteral("details %1|%2|%3")
               .arg(QString::fromWCharArray(company), QString::fromWCharArray(app),
                   QString::fromWCharArray(version)));
}
Q_DECL_EXPORT void win_sparkle_set_appcast_url(const char *url)
{
    record(QStringLiteral("url ") + QString::fromLocal8Bit(url));
}
Q_DECL_EXPORT void win_sparkle_set_automatic_check_for_updates(int state)
{
    record(QStringLiteral("automatic %1").arg(state));
}
Q_DECL_EXPORT void win_sparkle_set_update_check_interval(int interval)
{
    record(QStringLiteral("interval %1").arg(interval));
}
Q_DECL_EXPORT void win_sparkle_init()
{
    record(QStringLiteral("init"));
}
Q_DECL_EXPORT void win_sparkle_check_update_with_ui()
{
    record(QStringLiteral("check"));
}
Q_DECL_EXPORT void win_sparkle_cleanup()
{
    record(QStringLiteral("cleanup"));
}
// Not the library's: what was called so far, one call a line.
Q_DECL_EXPORT const char *standin_calls()
{
    return calls.constData();
}
}
