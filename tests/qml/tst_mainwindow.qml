import QtQuick 2.11
import QtTest 1.2
import "qrc:/Pages.js" as Pages

// The main window driven through the runner's signals, as the device would.
WindowCase {
    name: "MainWindow"

    function init() {
        openWindow();
    }

    function cleanup() {
        closeWindow();
    }

    function test_navigationFollowsTheConnection() {
        var menuTool = child("menuTool");
        var stack = child("stack");
        var sensors = child("sensorsPage");
        mouseClick(menuTool);
        tryCompare(child("mainMenu"), "opened", true);
        child("mainMenu").close();
        tryCompare(child("mainMenu"), "visible", false);

        runner.connectedToHost();
        runner.deviceDiscovered("");
        runner.deviceSetup(2, ["\u2103", "%"]);
        runner.deviceUpdate(true, true);
        compare(stack.currentIndex, Pages.sensors);
        compare(sensors.pageAt(1).unit, "%");
        stack.currentIndex = Pages.history;
        compare(menuTool.text, "\ue408"); // navigate_before: back to the sensors
        waitForRendering(menuTool);
        mouseClick(menuTool);
        compare(stack.currentIndex, Pages.sensors);
        compare(menuTool.text, "\ue5d2");
        compare(child("mqttIndicator").tooltip, "Cloud/MQTT is running");

        // Nothing is known of a device that is gone.
        stack.currentIndex = Pages.history;
        runner.disconnectedFromHost();
        compare(stack.currentIndex, Pages.connection);
        compare(menuTool.text, "\ue5d2");
        compare(sensors.count, 0);
        verify(!child("deviceTool").visible);
        compare(child("mqttIndicator").state, "inactive");
        compare(child("modbusIndicator").state, "inactive");
    }

    function test_languageChangeKeepsTheSavedAddress() {
        runner.connectToHost("127.0.0.9", 4321); // the runner saves what it is given
        runner.disconnectFromHost();
        var dialog = child("langDialog");
        dialog.open();
        child("langCombo").currentIndex = 1;
        dialog.accept();
        tryVerify(function() { return testHelper.setting("language") === "ru"; }, 5000);
        testHelper.setSetting("language", "en");
        closeWindow();
        openWindow();
        compare(child("connectionPage").host, "127.0.0.9");
        compare(child("connectionPage").port, 4321);
    }

    function test_disconnectStopsAnAttempt() {
        var page = child("connectionPage");
        var abort = child("connAbortMenu");
        verify(!abort.enabled);
        page.host = "127.0.0.1";
        page.port = testHelper.refusedPort();
        page.start();
        compare(child("connIndicator").state, "connecting");
        verify(abort.enabled);
        abort.triggered();
        compare(child("connIndicator").state, "none");
        verify(!page.connecting && !abort.enabled);
    }
}
