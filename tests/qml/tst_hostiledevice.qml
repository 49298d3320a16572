import QtQuick 2.11
import QtTest 1.2

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
        id: histories

        target: runner
        signalName: "histIntervalUpdated"
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
        stack.currentIndex = 4;
        tryVerify(function() { return runner.stateTableModel().rowCount() > 0; }, 10000);
        waitForRendering(window.contentItem);
        stack.currentIndex = 5;
        runner.requestHistory();
        histories.wait(5000);
        waitForRendering(window.contentItem);
        stack.currentIndex = 3;
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
}
