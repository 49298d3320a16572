#ifndef WINSPARKLEAPI_H
#define WINSPARKLEAPI_H

// The functions of the Windows update library (WinSparkle) that the program
// calls, as its documentation gives them, and the names it exports them by.
namespace WinSparkle {
using SetAppDetails = void (*)(const wchar_t *company, const wchar_t *app, const wchar_t *version);
using SetAppcastUrl = void (*)(const char *url);
using SetAutomaticCheck = void (*)(int state);
using SetCheckInterval = void (*)(int interval);
using Call = void (*)();

constexpr char SetAppDetailsName[] = "win_sparkle_set_app_details";
constexpr char SetAppcastUrlName[] = "win_sparkle_set_appcast_url";
constexpr char SetAutomaticCheckName[] = "win_sparkle_set_automatic_check_for_updates";
constexpr char SetCheckIntervalName[] = "win_sparkle_set_update_check_interval";
constexpr char InitName[] = "win_sparkle_init";
constexpr char CheckName[] = "win_sparkle_check_update_with_ui";
constexpr char CleanupName[] = "win_sparkle_cleanup";
} // namespace WinSparkle

#endif // WINSPARKLEAPI_H
