import QtQuick 2.11
import QtTest 1.2

// A test of the whole main window against the real runner: opens the window,
// finds its parts by name and watches the runner's signals.
TestCase {
    property var window: null
    property alias connected: connectedSpy
    property alias updates: updatesSpy
    property alias alerts: alertsSpy
    property alias configs: configsSpy

    function child(name) {
        var item = findChild(window, name);
        verify(item, name);
        return item;
    }

    function openWindow() {
        var component = Qt.createComponent("qrc:/main.qml");
        compare(component.status, Component.Ready, component.errorString());
        window = component.createObject(null);
        waitForRendering(window.contentItem);
        return window;
    }

    // Connects the way an operator does: address, port, Connect.
    function connectTo(port) {
        [connectedSpy, updatesSpy, alertsSpy, configsSpy].forEach(function(spy) { spy.clear(); });
        child("connectionPage").host = "127.0.0.1";
        child("connectionPage").port = port;
        mouseClick(child("connectButton"));
        connectedSpy.wait(5000);
    }

    function closeWindow() {
        runner.disconnectFromHost();
        if (window)
            window.destroy();
        window = null;
    }

    when: windowShown

    SignalSpy {
        id: connectedSpy

        target: runner
        signalName: "connectedToHost"
    }
    SignalSpy {
        id: updatesSpy

        target: runner
        signalName: "deviceUpdate"
    }
    SignalSpy {
        id: alertsSpy

        target: runner
        signalName: "alert"
    }
    SignalSpy {
        id: configsSpy

        target: runner
        signalName: "deviceConfig"
    }
}
