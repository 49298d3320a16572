import QtQuick 2.11
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
        if (gauge.hasReading)
            gauge.reading = values[values.length - 1];
    }

    function setup(min, max) {
        gauge.min = min;
        gauge.max = max;
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.StaticText
    Accessible.name: gauge.Accessible.name
    Keys.onLeftPressed: step(-1)
    Keys.onRightPressed: step(1)

    FocusFrame {
        anchors.margins: 2
        shown: control.activeFocus
    }

    GridLayout {
        anchors.fill: parent
        anchors.leftMargin: 1
        anchors.rightMargin: 1
        flow: control.width > control.height ? GridLayout.LeftToRight : GridLayout.TopToBottom

        SensorGauge {
            id: gauge

            rindex: control.index
            sensorName: runner.sensorName(control.index)
            Layout.fillWidth: true
            Layout.fillHeight: true
        }

        MChart {
            id: chart

            chartType: Charts.ChartType.LINE
            labels: []
            values: []
            pointColor: Material.primary
            fillColor: Qt.rgba(Material.primary.r, Material.primary.g, Material.primary.b, 0.5)
            Layout.fillWidth: true
            Layout.fillHeight: true
        }
    }
}
