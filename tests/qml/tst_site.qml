import QtQuick 2.11
import QtTest 1.2
import "qrc:/Pages.js" as Pages

// The whole site in the window: every saved device watched, alarms raised
// and cleared, a device opened on the site's own connection.
WindowCase {
    name: "Site"

    function test_siteIsWatched() {
        var port = testHelper.startSimulator(["--address", "127.0.5.1", "--address", "127.0.5.2"]);
        runner.saveConnectionTo("Hall A", "127.0.5.1", port);
        runner.saveConnectionTo("Hall B", "127.0.5.2", port);
        openWindow();
        window.openSite();
        var table = child("siteTable");
        tryCompare(table, "count", 2);
        wait(3000);
        closeWindow();
    }
}
