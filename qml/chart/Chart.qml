import QtQuick 2.11
import "Chart.js" as Charts

// A canvas that draws one chart of the chart library, animating it in.
Canvas {
    id: canvas

    property var chart
    property var chartData
    property int chartType: 0
    property bool chartAnimated: true
    property int chartAnimationProgress: 0
    property var chartOptions: ({})
    property alias chartAnimationEasing: chartAnimator.easing.type
    property alias chartAnimationDuration: chartAnimator.duration

    function repaint() {
        chartAnimationProgress = 0;
        chartAnimator.start();
    }

    onWidthChanged: requestPaint()
    onHeightChanged: requestPaint()
    onChartDataChanged: requestPaint()
    onChartAnimationProgressChanged: requestPaint()

    onPaint: {
        var ctx = canvas.getContext("2d");
        ctx.reset();
        var painter = new Charts.Chart(canvas, ctx);
        switch (chartType) {
        case Charts.ChartType.BAR:
            chart = painter.Bar(chartData, chartOptions);
            break;
        case Charts.ChartType.DOUGHNUT:
            chart = painter.Doughnut(chartData, chartOptions);
            break;
        case Charts.ChartType.LINE:
            chart = painter.Line(chartData, chartOptions);
            break;
        case Charts.ChartType.PIE:
            chart = painter.Pie(chartData, chartOptions);
            break;
        case Charts.ChartType.POLAR:
            chart = painter.PolarArea(chartData, chartOptions);
            break;
        case Charts.ChartType.RADAR:
            chart = painter.Radar(chartData, chartOptions);
            break;
        default:
            console.log("Chart type should be specified.");
            return;
        }
        chart.init();
        if (chartAnimated)
            chartAnimator.start();
        else
            chartAnimationProgress = 100;
        chart.draw(chartAnimationProgress / 100);
    }

    PropertyAnimation {
        id: chartAnimator

        target: canvas
        property: "chartAnimationProgress"
        to: 100
        duration: 500
        easing.type: Easing.InOutElastic
    }
}
