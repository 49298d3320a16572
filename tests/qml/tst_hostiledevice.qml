import QtQuick 2.11
import QtTest 1.2
import "qrc:/Pages.js" as Pages

// The whole window facing a device whose texts are markup.
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

    // Opens the window on a simulated device started with `flags`.
    function connectTo(flags) {
        // A spy waits for a count of its own: earlier tests' signals must not count.
        [connected, configs, updates, alerts, histories].forEach(function(spy) { spy.clear(); });
        var port = testHelper.startSimulator(flags);
        verify(port > 0, "simulator");
        var component = Qt.createComponent("qrc:/main.qml");
        compare(component.status, Component.Ready, component.errorString());
        window = component.createObject(null);
        waitForRendering(window.contentItem);
        var page = child("connectionPage");
        page.host = "127.0.0.1";
        page.port = port;
        mouseClick(child("connectButton"));
        connected.wait(5000);
    }

    name: "HostileDevice"
    when: windowShown

    SignalSpy {
        id: connected

        target: runner
        signalName: "connectedToHost"
    }

    SignalSpy {
        id: configs

        target: runner
        signalName: "deviceConfig"
    }

    SignalSpy {
        id: updates

        target: runner
        signalName: "deviceUpdate"
    }

    SignalSpy {
        id: alerts

        target: runner
        signalName: "alert"
    }

    SignalSpy {
        id: histories

        target: runner
        signalName: "histIntervalUpdated"
    }

    // The longest the window's event loop was held up during `msec`.
    function longestStall(msec) {
        var worst = 0;
        var end = Date.now() + msec;
        while (Date.now() < end) {
            var started = Date.now();
            wait(10);
            worst = Math.max(worst, Date.now() - started - 10);
        }
        return worst;
    }

    function verifyResponsive() {
        var stall = longestStall(1500);
        verify(stall < 500, "held up for " + stall + " ms");
    }

    function verifyWithinWindow(item) {
        verify(item.height <= window.height, item.height + " px high in a window of " + window.height);
    }

    function cleanup() {
        runner.disconnectFromHost();
        if (window)
            window.destroy();
        window = null;
    }

    function test_deviceMarkupIsShownAsText() {
        var img = "<img src='http://127.0.0.1:" + testHelper.trapPort() + "/x.png'>";
        var config = { "mqtt-id": img, "sys-mode": "web", "net-ssid": img };
        connectTo(["--model", "2w",
                   "--reply", "info=" + JSON.stringify({ "board": "veltra-2w", "version": img,
                                                         "build": img, "stm": img }),
                   "--reply", "dev=" + JSON.stringify({ "code": 1, "error": img }),
                   "--reply", "get=" + JSON.stringify({ "get": "settings.cfg",
                                                        "data": Qt.btoa(JSON.stringify(config)) }),
                   "--reply", "state=" + JSON.stringify({ "value": { "t": 1, "h": 2 }, "note": img }),
                   "--reply", "history=" + JSON.stringify({
                       "t": { "data": [img, 21], "interval": 60000 },
                       "h": { "data": [40, 41], "interval": 60000 } })]);

        // Every page and dialog that shows what the device sent.
        configs.wait(5000);
        var stack = child("stack");
        stack.currentIndex = Pages.status;
        tryVerify(function() { return runner.stateTableModel().rowCount() > 0; }, 10000);
        waitForRendering(window.contentItem);
        stack.currentIndex = Pages.history;
        runner.requestHistory();
        histories.wait(5000);
        waitForRendering(window.contentItem);
        stack.currentIndex = Pages.cloud;
        waitForRendering(window.contentItem);
        compare(child("mqttClientID").text, img);
        child("deviceDialog").open();
        waitForRendering(window.contentItem);

        // Markup written on purpose: once it has been fetched, whatever the
        // pages had fetched would have been too.
        var control = Qt.createQmlObject("import QtQuick 2.11; Text { textFormat: Text.RichText }",
                                         window.contentItem);
        control.text = img.replace("/x.png", "/control.png");
        tryVerify(function() { return testHelper.trapRequests().indexOf("/control.png") >= 0; },
                  5000);
        compare(testHelper.trapRequests(), ["/control.png"]);
    }

    function test_floodOfUnsolicitedErrors() {
        connectTo(["--model", "2w", "--flood", "20000"]);
        // The flood follows the first reading, within this time.
        verifyResponsive();
        verify(updates.count > 0);
        updates.clear();
        updates.wait(10000); // and polling goes on
        compare(alerts.count, 0);
        compare(child("toast").count, 0);
        var memory = testHelper.residentMemory();
        verify(memory < 150, memory + " MB");
    }

    function test_longDeviceTexts_data() {
        var megabyte = new Array(1024 * 1024 + 1).join("x");
        return [
            { tag: "a megabyte in the state", pad: megabyte, version: "2.3.1" },
            { tag: "7.9 MiB in the state, 100 KB of version",
              pad: new Array(8).join(megabyte).substr(0, 7.9 * 1024 * 1024),
              version: new Array(100 * 1024 + 1).join("v") }
        ];
    }

    function test_longDeviceTexts(data) {
        var state = testHelper.writeFile("state.json", JSON.stringify(
            { "value": { "t": 21, "h": 40 }, "pad": data.pad, "mqtt": false }));
        var info = testHelper.writeFile("info.json", JSON.stringify(
            { "board": "veltra-2w", "version": data.version, "build": "b", "stm": "s" }));
        connectTo(["--model", "2w", "--reply", "state=@" + state, "--reply", "info=@" + info]);
        verifyResponsive(); // while the texts arrive
        verify(updates.count > 0);
        child("stack").currentIndex = Pages.status;
        verifyResponsive(); // while the page shows them
        var table = child("stateTable");
        for (var i = 0; i < table.count; ++i)
            verify(table.itemAtIndex(i).height < window.height / 2, "row " + i);
        var dialog = child("deviceDialog");
        dialog.open();
        tryCompare(dialog, "opened", true);
        verifyWithinWindow(dialog);
        dialog.close();
    }

    function test_longBoardName() {
        connectTo(["--model", "2w", "--board", new Array(100 * 1024 + 1).join("b")]);
        alerts.wait(5000);
        var toast = child("toast");
        tryVerify(function() { return toast.count > 0; });
        waitForRendering(toast);
        for (var i = 0; i < toast.count; ++i)
            verifyWithinWindow(toast.itemAtIndex(i));
        verifyResponsive();
    }

    function test_deepNestingKeepsRowsApart() {
        var deep = "1";
        for (var i = 0; i < 500; ++i)
            deep = "{\"a\":" + deep + "}";
        connectTo(["--model", "2w", "--reply", "state={\"value\":{\"t\":1,\"h\":2},"
                   + "\"modbus\":true,\"deep\":" + deep + ",\"mqtt\":false,\"rssi\":-50}"]);
        updates.wait(5000);
        child("stack").currentIndex = Pages.status;
        var table = child("stateTable");
        tryCompare(table, "count", 5);
        waitForRendering(table);
        // Every row in view, each apart from the next.
        for (var r = 0; r + 1 < table.count; ++r) {
            var row = table.itemAtIndex(r);
            var next = table.itemAtIndex(r + 1);
            verify(next, "row " + (r + 1) + " pushed out of view");
            verify(row.y + row.height <= next.y, "row " + r + " overlaps");
        }
    }

    function test_extremeReadings_data() {
        return [
            { tag: "huge", t: 1e308, h: 500, tText: "1e+308\u2103", hText: "500%", tEnd: 130, hEnd: 100 },
            { tag: "huge negative", t: -1e308, h: -3, tText: "-1e+308\u2103", hText: "-3%", tEnd: -55, hEnd: 0 },
            { tag: "past the scale", t: 1000, h: 100.5, tText: "1000\u2103", hText: "100.5%", tEnd: 130, hEnd: 100 }
        ];
    }

    function test_extremeReadings(data) {
        connectTo(["--model", "2w", "--reply", "state=" + JSON.stringify(
                       { "value": { "t": data.t, "h": data.h } })]);
        updates.wait(5000);
        var sensors = child("sensorsPage");
        var ends = [data.tEnd, data.hEnd];
        var texts = [data.tText, data.hText];
        for (var i = 0; i < 2; ++i) {
            var item = sensors.pageAt(i);
            compare(findChild(item.gauge, "gaugeValue").text, texts[i]);
            compare(item.gauge.value, ends[i]); // the needle at the end of the scale
            // The chart keeps a scale the other readings can be seen on.
            var values = item.chart.values;
            for (var k = 0; k < values.length; ++k)
                verify(values[k] >= item.gauge.minimumValue && values[k] <= item.gauge.maximumValue);
        }
    }

    function test_unreadableConfigurationIsNoConfiguration_data() {
        return [
            { tag: "random bytes", data: Qt.btoa("\u0001\u00ff\u0007\u00fe") },
            { tag: "not Base64", data: "%%%e30" },
            { tag: "an array", data: Qt.btoa("[1,2]") }
        ];
    }

    function test_unreadableConfigurationIsNoConfiguration(data) {
        connectTo(["--model", "2w", "--reply", "get=" + JSON.stringify(
                       { "get": "settings.cfg", "data": data.data })]);
        updates.wait(5000);
        child("stack").currentIndex = Pages.config;
        verify(child("notReadNotice").visible);
        verify(!child("applyButton").enabled);
        alerts.clear();
        runner.updateConfig({ "net-ssid": "lab" });
        compare(alerts.signalArguments[0][0], "Device configuration has not been read yet");
    }
}
