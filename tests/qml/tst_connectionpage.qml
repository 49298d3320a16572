import QtQuick 2.11
import QtTest 1.2
import "qrc:/"

TestCase {
    id: test

    name: "ConnectionPage"
    when: windowShown
    visible: true
    width: 600
    height: 400

    Component {
        id: pageComponent

        ConnectionPage {
            width: 600
            height: 400
        }
    }

    function child(item, name) {
        var found = findChild(item, name);
        verify(found, name);
        return found;
    }

    function cleanup() {
        var list = runner.connListModel();
        while (list.rowCount() > 0)
            list.remove(0);
        runner.disconnectFromHost();
    }

    function test_connectNeedsAnAddress() {
        var page = createTemporaryObject(pageComponent, test);
        var button = child(page, "connectButton");
        var started = createTemporaryObject(signalSpyComponent, test, {
            "target": page,
            "signalName": "start"
        });
        verify(!button.enabled);
        page.host = "127.0.0.1";
        page.port = 8081;
        verify(button.enabled);
        compare(child(page, "portEdit").contentItem.text, "8081");
        waitForRendering(page);
        mouseClick(button);
        compare(started.count, 1);
    }

    function test_editingTheAddressStopsTheBusyIndicator() {
        var page = createTemporaryObject(pageComponent, test);
        page.host = "127.0.0.1";
        page.connecting = true;
        page.host = "127.0.0.12";
        verify(!page.connecting);
    }

    function test_savedList() {
        var page = createTemporaryObject(pageComponent, test);
        var listButton = child(page, "listButton");
        verify(!listButton.visible); // nothing saved yet

        runner.connectToHost("127.0.0.1", 1); // nothing listens there
        runner.saveConnection("lab");
        runner.disconnectFromHost();
        tryCompare(listButton, "visible", true);
        compare(listButton.text, "\ue896"); // list
        waitForRendering(page);
        mouseClick(listButton);
        compare(listButton.text, "\ue408"); // navigate_before
        compare(listButton.tooltip, "Back");

        var list = child(page, "connList");
        tryCompare(list, "count", 1);
        waitForRendering(list);
        var row = list.itemAtIndex(0);
        compare(row.text, "lab (127.0.0.1:1)");

        // Deleting the last entry keeps the (now empty) list and its button.
        runner.connListModel().remove(0);
        tryCompare(list, "count", 0);
        verify(listButton.visible);
        mouseClick(listButton);
        tryCompare(listButton, "visible", false);
    }

    Component {
        id: signalSpyComponent

        SignalSpy {
        }
    }
}
