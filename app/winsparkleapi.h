#ifndef WINSPARKLEAPI_H
#define WINSPARKLEAPI_H

// The functions of the Windows update library (WinSparkle) that the program
// calls, as its documentation gives them.
extern "C" {
void win_sparkle_set_app_details(
    const wchar_t *company_name, const wchar_t *app_name, const wchar_t *app_version);
void win_sparkle_set_appcast_url(const char *url);
void win_sparkle_set_automatic_check_for_updates(int state);
void win_sparkle_set_update_check_interval(int interval);
void win_sparkle_init();
void win_sparkle_check_update_with_ui();
void win_sparkle_cleanup();
}

#endif // WINSPARKLEAPI_H
