#include "app/sparkleupdater.h"

#include "app/winsparkleapi.h"

#include <QCoreApplication>

namespace {
constexpr int OneDaySeconds = 86400;

// The library keeps pointers to these, so they outlive the call.
wchar_t company[128];
wchar_t application[128];
wchar_t version[32];

template <int N> void copyTo(wchar_t (&buffer)[N], const QString &text)
{
    const int length = text.left(N - 1).toWCharArray(buffer);
    buffer[length] = L'\0';
}
} // namespace

SparkleUpdater::SparkleUpdater(const QString &url)
{
    copyTo(company, QCoreApplication::organizationName());
    copyTo(application, QCoreApplication::applicationName());
    copyTo(version, QCoreApplication::applicationVersion());
    win_sparkle_set_app_details(company, application, version);
    win_sparkle_set_appcast_url(url.toLocal8Bit().constData());
    win_sparkle_set_automatic_check_for_updates(1);
    win_sparkle_set_update_check_interval(OneDaySeconds);
    win_sparkle_init();
}

SparkleUpdater::~SparkleUpdater()
{
    win_sparkle_cleanup();
}

void SparkleUpdater::checkUpdate()
{
    win_sparkle_check_update_with_ui();
}
