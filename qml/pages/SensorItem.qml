import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3
import "Chart.js" as Charts

// One sensor: a gauge with the latest reading and a chart of the recent ones.
// It is one stop for the keyboard, read out as its gauge; the arrows go to
// the neighbouring sensor.
Item {
    id: control

    // Left for the previous sensor, right for the next.
    signal step(int by)

    property int index: 0
    property alias unit: gauge.unit
    property alias gauge: gauge
    property alias chart: chart
    // When the newest reading came and what time it is now, in milliseconds
    // since the epoch; a reading two polls old is stale.
    property real lastReading: 0
    property real now: Date.now()
    readonly property bool stale: lastReading > 0 && now - lastReading > 2 * runner.pollInterval

    function update() {
        var series = runner.chartData(index);
        if (!series)
            return;
        var values = series.getValues();
        chart.labels = series.getLabels();
        // Drawn within the gauge's scale: one absurd reading must not squash
        // the others into a flat line.
        chart.values = values.map(function(v) {
            return Math.min(Math.max(v, gauge.minimumValue), gauge.maximumValue);
        });
        chart.updateChart();
        gauge.hasReading = series.hasReading();
        if (gauge.hasReading) {
            gauge.reading = values[values.length - 1];
            gauge.everRead = true;
        }
        lastReading = series.lastReadingTime();
        now = Date.now();
    }

    // "12:03:05", or "no new reading for 25 s" once stale.
    function ageText() {
        if (lastReading <= 0)
            return "";
        if (!stale)
            return qsTr("Reading of %1").arg(Qt.formatTime(new Date(lastReading), "hh:mm:ss"));
        var seconds = Math.round((now - lastReading) / 1000);
        return seconds < 120 ? qsTr("No new reading for %1 s").arg(seconds)
                             : qsTr("No new reading for %1 min").arg(Math.round(seconds / 60));
    }

    function setup(min, max) {
        gauge.min = min;
        gauge.max = max;
    }

    // The chart for a screen reader: how many readings it spans, their
    // range and the age of the newest. It is not the sensor's description:
    // that would be spoken again at every reading while the sensor has focus.
    function trendText() {
        var values = chart.values;
        if (!gauge.hasReading || values.length === 0)
            return gauge.ageText;
        var low = Math.min.apply(null, values);
        var high = Math.max.apply(null, values);
        return qsTr("Chart of recent readings (%1): from %2 to %3").arg(values.length)
            .arg(gauge.valueText(low)).arg(gauge.valueText(high)) + ". " + gauge.ageText;
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.StaticText
    Accessible.name: gauge.Accessible.name
    // A sensor reached with Tab comes into view.
    onActiveFocusChanged: {
        if (activeFocus && SwipeView.view)
            SwipeView.view.currentIndex = index;
    }
    Keys.onLeftPressed: step(-1)
    Keys.onRightPressed: step(1)

    // Framed while the keyboard is in use: the sensor takes the focus when
    // the page is shown, which a mouse user needs no frame for.
    FocusFrame {
        anchors.margins: 2
        shown: control.activeFocus && inputMode.keyboard
    }

    Timer {
        interval: 500
        repeat: true
        running: control.lastReading > 0
        onTriggered: control.now = Date.now()
    }

    // Clear of the focus frame, which is drawn inside the sensor: the name
    // above the gauge and the chart's last labels sat under it.
    GridLayout {
        anchors.fill: parent
        anchors.margins: 5
        flow: control.width > control.height ? GridLayout.LeftToRight : GridLayout.TopToBottom

        // Gauge and chart share the room equally.
        ColumnLayout {
            spacing: 0
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.preferredWidth: 1
            Layout.preferredHeight: 1

            // Which sensor this is, above its gauge; a screen reader hears
            // it from the gauge.
            Label {
                objectName: "sensorName"
                text: gauge.sensorName
                font.bold: true
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                Accessible.ignored: true
                Layout.fillWidth: true
            }
            SensorGauge {
                id: gauge

                rindex: control.index
                sensorName: runner.sensorName(control.index)
                stale: control.stale
                ageText: control.ageText()
                Layout.fillWidth: true
                Layout.fillHeight: true
            }
            Label {
                objectName: "gaugeAge"
                text: gauge.ageText
                font.bold: control.stale
                color: control.stale ? Material.color(Material.Red) : Material.primary
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }

        // The chart under the unit of its values, over the unit of its
        // times: seconds before the newest reading.
        ColumnLayout {
            spacing: 0
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.preferredWidth: 1
            Layout.preferredHeight: 1

            Label {
                objectName: "chartValueUnit"
                text: control.unit
                color: Material.primary
                font.pointSize: Qt.application.font.pointSize * 0.85
                Accessible.ignored: true
            }
            MChart {
                id: chart

                chartType: Charts.ChartType.LINE
                labels: []
                values: []
                Accessible.role: Accessible.Chart
                Accessible.name: control.trendText()
                pointColor: Material.primary
                fillColor: Qt.rgba(Material.primary.r, Material.primary.g, Material.primary.b, 0.5)
                Layout.fillWidth: true
                Layout.fillHeight: true
            }
            Label {
                objectName: "chartTimeUnit"
                text: qsTr("s before the latest reading")
                color: Material.primary
                font.pointSize: Qt.application.font.pointSize * 0.85
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideLeft
                Accessible.ignored: true
                Layout.fillWidth: true
            }
        }
    }
}
