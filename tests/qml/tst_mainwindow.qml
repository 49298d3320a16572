import QtQuick 2.11
import QtQuick.Controls 2.4
import QtTest 1.2
import "qrc:/Pages.js" as Pages

// The main window against the simulated device: what it says of the
// connection, and whole at its smallest.
WindowCase {
    name: "MainWindow"

    function init() {
        openWindow();
    }

    function cleanup() {
        closeWindow();
    }

    function test_languageChangeKeepsTheSavedAddress() {
        runner.connectToHost("127.0.0.9", 4321); // the runner saves what it is given
        runner.disconnectFromHost();
        var dialog = child("langDialog");
        dialog.open();
        child("langCombo").currentIndex = 1;
        dialog.accept();
        tryVerify(function() { return testHelper.setting("language") === "ru"; }, 5000);
        var restart = child("restartDialog"); // later, not now
        tryCompare(restart, "opened", true);
        restart.reject();
        tryCompare(restart, "visible", false);
        testHelper.setSetting("language", "en");
        closeWindow();
        openWindow();
        compare(child("connectionPage").host, "127.0.0.9");
        compare(child("connectionPage").port, 4321);
    }

    function test_findDevicesThenConnectOrSave() {
        var port = testHelper.startSimulator(["--address", "127.0.0.2", "--address", "127.0.0.3"]);
        var dialog = child("findDialog");
        mouseClick(child("findButton"));
        tryCompare(dialog, "opened", true);
        keyClick(Qt.Key_1); // the range field has the keyboard
        keyClick(Qt.Key_Return);
        compare(child("rangeHint").text, "Enter a network (192.168.1.0/24), a range (192.168.1.10-60) or an address");
        child("rangeEditField").text = "127.0.0.1-4:" + port;
        keyClick(Qt.Key_Return);
        tryCompare(runner.finder, "running", false, 5000);
        compare(child("progressText").text, "4 of 4 addresses tried, devices found: 2");
        // The second kept under a name of its own, the first chosen.
        keyClick(Qt.Key_Home);
        keyClick(Qt.Key_Down);
        mouseClick(child("foundSaveButton"));
        var save = child("connSaveDialog");
        tryCompare(save, "opened", true);
        compare(save.name, "veltra-2w 127.0.0.3");
        keyClick(Qt.Key_Return);
        tryCompare(save, "visible", false);
        verify(runner.connListModel().containsHost("127.0.0.3"));
        keyClick(Qt.Key_Up);
        keyClick(Qt.Key_Return);
        tryCompare(dialog, "visible", false);
        tryCompare(runner.connection, "address", "127.0.0.2:" + port);
        tryCompare(runner.connection, "model", "veltra-2w");
    }

    // A tooltip is for the pointer that came to a button: not brought back
    // by a dialog closing over a pointer left there while the operator typed.
    function test_tooltipsFollowThePointer() {
        var tool = child("menuTool");
        mouseMove(tool, tool.width / 2, tool.height / 2);
        tryCompare(tool.ToolTip, "visible", true);
        var dialog = child("findDialog");
        child("findButton").forceActiveFocus(Qt.TabFocusReason);
        keyClick(Qt.Key_Space);
        tryCompare(dialog, "opened", true);
        keyClick(Qt.Key_Escape);
        tryCompare(dialog, "visible", false);
        wait(1000);
        verify(!tool.ToolTip.visible);
        mouseMove(tool, tool.width / 2 + 1, tool.height / 2);
        tryCompare(tool.ToolTip, "visible", true);
    }

    function test_connectionIsToldAsItIs() {
        var indicator = child("connIndicator");
        var text = child("connectionText");
        var sensors = child("sensorsPage");
        var port = testHelper.startSimulator([]);
        var at = "127.0.0.1:" + port;
        connectTo(port);
        tryCompare(window, "title", "VELTRA2 \u2014 veltra-2w " + at);
        tryCompare(indicator, "state", "connected"); // once the device has answered
        verify(!text.visible);
        // A lost link is tried again, and said so with its reason; the page,
        // the sensor in view and its chart stay, under a bar that says so.
        tryCompare(sensors, "count", 2);
        sensors.pageAt(1).forceActiveFocus();
        testHelper.setPollInterval(500);
        updates.clear();
        updates.wait(5000);
        var points = sensors.pageAt(1).chart.values.length;
        verify(points > 0);
        runner.requestReboot();
        tryCompare(indicator, "state", "reconnecting");
        compare(text.text, "Reconnecting to " + at + ": Device will reboot");
        verify(text.visible);
        compare(indicator.tooltip, text.text);
        compare(child("stack").currentIndex, Pages.sensors);
        compare(sensors.count, 2);
        compare(sensors.pageAt(1).chart.values.length, points);
        verify(/^Connection lost at \d\d:\d\d:\d\d — reconnecting$/.test(child("lostText").text),
               child("lostText").text);
        verify(child("lostBar").visible);
        tryCompare(indicator, "state", "connected", 15000);
        verify(!child("lostBar").visible);
        updates.clear();
        updates.wait(5000);
        compare(child("sensorView").currentIndex, 1);
        verify(sensors.pageAt(1).chart.values.length > points);
        // Stopped while lost, the device is left.
        testHelper.setPollInterval(5000);
        runner.requestReboot();
        tryCompare(child("lostBar"), "visible", true);
        mouseClick(child("lostStopButton"));
        compare(child("stack").currentIndex, Pages.connection);
        compare(sensors.count, 0);
        // A saved device that does not answer is tried until Disconnect.
        var refused = testHelper.refusedPort();
        runner.connectToHost("127.0.0.1", refused);
        runner.saveConnection("nowhere");
        runner.disconnectFromHost();
        compare(window.title, "VELTRA2");
        child("listButton").clicked();
        var list = child("connList");
        tryVerify(function() { return list.count > 0 && list.itemAtIndex(list.count - 1); });
        list.itemAtIndex(list.count - 1).clicked();
        tryCompare(text, "text", "Connecting to 127.0.0.1:" + refused + ": Connection refused");
        verify(child("connectionPage").connecting);
        var abort = child("connAbortMenu");
        verify(abort.enabled);
        abort.triggered();
        compare(indicator.state, "none");
        compare(text.text, "Not connected");
        verify(!abort.enabled && !child("connectionPage").connecting);
    }

    function test_somethingElseOnThePortIsToldOnce() {
        var port = testHelper.startSimulator(["--verbose", "--reply", "info=HTTP/1.1 400 Bad Request"]);
        connectTo(port);
        tryCompare(runner.connection, "state", 0 /* not connected */);
        wait(1500); // a retry would have come by now
        compare(testHelper.connectionsTo(port), 1);
        var told = alerts.signalArguments.filter(function(a) { return /VELTRA2/.test(a[0]); });
        compare(told.length, 1, JSON.stringify(told));
        compare(told[0][0], "127.0.0.1:" + port + " is not a VELTRA2 device");
        compare(child("stack").currentIndex, Pages.connection);
    }

    function test_savedConnectionsNeedANameAndGoOnlyWhenAsked() {
        connectTo(testData.port);
        tryCompare(runner.connection, "model", "veltra-2w");
        var save = child("connSaveDialog"), model = runner.connListModel();
        child("mainMenu").saveConnection();
        tryCompare(save, "opened", true);
        compare(save.name, "veltra-2w 127.0.0.1"); // offered
        save.name = "  ";
        keyClick(Qt.Key_Return);
        verify(save.visible && !save.standardButton(Dialog.Ok).enabled);
        save.name = "lab";
        keyClick(Qt.Key_Return);
        tryCompare(save, "visible", false);
        var row = model.indexOf("127.0.0.1", testData.port);
        verify(row >= 0);
        runner.disconnectFromHost();
        child("listButton").clicked();
        var list = child("connList"), ask = child("deleteConnectionDialog");
        list.currentIndex = row;
        list.forceActiveFocus();
        keyClick(Qt.Key_Delete);
        tryCompare(ask, "opened", true);
        verify(ask.text.indexOf("lab (127.0.0.1:" + testData.port + ")") > 0, ask.text);
        keyClick(Qt.Key_Escape); // kept
        tryCompare(ask, "visible", false);
        compare(model.indexOf("127.0.0.1", testData.port), row);
        keyClick(Qt.Key_Delete);
        tryCompare(ask, "opened", true);
        mouseClick(ask.standardButton(Dialog.Ok));
        tryCompare(ask, "visible", false);
        compare(model.indexOf("127.0.0.1", testData.port), -1);
    }

    function verifyPlainRows(rowAt, count, where) { // no style ripple: the software renderer spreads it
        for (var i = 0; i < count; ++i) {
            var row = null;
            tryVerify(function() { return (row = rowAt(i)) !== null; }, 5000, where);
            verify(!row.background || !/Ripple/.test(String(row.background.children[0])), where + " row " + i);
        }
    }

    // Every control the keyboard reaches under `root` lies inside the window,
    // or inside the content of whatever scrolls it there.
    function verifyWhole(root, where) {
        for (var items = [root]; items.length > 0;) {
            var item = items.pop();
            if (!item.visible)
                continue;
            for (var i = 0; i < item.children.length; ++i)
                items.push(item.children[i]);
            if (!item.activeFocusOnTab && !item.focusPolicy)
                continue;
            var area = item.parent;
            while (area && area.flicking === undefined)
                area = area.parent;
            var at = item.mapToItem(area ? area.contentItem : null, 0, 0);
            var x = area ? area.originX : 0, y = area ? area.originY : 0;
            var width = area ? Math.max(area.contentWidth, area.width) : window.width;
            var height = area ? Math.max(area.contentHeight, area.height) : window.height;
            verify(at.x >= x - 1 && at.y >= y - 1 && at.x + item.width <= x + width + 1
                   && at.y + item.height <= y + height + 1,
                   where + ": " + item + " at " + at.x + "," + at.y + " of " + width + "x" + height);
        }
    }

    // The controls under `root` the operator sees: shown, and within what
    // clips them; each with the part of the window it takes.
    function shownControls(root, found) {
        for (var items = [[root, { x: -1e6, y: -1e6, r: 1e6, b: 1e6 }]]; items.length > 0;) {
            var entry = items.pop(), item = entry[0], view = entry[1];
            if (!item.visible || item.opacity === 0 || item.width <= 0 || item.height <= 0)
                continue;
            var at = item.mapToItem(null, 0, 0);
            var box = { x: Math.max(at.x, view.x), y: Math.max(at.y, view.y),
                        r: Math.min(at.x + item.width, view.r), b: Math.min(at.y + item.height, view.b) };
            if (box.r - box.x < 1 || box.b - box.y < 1)
                continue;
            if (item.activeFocusOnTab || item.focusPolicy || item.objectName === "toastItem")
                found.push({ item: item, box: box });
            for (var i = 0; i < item.children.length; ++i)
                items.push([item.children[i], item.clip ? box : view]);
        }
        return found;
    }

    // No control the operator sees lies over another, nor a notification
    // over a control; over an open dialog, only the dialog's are seen.
    function verifyNoOverlap(where, dialog) {
        var shown = shownControls(window.overlay, dialog ? [] : shownControls(window.contentItem, []));
        for (var i = 0; i < shown.length; ++i) {
            for (var j = i + 1; j < shown.length; ++j) {
                var a = shown[i], b = shown[j], nested = false;
                for (var p = a.item.parent; p && !nested; p = p.parent)
                    nested = p === b.item;
                for (p = b.item.parent; p && !nested; p = p.parent)
                    nested = p === a.item;
                var across = Math.min(a.box.r, b.box.r) - Math.max(a.box.x, b.box.x);
                var down = Math.min(a.box.b, b.box.b) - Math.max(a.box.y, b.box.y);
                verify(nested || across <= 1 || down <= 1, where + ": " + a.item + " " + a.item.objectName
                       + " over " + b.item + " " + b.item.objectName);
            }
        }
    }

    function test_wholeAtTheSmallestSize() {
        window.width = window.minimumWidth;
        window.height = window.minimumHeight;
        var menuTool = child("menuTool");
        var stack = child("stack");
        var sensors = child("sensorsPage");
        connectTo(testData.port);
        tryCompare(sensors, "count", 2);
        updates.wait(5000);
        runner.deviceUpdate(true, true); // as a device with both services would
        compare(stack.currentIndex, Pages.sensors);
        compare(sensors.pageAt(1).unit, "%");
        compare(child("mqttIndicator").tooltip, "Cloud/MQTT is running");
        for (var i = 0; i < 3; ++i)
            child("toast").show(i + Array(20).join(" notification"));
        for (var page = Pages.connection; page <= Pages.history; ++page) {
            stack.currentIndex = page;
            waitForRendering(window.contentItem);
            verifyWhole(window.contentItem, "page " + page);
            verifyNoOverlap("page " + page);
        }
        compare(menuTool.text, "\ue408"); // navigate_before: back to the sensors
        mouseClick(menuTool);
        compare(stack.currentIndex, Pages.sensors);
        compare(menuTool.text, "\ue5d2");
        ["mainMenu", "deviceMenu", "aboutDialog", "langDialog", "connSaveDialog", "deviceDialog",
         "rebootDialog"].forEach(function(name) {
            var popup = child(name);
            popup.open();
            tryCompare(popup, "opened", true);
            verifyWhole(window.overlay, name);
            if (/Menu$/.test(name))
                verifyPlainRows(popup.itemAt, popup.count, name);
            if (name === "langDialog") { // and its open list
                child("langCombo").popup.open();
                verifyPlainRows(child("langCombo").popup.contentItem.itemAtIndex, 2, "language list");
                child("langCombo").popup.close();
            }
            // A menu hangs below the tool bar, never over it; a dialog is
            // centred in the window above the notifications.
            var top = popup.background.mapToItem(null, 0, 0).y;
            var room = window.height - window.reservedBottom;
            verify(/Menu$/.test(name) ? top >= window.header.height
                                      : Math.abs(top + popup.height / 2 - room / 2) <= 1,
                   name + " at " + top);
            if (!/Menu$/.test(name))
                verifyNoOverlap(name, true);
            popup.close();
            tryCompare(popup, "visible", false);
        });

        // Nothing is known of a device that is gone.
        stack.currentIndex = Pages.history;
        runner.disconnectFromHost();
        compare(stack.currentIndex, Pages.connection);
        compare(menuTool.text, "\ue5d2");
        compare(sensors.count, 0);
        verify(!child("deviceTool").visible);
        compare(child("mqttIndicator").state, "inactive");
        compare(child("modbusIndicator").state, "inactive");
    }
}
