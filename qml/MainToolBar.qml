import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3
import IOTRunner 1.0

// The window's tool bar: the menu and device buttons on the left, the cloud,
// SCADA and connection statuses on the right. Its texts belong to the main
// window's catalogue context.
ToolBar {
    id: bar

    property alias menuButton: menuTool
    property alias deviceButton: deviceTool
    property alias mqttIndicator: mqttIndicator
    property alias modbusIndicator: modbusIndicator
    property alias connIndicator: connIndicator
    // The readings shown are late.
    property bool stale: false

    // A service of the device: green while it runs.
    function runningLooks(icon, running, stopped) {
        return {
            "active": { "icon": icon, "color": Material.color(Material.Green), "tooltip": running },
            "inactive": { "icon": icon, "color": Material.foreground, "tooltip": stopped }
        };
    }

    // A plain fill: the style's shadowed one needs a GPU to be seen at all.
    background: Rectangle {
        implicitHeight: 48
        color: Material.primary
    }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 2
        anchors.rightMargin: 2
        spacing: 8

        MaterialToolButton {
            id: menuTool

            objectName: "menuTool"
            round: true
            font.pointSize: Theme.toolGlyph
            text: MaterialFont.icon.menu
            tooltip: text === MaterialFont.icon.menu
                     ? qsTranslate("main", "Menu")
                     : qsTranslate("main", "Back") + " (" + BACK_KEYS + ")"

            Shortcut {
                sequences: [StandardKey.Back]
                enabled: menuTool.text !== MaterialFont.icon.menu
                onActivated: menuTool.clicked()
            }
        }
        MaterialToolButton {
            id: deviceTool

            objectName: "deviceTool"
            round: true
            font.pointSize: Theme.toolGlyph
            text: MaterialFont.icon.widgets
            tooltip: qsTranslate("main", "Device")
            visible: false
        }
        Item {
            Layout.fillWidth: true
        }
        // The watched site, in a word: how many devices, how many in trouble.
        Label {
            objectName: "siteCounts"
            visible: runner.site.watching
            text: qsTranslate("main", "%1 devices, %2 with a problem").arg(runner.site.deviceCount)
                  .arg(runner.site.problemCount)
            color: runner.site.problemCount > 0 ? Material.color(Material.Red, Material.Shade100)
                                                : Material.foreground
            elide: Text.ElideRight
        }
        // Said in words while there is no device to look at: the reason a
        // link is being tried again.
        Label {
            objectName: "connectionText"
            visible: runner.connection.state !== ConnectionState.Connected
            text: runner.connection.description
            textFormat: Text.PlainText
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignRight
            Layout.fillWidth: true
            Layout.preferredWidth: implicitWidth
            Layout.minimumWidth: 0
        }
        StatusIndicator {
            id: mqttIndicator

            objectName: "mqttIndicator"
            state: "inactive"
            looks: bar.runningLooks(MaterialFont.icon.cloud, qsTranslate("main", "Cloud/MQTT is running"),
                                    qsTranslate("main", "Cloud/MQTT is not running"))
        }
        StatusIndicator {
            id: modbusIndicator

            objectName: "modbusIndicator"
            state: "inactive"
            looks: bar.runningLooks(MaterialFont.icon.router, qsTranslate("main", "Tarvex client is running"),
                                    qsTranslate("main", "Tarvex client is not running"))
        }
        StatusIndicator {
            id: connIndicator

            objectName: "connIndicator"
            // Green once the device has answered for its readings, not
            // before; amber while its readings are late, red while the link
            // is lost.
            state: runner.connection.lost ? "reconnecting"
                   : runner.connection.state === ConnectionState.Connected
                   ? (!runner.connection.answered ? "connecting" : bar.stale ? "stale" : "connected")
                   : ["none", "connecting", "connected", "reconnecting"][runner.connection.state]
            blinkingIn: ["connecting", "reconnecting"]
            looks: ({
                "none": { "icon": MaterialFont.icon.error, "color": Material.foreground },
                "connecting": { "icon": MaterialFont.icon.warning, "color": Material.color(Material.Orange) },
                "stale": { "icon": MaterialFont.icon.wifi, "color": Material.color(Material.Amber) },
                "reconnecting": { "icon": MaterialFont.icon.warning, "color": Material.color(Material.Red) },
                "connected": { "icon": MaterialFont.icon.wifi, "color": Material.color(Material.Green) }
            })
            tooltip: runner.connection.description
        }
    }
}
