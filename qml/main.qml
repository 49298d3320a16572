import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3
import Qt.labs.settings 1.0
import IOTRunner 1.0
import "Pages.js" as Pages

// The main window: tool bar, page stack, dialogs and notifications. It is the
// one listener of the runner's signals and hands what they carry to the pages.
ApplicationWindow {
    id: window

    property int historyInt: 300
    // The device shown was opened from the site: Back returns there.
    property bool viaSite: false
    readonly property alias menuTool: toolBar.menuButton
    readonly property alias deviceTool: toolBar.deviceButton
    readonly property alias mqttIndicator: toolBar.mqttIndicator
    readonly property alias modbusIndicator: toolBar.modbusIndicator
    readonly property alias connIndicator: toolBar.connIndicator
    readonly property bool connected: runner.connection.state === ConnectionState.Connected
    // The strip the notifications take at the bottom while there are any:
    // pages and dialogs keep out of it, so that none covers a control.
    readonly property int reservedBottom: toast.count > 0 ? toast.height + 20 : 0
    // The pages, menus and dialogs the first frame does without are made
    // after it, in the background; `built` once every one is.
    property bool started: false
    readonly property var deferredParts: [sensorsPart, configPart, cloudPart, statePart, historyPart, sitePart,
        mainMenuPart, deviceMenuPart, deviceDialogPart, rebootPart, connSavePart, langPart, restartPart,
        limitsPart, alarmsPart, aboutPart]
    readonly property bool built: connectionPage.built
                                  && deferredParts.every(function(part) { return part.status === Loader.Ready; })

    // The sensors when a device is connected, else the connection page.
    function homeIndex() {
        return connected ? Pages.sensors : Pages.connection;
    }

    // A page other than home, or a device's home opened from the site,
    // has a way back.
    function backShown() {
        return stack.currentIndex !== homeIndex() || (viaSite && stack.currentIndex === Pages.sensors)
                || (stack.currentIndex === Pages.connection && connectionPage.listShown);
    }

    // The tool bar's first button: Back wherever there is a way back, the
    // menu at home.
    function showMenuTool() {
        menuTool.text = backShown() ? MaterialFont.icon.navigate_before : MaterialFont.icon.menu;
    }

    function openSite() {
        runner.site.start();
        stack.currentIndex = Pages.site;
    }

    function stopSite() {
        runner.site.stop();
        if (stack.currentIndex === Pages.site)
            stack.currentIndex = homeIndex();
    }

    // Shown by the program once placed where the operator left it. At the
    // smallest size every page, menu and dialog is whole or scrolls.
    visible: false
    width: 800
    height: 600
    minimumWidth: 480
    minimumHeight: 400
    title: runner.connection.windowTitle

    // Once the first frame is on its way, the rest is made in the time
    // between frames.
    Connections {
        target: window
        enabled: !window.started
        onAfterAnimating: startParts.start()
    }
    Timer {
        id: startParts

        interval: 0
        onTriggered: window.started = true
    }

    Component.onCompleted: {
        // Read once: the runner is the one keeper of the address.
        var saved = runner.savedEndpoint();
        connectionPage.host = saved.host;
        connectionPage.port = saved.port;
        // The operator starts at the address, as a screen reader says.
        focusPage();
    }

    // A screen reader says where the keyboard is from the focus it is told
    // of; the focused control is not told again when the window becomes
    // active, and the window's activation, told after, replaces it. Each
    // activation gives the focus again once it has been told.
    onActiveChanged: if (active) refocus.restart()

    Timer {
        id: refocus

        interval: 200
        onTriggered: if (window.active) inputMode.tellFocus(window)
    }

    // Only what the window itself writes is a property here: the element
    // writes all its properties back when one changes.
    Settings {
        id: settings

        property string language: "en"
    }

    Connections {
        target: runner
        onConnectedToHost: {
            configPart.get().configRead = false;
            // A device the site connects in the background (the one the
            // window showed, taken over by the site) leaves the operator on
            // the site page; a device back after a lost link, on the page
            // the operator was on.
            if (stack.currentIndex === Pages.connection
                    || (stack.currentIndex === Pages.site && window.viaSite))
                stack.currentIndex = Pages.sensors;
        }
        onDisconnectedFromHost: {
            deviceTool.visible = false;
            sensorsPart.get().clearView();
            // Nothing is known of a device that is not connected.
            mqttIndicator.state = "inactive";
            modbusIndicator.state = "inactive";
            stack.currentIndex = window.viaSite ? Pages.site : Pages.connection;
            window.viaSite = false;
        }
        onDeviceDiscovered: {
            deviceDialogPart.get().info = info;
            deviceTool.visible = true;
        }
        onDeviceSetup: {
            console.log("Units: " + units);
            var sensorsPage = sensorsPart.get();
            for (var i = 0; i < scount; ++i) {
                console.log("Add page for " + units[i]);
                sensorsPage.addPage(units[i]);
            }
            // The sensors page was shown before it had a sensor to focus.
            if (stack.currentIndex === Pages.sensors)
                window.focusPage();
        }
        onSensorSetup: sensorsPart.get().pageAt(index).setup(min, max)
        onDeviceUpdate: {
            var sensorsPage = sensorsPart.get();
            for (var i = 0; i < sensorsPage.count; ++i)
                sensorsPage.pageAt(i).update();
            mqttIndicator.state = cloud ? "active" : "inactive";
            modbusIndicator.state = modbus ? "active" : "inactive";
        }
        onDeviceConfig: {
            configPart.get().setup(config);
            cloudPart.get().update_config(config);
        }
        onDeviceInfo: cloudPart.get().update_devinfo(info)
        onAlert: toast.show(msg)
        onHistIntervalUpdated: window.historyInt = interval / 1000
    }

    header: MainToolBar {
        id: toolBar

        stale: sensorsPart.item ? sensorsPart.item.stale : false
    }

    // The menus hang from their buttons.
    Deferred {
        id: mainMenuPart

        name: "mainMenu"
        source: "MainMenu.qml"
        onLoaded: {
            item.parent = menuTool;
            item.y = Qt.binding(function() { return menuTool.height; });
            item.connected = Qt.binding(function() { return window.connected; });
            item.linked = Qt.binding(function() {
                return runner.connection.state !== ConnectionState.NotConnected;
            });
            item.canStopSite = Qt.binding(function() { return runner.site.watching && !window.viaSite; });
            item.site.connect(window.openSite);
            item.stopSite.connect(window.stopSite);
            item.saveConnection.connect(function() {
                connSavePart.get().openFor(runner.suggestedName(), "", 0);
            });
            item.disconnect.connect(runner.disconnectFromHost);
            item.chooseLanguage.connect(function() { langPart.get().open(); });
            item.about.connect(function() { aboutPart.get().open(); });
        }
    }
    Deferred {
        id: deviceMenuPart

        name: "deviceMenu"
        source: "DeviceMenu.qml"
        onLoaded: {
            item.parent = deviceTool;
            item.y = Qt.binding(function() { return deviceTool.height; });
            item.info.connect(function() { deviceDialogPart.get().open(); });
            item.status.connect(function() { stack.currentIndex = Pages.status; });
            item.history.connect(function() {
                runner.requestHistory();
                stack.currentIndex = Pages.history;
            });
            item.config.connect(function() {
                runner.requestConfig();
                stack.currentIndex = Pages.config;
            });
            item.cloud.connect(function() { stack.currentIndex = Pages.cloud; });
            item.reboot.connect(function() { rebootPart.get().open(); });
            item.limits.connect(function() {
                limitsPart.get().openWith(qsTranslate("main", "Alarm limits"), runner.alarmLimits(),
                                          function(limits) { runner.setAlarmLimits(limits); });
            });
        }
    }
    Connections {
        target: menuTool
        onClicked: {
            var home = window.homeIndex();
            if (stack.currentIndex === Pages.connection && connectionPage.listShown) {
                // One Back for every page: from the saved connections too.
                connectionPage.showForm();
            } else if (stack.currentIndex !== home) {
                stack.currentIndex = home;
                window.showMenuTool();
            } else if (window.viaSite) {
                // Back to the site: the device stays watched.
                runner.disconnectFromHost();
            } else {
                mainMenuPart.get().openFrom(menuTool);
            }
        }
    }
    Connections {
        target: deviceTool
        onClicked: deviceMenuPart.get().openFrom(deviceTool)
    }

    // The tool bar ends where it ends: no shade of it runs into the page,
    // where headings and labels sit.
    Rectangle {
        anchors.fill: parent
        color: Material.background
    }

    // The keyboard's focus goes to the page shown: one out of view keeps its
    // focused control, which would take keys unseen, and a screen reader
    // says where the operator now is only from the focus.
    function focusPage() {
        var page = stack.children[stack.currentIndex];
        if (page && page.get)
            page = page.get();
        var target = page ? page.focusTarget() : null;
        if (target)
            target.forceActiveFocus();
        else if (page)
            page.forceActiveFocus();
    }

    // A device whose link is being tried again stays on its page, its last
    // readings dimmed under this bar, until it is back or the operator stops.
    Pane {
        id: lostBar

        objectName: "lostBar"
        visible: runner.connection.lost && stack.currentIndex !== Pages.connection
                 && stack.currentIndex !== Pages.site
        anchors.left: parent.left
        anchors.right: parent.right
        padding: 4
        leftPadding: 12
        Material.background: Material.color(Material.Red, Material.Shade900)

        RowLayout {
            anchors.left: parent.left
            anchors.right: parent.right

            Label {
                objectName: "lostText"
                text: qsTr("Connection lost at %1 — reconnecting")
                      .arg(Qt.formatTime(runner.connection.lostAt, "hh:mm:ss"))
                wrapMode: Text.Wrap
                Layout.fillWidth: true
            }
            MaterialButton {
                objectName: "lostStopButton"
                text: qsTr("Stop")
                onClicked: runner.disconnectFromHost()
            }
        }
    }

    StackLayout {
        id: stack

        objectName: "stack"
        anchors.top: lostBar.visible ? lostBar.bottom : parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        currentIndex: Pages.connection
        onCurrentIndexChanged: {
            window.showMenuTool();
            window.focusPage();
        }

        ConnectionPage {
            id: connectionPage

            objectName: "connectionPage"
            onListShownChanged: window.showMenuTool()
            onStart: runner.connectToHost(host, enteredPort())
            onSaveFound: connSavePart.get().openFor(name, host, port)
        }
        Deferred {
            id: sensorsPart

            name: "sensorsPage"
            source: "SensorsPage.qml"
            onLoaded: item.lost = Qt.binding(function() { return lostBar.visible; })
        }
        Deferred {
            id: configPart

            name: "configPage"
            source: "ConfigPage.qml"
        }
        Deferred {
            id: cloudPart

            name: "cloudPage"
            source: "CloudConfig.qml"
        }
        Deferred {
            id: statePart

            source: "StatePane.qml"
        }
        Deferred {
            id: historyPart

            source: "HistoryPane.qml"
            onLoaded: item.interval = Qt.binding(function() { return window.historyInt; })
        }
        Deferred {
            id: sitePart

            name: "sitePage"
            source: "SitePage.qml"
            onLoaded: {
                item.openDevice.connect(function(row) {
                    window.viaSite = true;
                    runner.openFromSite(row);
                });
                item.editLimits.connect(function(row) {
                    limitsPart.get().openWith(qsTranslate("main", "Alarm limits: %1").arg(runner.site.nameAt(row)),
                                              runner.site.limitsAt(row),
                                              function(limits) { runner.site.setLimitsAt(row, limits); });
                });
                item.showAlarms.connect(function() { alarmsPart.get().open(); });
            }
        }
    }

    Announcer {
        id: announcer

        objectName: "announcer"
    }
    Connections {
        target: runner.connection
        onAnnounced: announcer.say(text)
    }

    // Above every dialog and its dimming, too.
    ToastManager {
        id: toast

        objectName: "toast"
        parent: Overlay.overlay
    }

    Deferred {
        id: deviceDialogPart

        name: "deviceDialog"
        source: "DeviceInfoDialog.qml"
    }
    Deferred {
        id: rebootPart

        name: "rebootDialog"
        source: "ConfirmDialog.qml"
        onLoaded: {
            item.title = qsTr("Reboot");
            item.text = qsTr("Reboot the device?") + "\n\n"
                    + qsTr("It stops measuring and leaves the network for about a minute; the program reconnects.");
            item.acceptText = qsTr("Reboot");
            item.accepted.connect(runner.requestReboot);
        }
    }
    Deferred {
        id: connSavePart

        name: "connSaveDialog"
        source: "SaveConnectionDialog.qml"
    }
    Deferred {
        id: langPart

        name: "langDialog"
        source: "LanguageDialog.qml"
        onLoaded: {
            item.language = Qt.binding(function() { return settings.language; });
            item.chosen.connect(function(language) {
                settings.language = language;
                restartPart.get().open();
            });
        }
    }
    Deferred {
        id: restartPart

        name: "restartDialog"
        source: "ConfirmDialog.qml"
        onLoaded: {
            item.title = qsTr("Language");
            item.text = qsTr("Restart the app to apply changes") + "\n\n"
                    + qsTr("The connection to the device is closed and opened again.");
            item.acceptText = qsTr("Restart now");
            item.accepted.connect(function() { Qt.exit(RESTART_CODE); });
            item.rejected.connect(function() { toast.show(qsTr("Restart the app to apply changes")); });
        }
    }
    Deferred {
        id: limitsPart

        name: "limitsDialog"
        source: "AlarmLimitsDialog.qml"
    }
    Deferred {
        id: alarmsPart

        name: "alarmsDialog"
        source: "AlarmListDialog.qml"
    }
    Deferred {
        id: aboutPart

        name: "aboutDialog"
        source: "AboutDialog.qml"
        onLoaded: item.notify.connect(toast.show)
    }
}
