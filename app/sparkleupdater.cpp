#include "app/sparkleupdater.h"

#include <QCoreApplication>

#include <memory>

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

SparkleUpdater *SparkleUpdater::load(const QString &url, const QString &libraryFile)
{
    std::unique_ptr<SparkleUpdater> updater(new SparkleUpdater);
    QLibrary &library = updater->library;
    library.setFileName(libraryFile);
    const auto setAppDetails = reinterpret_cast<WinSparkle::SetAppDetails>(
        library.resolve(WinSparkle::SetAppDetailsName));
    const auto setAppcastUrl = reinterpret_cast<WinSparkle::SetAppcastUrl>(
        library.resolve(WinSparkle::SetAppcastUrlName));
    const auto setAutomaticCheck = reinterpret_cast<WinSparkle::SetAutomaticCheck>(
        library.resolve(WinSparkle::SetAutomaticCheckName));
    const auto setCheckInterval = reinterpret_cast<WinSparkle::SetCheckInterval>(
        library.resolve(WinSparkle::SetCheckIntervalName));
    const auto init = reinterpret_cast<WinSparkle::Call>(library.resolve(WinSparkle::InitName));
    const auto check = reinterpret_cast<WinSparkle::Call>(library.resolve(WinSparkle::CheckName));
    const auto cleanup
        = reinterpret_cast<WinSparkle::Call>(library.resolve(WinSparkle::CleanupName));
    if (!setAppDetails || !setAppcastUrl || !setAutomaticCheck || !setCheckInterval || !init
        || !check || !cleanup)
        return nullptr;
    updater->check = check;
    updater->cleanup = cleanup;

    copyTo(company, QCoreApplication::organizationName());
    copyTo(application, QCoreApplication::applicationName());
    copyTo(version, QCoreApplication::applicationVersion());
    setAppDetails(company, application, version);
    setAppcastUrl(url.toLocal8Bit().constData());
    setAutomaticCheck(1);
    setCheckInterval(OneDaySeconds);
    init();
    return updater.release();
}

SparkleUpdater::~SparkleUpdater()
{
    if (cleanup)
        cleanup();
}

void SparkleUpdater::checkUpdate()
{
    check();
}
