// Stands in for the Windows update library: records every call made to it.

#include "app/winsparkleapi.h"

#include <QString>
#include <QStringList>

QStringList sparkleCalls;

extern "C" {
void win_sparkle_set_app_details(const wchar_t *company, const wchar_t *app, const wchar_t *version)
{
    sparkleCalls << QStringLiteral("details %1|%2|%3")
                        .arg(QString::fromWCharArray(company), QString::fromWCharArray(app),
                            QString::fromWCharArray(version));
}
void win_sparkle_set_appcast_url(const char *url)
{
    sparkleCalls << QStringLiteral("url ") + QString::fromLocal8Bit(url);
}
void win_sparkle_set_automatic_check_for_updates(int state)
{
    sparkleCalls << QStringLiteral("automatic %1").arg(state);
}
void win_sparkle_set_update_check_interval(int interval)
{
    sparkleCalls << QStringLiteral("interval %1").arg(interval);
}
void win_sparkle_init()
{
    sparkleCalls << QStringLiteral("init");
}
void win_sparkle_check_update_with_ui()
{
    sparkleCalls << QStringLiteral("check");
}
void win_sparkle_cleanup()
{
    sparkleCalls << QStringLiteral("cleanup");
}
}
