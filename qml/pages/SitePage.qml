import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3

// Every saved device at a glance, problems first: Enter or a click shows
// the device's pages on the connection the site already holds; the row's
// menu (the Menu key, or a right click) sets its alarm limits.
MaterialPane {
    id: page

    property var site: runner.site

    title: qsTranslate("main", "Site")
    // Narrow, the table keeps the columns that say how a device is (a stale
    // reading is told by its row's colour).
    readonly property bool wide: width >= 1000
    // Each column is as wide as its name; what room is left goes by share,
    // to the columns whose values run longer than their names.
    readonly property var columns: [
        { "role": "name", "title": qsTr("Name"), "share": 2.5, "narrow": true },
        { "role": "deviceModel", "title": qsTr("Model"), "share": 2, "narrow": false },
        { "role": "address", "title": qsTr("Address"), "share": 3.5, "narrow": false },
        { "role": "temperature", "title": qsTr("Temperature"), "share": 0.3, "narrow": true },
        { "role": "humidity", "title": qsTr("Humidity"), "share": 0.3, "narrow": true },
        { "role": "age", "title": qsTr("Reading"), "share": 0.3, "narrow": false },
        { "role": "link", "title": qsTr("Link"), "share": 3, "narrow": true },
        { "role": "mqtt", "title": qsTr("MQTT"), "share": 1.5, "narrow": false },
        { "role": "firmware", "title": qsTr("Firmware"), "share": 0.3, "narrow": false },
        { "role": "alarms", "title": qsTr("Alarms"), "share": 3, "narrow": false }
    ]
    readonly property var shown: columns.filter(function(c) { return wide || c.narrow; })
    // The scroll bar keeps its own strip at the right.
    readonly property var widths: widthsFor(table.width - table.ScrollBar.vertical.width)

    signal openDevice(int row)
    signal editLimits(int row)
    signal showAlarms()

    function widthsFor(total) {
        var least = shown.map(function(c) { return headerMetrics.advanceWidth(c.title) + 12; });
        var needed = least.reduce(function(sum, w) { return sum + w; }, 0);
        if (needed >= total)
            return least.map(function(w) { return Math.floor(w * total / needed); });
        var shares = shown.reduce(function(sum, c) { return sum + c.share; }, 0);
        return shown.map(function(c, i) {
            return Math.floor(least[i] + (total - needed) * c.share / shares);
        });
    }

    FontMetrics {
        id: headerMetrics

        font.bold: true
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 4

        RowLayout {
            Layout.fillWidth: true

            Label {
                text: qsTr("Filter:")
            }
            MaterialInput {
                id: filter

                objectName: "siteFilter"
                label: qsTr("Filter")
                hint: qsTr("Name, address or model")
                activeFocusOnTab: true
                onTextChanged: page.site.setFilter(text)
                Layout.fillWidth: true
            }
            MaterialButton {
                objectName: "alarmsButton"
                text: qsTr("Alarms (%1)").arg(page.site.alarms.unacknowledged)
                micon: MaterialFont.icon.notifications
                onClicked: page.showAlarms()
            }
        }

        // The column names, over the rows.
        Row {
            Layout.fillWidth: true
            Layout.leftMargin: 5
            Accessible.ignored: true

            Repeater {
                model: page.shown

                Label {
                    width: page.widths[index]
                    text: modelData.title
                    font.bold: true
                    elide: Text.ElideRight
                    leftPadding: 4
                }
            }
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            RowList {
                id: table

                objectName: "siteTable"
                model: page.site.devices
                Accessible.name: qsTr("Site: %1 devices, %2 with a problem")
                                 .arg(page.site.deviceCount).arg(page.site.problemCount)
                Keys.onReturnPressed: if (currentIndex >= 0) page.openDevice(currentIndex)
                Keys.onEnterPressed: if (currentIndex >= 0) page.openDevice(currentIndex)
                Keys.onMenuPressed: if (currentIndex >= 0) rowMenu.popupFor(currentIndex, currentItem)

                delegate: Rectangle {
                    id: row

                    // The row's own values: inside the columns' repeater,
                    // `model` is the column.
                    property var values: model

                    width: table.width
                    height: 32
                    // Alarm red, no answer orange, a stale reading amber.
                    color: [ "transparent", Qt.rgba(1, 0.75, 0, 0.25), Qt.rgba(1, 0.5, 0, 0.3),
                             Qt.rgba(1, 0, 0, 0.25) ][model.problem]
                    Accessible.role: Accessible.ListItem
                    Accessible.name: model.spoken

                    FocusFrame {
                        anchors.margins: 0
                        shown: row.ListView.isCurrentItem && table.activeFocus
                    }

                    Row {
                        anchors.fill: parent

                        Repeater {
                            model: page.shown

                            Label {
                                width: page.widths[index]
                                height: row.height
                                text: row.values[modelData.role]
                                textFormat: Text.PlainText
                                elide: Text.ElideRight
                                verticalAlignment: Text.AlignVCenter
                                leftPadding: 4
                                Accessible.ignored: true
                            }
                        }
                    }

                    MouseArea {
                        anchors.fill: parent
                        acceptedButtons: Qt.LeftButton | Qt.RightButton
                        onClicked: {
                            table.currentIndex = index;
                            if (mouse.button === Qt.RightButton)
                                rowMenu.popupFor(index, row);
                            else
                                page.openDevice(index);
                        }
                    }
                }
            }

            EmptyListNote {
                list: table
                text: qsTr("No saved connections to watch. Connect to a device, then choose Save Connection in the menu.")
            }
        }

        // The last alarm, in words, said as it is raised.
        Label {
            objectName: "lastAlarm"
            text: page.site.lastAlarm
            visible: text !== ""
            color: Material.color(Material.Red)
            elide: Text.ElideRight
            Layout.fillWidth: true
            Accessible.role: Accessible.AlertMessage
            Accessible.name: text
        }
    }

    AppMenu {
        id: rowMenu

        property int row: -1

        function popupFor(row, item) {
            rowMenu.row = row;
            parent = item;
            y = item.height;
            openFrom(table);
        }

        AppMenuItem {
            text: qsTr("Open")
            onTriggered: page.openDevice(rowMenu.row)
        }
        AppMenuItem {
            text: qsTr("Alarm limits…")
            onTriggered: page.editLimits(rowMenu.row)
        }
    }
}
