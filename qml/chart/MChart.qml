import QtQuick 2.11
import QtQuick.Controls.Material 2.3
import "Chart.js" as Charts

// A chart fed with plain label and value lists.
Chart {
    id: mchart

    property var labels
    property var values
    property color color
    property var colors
    property color fillColor: "#00ffffff"
    property color strokeColor
    property color pointColor

    function updateChart() {
        switch (chartType) {
        case Charts.ChartType.BAR:
        case Charts.ChartType.RADAR:
            chartData = {
                "labels": labels,
                "datasets": [{
                    "fillColor": color.toString(),
                    "data": values
                }]
            };
            break;
        case Charts.ChartType.PIE:
        case Charts.ChartType.DOUGHNUT:
        case Charts.ChartType.POLAR:
            if (!labels || !values || !colors || labels.length !== values.length
                    || values.length !== colors.length) {
                console.log("To use Pie chart labels/values/colors should have the same size");
                chartData = undefined;
                break;
            }
            var segments = [];
            for (var i = 0; i < labels.length; ++i)
                segments.push({
                    "label": labels[i],
                    "value": values[i],
                    "color": colors[i].toString()
                });
            chartData = segments;
            break;
        case Charts.ChartType.LINE:
            chartData = {
                "labels": labels,
                "datasets": [{
                    "data": values,
                    "fillColor": colorText(fillColor),
                    "strokeColor": colorText(strokeColor),
                    "pointColor": colorText(pointColor)
                }]
            };
            break;
        }
    }

    // A colour in the form the canvas takes, alpha included.
    function colorText(c) {
        return "rgba(" + Math.round(c.r * 255) + "," + Math.round(c.g * 255) + ","
                + Math.round(c.b * 255) + "," + c.a + ")";
    }

    chartAnimationDuration: 300
    chartAnimationEasing: Easing.OutCubic
    chartOptions: ({
        "scaleLineWidth": 2,
        "scaleFontColor": colorText(Material.primary),
        "scaleFontFamily": "'sans-serif'",
        // Axis text grows and shrinks with the chart, within reason.
        "scaleFontSize": Math.round(Math.max(9, Math.min(20, Math.min(width, height) / 28))),
        "minOverride": true,
        "minValue": 0
    })

    Component.onCompleted: updateChart()
}
