import QtQuick 2.11
import QtTest 1.2
import "qrc:/Pages.js" as Pages

// The main window driven through the runner's signals, as the device would.
TestCase {
    id: test

    property var window: null

    function child(name) {
        var item = findChild(window.contentItem, name);
        if (!item)
            item = findChild(window, name);
        verify(item, name);
        return item;
    }


    name: "MainWindow"
    when: windowShown

    function init() {
        var component = Qt.createComponent("qrc:/main.qml");
        compare(component.status, Component.Ready, component.errorString());
        window = component.createObject(null);
        verify(window);
        waitForRendering(window.contentItem);
    }

    function cleanup() {
        window.destroy();
        window = null;
    }

    function test_menuButtonOpensTheMenuOrGoesHome() {
        var menuTool = child("menuTool");
        var stack = child("stack");
        var mainMenu = child("mainMenu");
        compare(stack.currentIndex, Pages.connection);
        mouseClick(menuTool);
        tryCompare(mainMenu, "opened", true);
        mainMenu.close();
        tryCompare(mainMenu, "opened", false);

        runner.connectedToHost();
        compare(stack.currentIndex, Pages.sensors);
        stack.currentIndex = Pages.config;
        compare(menuTool.text, "\ue408"); // navigate_before: back to the sensors
        mouseClick(menuTool);
        compare(stack.currentIndex, Pages.sensors);
        compare(menuTool.text, "\ue5d2"); // menu
        verify(!mainMenu.opened);
    }

    function test_disconnectReturnsToTheConnectionPage() {
        var stack = child("stack");
        runner.connectedToHost();
        stack.currentIndex = Pages.history;
        runner.disconnectedFromHost();
        compare(stack.currentIndex, Pages.connection);
        compare(child("menuTool").text, "\ue5d2");
        compare(child("connIndicator").state, "none");
        verify(!child("deviceTool").visible);
    }

    function test_sensorPagesFollowTheDevice() {
        var sensors = child("sensorsPage");
        runner.connectedToHost();
        runner.deviceSetup(2, ["\u2103", "%"]);
        compare(sensors.count, 2);
        compare(sensors.pageAt(0).unit, "\u2103");
        compare(sensors.pageAt(1).unit, "%");
        compare(sensors.pageAt(1).index, 1);
        runner.disconnectedFromHost();
        compare(sensors.count, 0);
        runner.connectedToHost();
        runner.deviceSetup(1, ["\u2103"]);
        compare(sensors.count, 1);
        compare(sensors.pageAt(0).index, 0);
    }

    function test_notificationsStackAndGo() {
        var toast = child("toast");
        runner.alert("first");
        runner.alert("second");
        runner.alert("third");
        compare(toast.count, 3);
        waitForRendering(toast);
        // The newest sits at the bottom.
        verify(toast.itemAtIndex(0).y > toast.itemAtIndex(1).y);
        verify(toast.itemAtIndex(1).y > toast.itemAtIndex(2).y);
        // Never more than three, and never the same text twice.
        runner.alert("second");
        runner.alert("fourth");
        compare(toast.count, 3);
        waitForRendering(toast);
        compare(toast.itemAtIndex(0).shownText, "fourth");
        compare(toast.itemAtIndex(2).shownText, "second");
        // Finished notifications leave the list.
        tryCompare(toast, "count", 0, 5000);
    }

    function test_accuracyLine_data() {
        return [
            { tag: "one minute", interval: 60000, end: "±30sec" },
            { tag: "ten minutes", interval: 600000, end: "±5min" },
            { tag: "two minutes", interval: 120000, end: "±60sec" },
            { tag: "five minutes", interval: 300000, end: "±3min" }
        ];
    }

    function test_accuracyLine(data) {
        runner.histIntervalUpdated(data.interval);
        var text = child("accuracyLine").text;
        verify(text.indexOf("* Time column value accuracy: ") === 0, text);
        compare(text.substr(text.length - data.end.length), data.end);
    }

    function test_statusIndicators() {
        var mqtt = child("mqttIndicator");
        var modbus = child("modbusIndicator");
        runner.deviceUpdate(true, false);
        compare(mqtt.state, "active");
        compare(modbus.state, "inactive");
        compare(mqtt.tooltip, "Cloud/MQTT is running");
        runner.deviceUpdate(false, true);
        compare(mqtt.state, "inactive");
        compare(modbus.tooltip, "Tarvex client is running");
        // Without a device nothing is running that the window could know of.
        runner.deviceUpdate(true, true);
        runner.disconnectedFromHost();
        compare(mqtt.state, "inactive");
        compare(modbus.state, "inactive");
    }

    function test_languageChangeKeepsTheSavedAddress() {
        // The runner saves the address it is asked to connect to.
        runner.connectToHost("127.0.0.9", 4321);
        runner.disconnectFromHost();
        var dialog = child("langDialog");
        dialog.open();
        tryCompare(dialog, "opened", true);
        findChild(dialog.contentItem, "langCombo").currentIndex = 1;
        dialog.accept();
        tryVerify(function() { return testHelper.setting("language") === "ru"; }, 5000);
        testHelper.setSetting("language", "en");
        compare(testHelper.setting("host"), "127.0.0.9");

        // The next start shows it.
        window.destroy();
        init();
        compare(child("connectionPage").host, "127.0.0.9");
        compare(child("connectionPage").port, 4321);
    }


    function test_disconnectStopsAnAttempt() {
        var page = child("connectionPage");
        var abort = child("connAbortMenu");
        verify(!abort.enabled);
        page.host = "127.0.0.1";
        page.port = 9; // nothing listens on the discard port here
        page.start();
        compare(child("connIndicator").state, "connecting");
        verify(abort.enabled);
        abort.triggered();
        compare(child("connIndicator").state, "none");
        verify(!page.connecting);
        verify(!abort.enabled);
    }
}
