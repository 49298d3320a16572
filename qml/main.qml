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
            configPage.configRead = false;
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
            sensorsPage.clearView();
            // Nothing is known of a device that is not connected.
            mqttIndicator.state = "inactive";
            modbusIndicator.state = "inactive";
            stack.currentIndex = window.viaSite ? Pages.site : Pages.connection;
            window.viaSite = false;
        }
        onDeviceDiscovered: {
            deviceDialog.info = info;
            deviceTool.visible = true;
        }
        onDeviceSetup: {
            console.log("Units: " + units);
            for (var i = 0; i < scount; ++i) {
                console.log("Add page for " + units[i]);
                sensorsPage.addPage(units[i]);
            }
            // The sensors page was shown before it had a sensor to focus.
            if (stack.currentIndex === Pages.sensors)
                window.focusPage();
        }
        onSensorSetup: sensorsPage.pageAt(index).setup(min, max)
        onDeviceUpdate: {
            for (var i = 0; i < sensorsPage.count; ++i)
                sensorsPage.pageAt(i).update();
            mqttIndicator.state = cloud ? "active" : "inactive";
            modbusIndicator.state = modbus ? "active" : "inactive";
        }
        onDeviceConfig: {
            configPage.setup(config);
            cloudPage.update_config(config);
        }
        onDeviceInfo: cloudPage.update_devinfo(info)
        onAlert: toast.show(msg)
        onHistIntervalUpdated: window.historyInt = interval / 1000
    }

    header: MainToolBar {
        id: toolBar

        stale: sensorsPage.stale    }

    // The menus hang from their buttons.
    MainMenu {
        id: mainMenu

        objectName: "mainMenu"
        parent: menuTool
        y: menuTool.height
        connected: window.connected
        linked: runner.connection.state !== ConnectionState.NotConnected
        canStopSite: runner.site.watching && !window.viaSite
        onSite: window.openSite()
        onStopSite: window.stopSite()
        onSaveConnection: connSaveDialog.openFor(runner.suggestedName(), "", 0)
        onDisconnect: runner.disconnectFromHost()
        onChooseLanguage: langDialog.open()
        onAbout: aboutDialog.open()
    }
    DeviceMenu {
        id: deviceMenu

        objectName: "deviceMenu"
        parent: deviceTool
        y: deviceTool.height
        onInfo: deviceDialog.open()
        onStatus: stack.currentIndex = Pages.status
        onHistory: {
            runner.requestHistory();
            stack.currentIndex = Pages.history;
        }
        onConfig: {
            runner.requestConfig();
            stack.currentIndex = Pages.config;
        }
        onCloud: stack.currentIndex = Pages.cloud
        onReboot: rebootDialog.open()
        onLimits: limitsDialog.openWith(qsTranslate("main", "Alarm limits"), runner.alarmLimits(),
                                        function(limits) { runner.setAlarmLimits(limits); })
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
                mainMenu.openFrom(menuTool);
            }
        }
    }
    Connections {
        target: deviceTool
        onClicked: deviceMenu.openFrom(deviceTool)
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
            onSaveFound: connSaveDialog.openFor(name, host, port)
        }
        SensorsPage {
            id: sensorsPage

            objectName: "sensorsPage"
            lost: lostBar.visible
        }
        ConfigPage {
            id: configPage

            objectName: "configPage"
        }
        CloudConfig {
            id: cloudPage

            objectName: "cloudPage"
        }
        StatePane {
            id: devInfoPage
        }
        HistoryPane {
            id: devHistoryPage

            interval: window.historyInt
        }
        SitePage {
            id: sitePage

            objectName: "sitePage"
            onOpenDevice: {
                window.viaSite = true;
                runner.openFromSite(row);
            }
            onEditLimits: limitsDialog.openWith(qsTranslate("main", "Alarm limits: %1").arg(runner.site.nameAt(row)),
                                                runner.site.limitsAt(row),
                                                function(limits) { runner.site.setLimitsAt(row, limits); })
            onShowAlarms: alarmsDialog.open()
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

    DeviceInfoDialog {
        id: deviceDialog

        objectName: "deviceDialog"
    }
    ConfirmDialog {
        id: rebootDialog

        objectName: "rebootDialog"
        title: qsTr("Reboot")
        text: qsTr("Reboot the device?") + "\n\n"
              + qsTr("It stops measuring and leaves the network for about a minute; the program reconnects.")
        acceptText: qsTr("Reboot")
        onAccepted: runner.requestReboot()
    }
    SaveConnectionDialog {
        id: connSaveDialog

        objectName: "connSaveDialog"
    }
    LanguageDialog {
        id: langDialog

        objectName: "langDialog"
        language: settings.language
        onChosen: {
            settings.language = language;
            restartDialog.open();
        }
    }
    ConfirmDialog {
        id: restartDialog

        objectName: "restartDialog"
        title: qsTr("Language")
        text: qsTr("Restart the app to apply changes") + "\n\n"
              + qsTr("The connection to the device is closed and opened again.")
        acceptText: qsTr("Restart now")
        onAccepted: Qt.exit(RESTART_CODE)
        onRejected: toast.show(qsTr("Restart the app to apply changes"))
    }
    AlarmLimitsDialog {
        id: limitsDialog

        objectName: "limitsDialog"
    }
    AlarmListDialog {
        id: alarmsDialog

        objectName: "alarmsDialog"
    }
    AboutDialog {
        id: aboutDialog

        objectName: "aboutDialog"
        onNotify: toast.show(text)
    }
}
