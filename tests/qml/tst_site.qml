import QtQuick 2.11
import QtQuick.Controls 2.4
import QtTest 1.2
import "qrc:/Pages.js" as Pages

// The whole site in the window: fifty devices watched, a silent one marked
// and alarmed, a hot one raising and clearing its alarm on the desktop, and
// a device opened on the site's own connection.
WindowCase {
    // The site model's roles (Qt.UserRole + 1 on).
    readonly property int nameRole: 257
    readonly property int temperatureRole: 260
    readonly property int problemRole: 266
    readonly property int alarmsRole: 267
    readonly property int logClearedRole: 258
    readonly property int logDeviceRole: 259
    readonly property int logAlarmRole: 261

    function cell(table, name, role) {
        var model = table.model;
        for (var row = 0; row < model.rowCount(); ++row) {
            if (model.data(model.index(row, 0), nameRole) === name)
                return model.data(model.index(row, 0), role);
        }
        return undefined;
    }

    function filled(table) {
        var model = table.model, count = 0;
        for (var row = 0; row < model.rowCount(); ++row)
            count += model.data(model.index(row, 0), temperatureRole) !== "\u2014" ? 1 : 0;
        return count;
    }

    name: "Site"

    function test_aSiteOfFifty() {
        var addresses = [];
        // Fifty devices; ten in a slow build, which cannot hear fifty in time
        // while other tests run beside it.
        var slowdown = testHelper.limits().slowdown;
        var rooms = slowdown > 1 ? 8 : 48;
        for (var host = 10; host < 10 + rooms; ++host)
            addresses.push("--address", "127.0.6." + host);
        var port = testHelper.startSimulator(addresses);
        verify(port > 0, "simulator");
        for (host = 10; host < 10 + rooms; ++host)
            runner.saveConnectionTo("Room " + host, "127.0.6." + host, port);
        var bus = testHelper.watchNotifications();
        testHelper.setSitePollInterval(500 * slowdown);
        openWindow();
        window.openSite();
        // The muted and the hot devices' clocks run from their start: begun
        // with the window still opening, a slow build may hear the muted one
        // only once it has fallen silent (its row never filled).
        var at = function(seconds) { return String(seconds * slowdown); };
        var muted = testHelper.startSimulator(["--address", "127.0.6.58", "--mute-at", at(8)]);
        var hot = testHelper.startSimulator(["--address", "127.0.6.59", "--model", "2u", "--verbose",
                                             "--step", at(8) + "=30", "--step", at(14) + "=-30"]);
        verify(muted > 0 && hot > 0, "simulators");
        runner.saveConnectionTo("Muted", "127.0.6.58", muted);
        runner.saveConnectionTo("Hot", "127.0.6.59", hot);
        verify(runner.site.setLimitsFor("127.0.6.58", muted, { "silentSeconds": 2 * slowdown }));
        verify(runner.site.setLimitsFor("127.0.6.59", hot, { "temperatureHigh": 35 }));
        var table = child("siteTable");
        tryCompare(table, "count", rooms + 2);
        tryVerify(function() { return filled(table) === rooms + 2; }, 20000 * slowdown, "every row filled");

        // Silent: marked within two periods, then its alarm.
        tryVerify(function() { return cell(table, "Muted", problemRole) >= 1; }, 10000 * slowdown);
        tryVerify(function() { return cell(table, "Muted", alarmsRole) === "no reading"; }, 5000);

        verify(table.model.data(table.model.index(0, 0), problemRole) >= 1); // problems first

        // Too warm: raised, told on the desktop, cleared once back below the
        // limit by more than the hysteresis. Read from the alarm list, which
        // keeps it: a slow build may fill the table after the device cooled.
        var log = runner.site.alarms;
        var hotAlarm = function() {
            for (var r = 0; r < log.rowCount(); ++r)
                if (log.data(log.index(r, 0), logDeviceRole) === "Hot"
                        && log.data(log.index(r, 0), logAlarmRole) === "temperature too high")
                    return r;
            return -1;
        };
        tryVerify(function() { return hotAlarm() >= 0; }, 10000 * slowdown, "too warm raised");
        if (bus)
            tryVerify(function() { return testHelper.notificationsSeen() >= 2; }, 5000,
                      "Notify calls on the session bus");
        tryVerify(function() { return log.data(log.index(hotAlarm(), 0), logClearedRole) !== "still raised"; },
                  10000 * slowdown, "too warm cleared");
        tryVerify(function() { return cell(table, "Hot", alarmsRole) === ""; }, 10000);

        // Opened from its row: the device's pages, on the site's connection.
        var row = -1;
        for (var r = 0; r < table.model.rowCount(); ++r)
            if (table.model.data(table.model.index(r, 0), nameRole) === "Hot")
                row = r;
        table.forceActiveFocus();
        table.currentIndex = row;
        keyClick(Qt.Key_Return);
        tryCompare(child("stack"), "currentIndex", Pages.sensors);
        tryCompare(child("sensorsPage"), "count", 1);
        tryVerify(function() { return child("sensorsPage").pageAt(0).gauge.everRead; }, 5000);
        compare(testHelper.connectionsTo(hot), 1);
        // Back: the site again, the device still watched.
        mouseClick(child("menuTool"));
        tryCompare(child("stack"), "currentIndex", Pages.site);
        compare(testHelper.connectionsTo(hot), 1);
        closeWindow();
    }

    // Limits set from the row's menu with the keyboard: a crossed pair is
    // refused, the rest kept with the saved connection.
    function test_limitsFromTheRowMenu() {
        var port = testHelper.startSimulator(["--address", "127.0.6.70", "--verbose"]);
        runner.saveConnectionTo("Lab", "127.0.6.70", port);
        openWindow();
        window.openSite();
        var table = child("siteTable");
        tryVerify(function() { return table.count > 0; });
        child("siteFilterField").forceActiveFocus();
        keyClick(Qt.Key_L);
        keyClick(Qt.Key_A);
        keyClick(Qt.Key_B);
        tryCompare(table, "count", 1);
        table.forceActiveFocus();
        table.currentIndex = 0;
        keyClick(Qt.Key_Menu);
        keyClick(Qt.Key_Down);
        keyClick(Qt.Key_Down);
        keyClick(Qt.Key_Return);
        var dialog = child("limitsDialog");
        tryCompare(dialog, "opened", true);
        keyClick(Qt.Key_3);
        keyClick(Qt.Key_0);
        keyClick(Qt.Key_Tab);
        keyClick(Qt.Key_2);
        keyClick(Qt.Key_X); // not a number: not taken
        keyClick(Qt.Key_0);
        compare(child("temperatureHighField").text, "20");
        verify(!dialog.standardButton(Dialog.Ok).enabled, "a low limit above the high one");
        keyClick(Qt.Key_Return);
        verify(dialog.opened);
        keyClick(Qt.Key_Backspace);
        keyClick(Qt.Key_Backspace);
        keyClick(Qt.Key_4);
        keyClick(Qt.Key_0);
        keyClick(Qt.Key_Return);
        tryCompare(dialog, "opened", false);
        var limits = runner.site.limitsFor("127.0.6.70", port);
        compare(limits.temperatureLow, 30);
        compare(limits.temperatureHigh, 40);
        compare(limits.humidityLow, undefined);

        // Stopped: the device is let go, for another program to reach.
        compare(testHelper.openConnectionsTo(port), 1);
        tryCompare(dialog, "visible", false);
        mouseClick(child("menuTool")); // back from the site: still watched
        tryCompare(child("stack"), "currentIndex", Pages.connection);
        compare(testHelper.openConnectionsTo(port), 1);
        mouseClick(child("menuTool"));
        tryCompare(child("mainMenu"), "opened", true);
        mouseClick(child("stopSiteMenu"));
        tryVerify(function() { return testHelper.openConnectionsTo(port) === 0; }, 5000, "let go");
        compare(child("stack").currentIndex, Pages.connection);
        verify(!runner.site.watching);
        closeWindow();
    }
}
