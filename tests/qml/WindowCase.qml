import QtQuick 2.11
import QtTest 1.2

// A test of the whole main window against the real runner: opens the window,
// finds its parts by name and watches the runner's signals.
TestCase {
    property var window: null
    readonly property SignalSpy connected: spyOn("connectedToHost")
    readonly property SignalSpy updates: spyOn("deviceUpdate")
    readonly property SignalSpy alerts: spyOn("alert")
    readonly property SignalSpy configs: spyOn("deviceConfig")

    // The name is given once the spy has its target: given both at once,
    // the spy connects twice (it cannot undo its first connection) and hears
    // every signal twice.
    function spyOn(signal) {
        var spy = spyType.createObject(this);
        spy.signalName = signal;
        return spy;
    }

    function child(name) {
        var item = findChild(window, name);
        verify(item, name);
        return item;
    }

    function openWindow() {
        var component = Qt.createComponent("qrc:/main.qml");
        compare(component.status, Component.Ready, component.errorString());
        window = component.createObject(null, { "visible": true });
        waitForRendering(window.contentItem);
        tryVerify(function() { return window.built; }, 10000, "the pages made after the first frame");
        return window;
    }

    // Connects the way an operator does: address, port, Enter.
    function connectTo(port) {
        [connected, updates, alerts, configs].forEach(function(spy) { spy.clear(); });
        child("connectionPage").host = "127.0.0.1";
        child("connectionPage").port = port;
        child("hostEditField").forceActiveFocus();
        keyClick(Qt.Key_Return);
        connected.wait(5000);
    }

    function closeWindow() {
        runner.disconnectFromHost();
        if (window)
            testHelper.discard(window);
        window = null;
    }

    when: windowShown

    Component {
        id: spyType

        SignalSpy {
            target: runner
        }
    }
}
