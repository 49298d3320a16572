.pragma library

// A small canvas charting library for the sensor charts: line, bar, pie,
// doughnut, polar-area and radar charts drawn on a QML Canvas 2D context.
//
//   var chart = new Chart(canvas, context).Line(data, options);
//   chart.init();
//   chart.draw(fraction);   // 0..1, the share of the drawing animation done

var ChartType = {
    "BAR": 1,
    "DOUGHNUT": 2,
    "LINE": 3,
    "PIE": 4,
    "POLAR": 5,
    "RADAR": 6
};

var defaults = {
    "scaleLineColor": "rgba(0,0,0,0.1)",
    "scaleLineWidth": 1,
    "scaleFontFamily": "'sans-serif'",
    "scaleFontSize": 12,
    "scaleFontColor": "#666",
    "scaleGridLineColor": "rgba(0,0,0,0.05)",
    "scaleSteps": 5,
    "minOverride": false,
    "minValue": 0,
    "pointRadius": 3,
    "datasetStrokeWidth": 2,
    "segmentStrokeColor": "#fff",
    "segmentStrokeWidth": 2,
    "percentageInnerCutout": 50
};

function merge(options) {
    var result = {};
    for (var key in defaults)
        result[key] = defaults[key];
    for (var own in options)
        result[own] = options[own];
    return result;
}

// Round tick steps of 1, 2 or 5 times a power of ten covering [low, high].
function niceScale(low, high, steps) {
    if (high === low) {
        high += 1;
        low -= low === 0 ? 0 : 1;
    }
    var raw = (high - low) / steps;
    var magnitude = Math.pow(10, Math.floor(Math.log(raw) / Math.LN10));
    var step = magnitude;
    [1, 2, 5, 10].some(function(m) {
        step = m * magnitude;
        return step >= raw;
    });
    var start = Math.floor(low / step) * step;
    var end = Math.ceil(high / step) * step;
    return { "start": start, "end": end, "step": step, "count": Math.round((end - start) / step) };
}

function labelText(value, step) {
    var decimals = step >= 1 ? 0 : Math.ceil(-Math.log(step) / Math.LN10);
    return value.toFixed(decimals);
}

function allValues(data) {
    var values = [];
    (data.datasets || []).forEach(function(set) {
        (set.data || []).forEach(function(v) {
            values.push(Number(v));
        });
    });
    return values;
}

// Axes shared by line and bar charts: value axis on the left, labels below.
function Axes(ctx, width, height, labels, values, options, centred) {
    var font = options.scaleFontSize + "px " + options.scaleFontFamily;
    ctx.font = font;
    var low = values.length ? Math.min.apply(null, values) : 0;
    var high = values.length ? Math.max.apply(null, values) : 1;
    if (options.minOverride)
        low = Math.min(low, options.minValue);
    this.scale = niceScale(low, high, options.scaleSteps);
    var widest = 0;
    for (var i = 0; i <= this.scale.count; ++i)
        widest = Math.max(widest, ctx.measureText(labelText(this.scale.start + i * this.scale.step,
                                                            this.scale.step)).width);
    this.left = widest + 10;
    this.right = width - 10;
    this.top = options.scaleFontSize;
    this.bottom = height - options.scaleFontSize * 2;
    this.labels = labels;
    this.centred = centred;
    this.options = options;
    this.font = font;
}

Axes.prototype.x = function(index) {
    var n = this.labels.length;
    if (this.centred)
        return this.left + (this.right - this.left) * (index + 0.5) / Math.max(n, 1);
    return n > 1 ? this.left + (this.right - this.left) * index / (n - 1) : (this.left + this.right) / 2;
};

Axes.prototype.y = function(value) {
    var s = this.scale;
    return this.bottom - (this.bottom - this.top) * (value - s.start) / (s.end - s.start);
};

Axes.prototype.draw = function(ctx) {
    var o = this.options;
    ctx.font = this.font;
    ctx.fillStyle = o.scaleFontColor;
    ctx.textBaseline = "middle";
    ctx.textAlign = "right";
    ctx.lineWidth = 1;
    for (var i = 0; i <= this.scale.count; ++i) {
        var value = this.scale.start + i * this.scale.step;
        var y = Math.round(this.y(value)) + 0.5;
        ctx.fillText(labelText(value, this.scale.step), this.left - 5, y);
        ctx.strokeStyle = o.scaleGridLineColor;
        ctx.beginPath();
        ctx.moveTo(this.left, y);
        ctx.lineTo(this.right, y);
        ctx.stroke();
    }
    ctx.textAlign = "center";
    ctx.textBaseline = "top";
    // Thin the labels out so that they never overlap.
    var room = (this.right - this.left) / Math.max(this.labels.length, 1);
    var every = 1;
    this.labels.forEach(function(label) {
        every = Math.max(every, Math.ceil((ctx.measureText(String(label)).width + 6) / room));
    });
    for (var j = 0; j < this.labels.length; j += every)
        ctx.fillText(String(this.labels[j]), this.x(j), this.bottom + 4);
    ctx.strokeStyle = o.scaleLineColor;
    ctx.lineWidth = o.scaleLineWidth;
    ctx.beginPath();
    ctx.moveTo(this.left, this.top);
    ctx.lineTo(this.left, this.bottom);
    ctx.lineTo(this.right, this.bottom);
    ctx.stroke();
};

function LineChart(chart, data, options) {
    this.chart = chart;
    this.data = data || { "labels": [], "datasets": [] };
    this.options = merge(options);
}

LineChart.prototype.init = function() {
    this.axes = new Axes(this.chart.ctx, this.chart.width(), this.chart.height(),
                         this.data.labels || [], allValues(this.data), this.options, false);
};

LineChart.prototype.draw = function(fraction) {
    var ctx = this.chart.ctx;
    var axes = this.axes;
    var o = this.options;
    axes.draw(ctx);
    var base = axes.y(Math.max(axes.scale.start, Math.min(0, axes.scale.end)));
    (this.data.datasets || []).forEach(function(set) {
        var points = (set.data || []).map(function(v, i) {
            return { "x": axes.x(i), "y": base + (axes.y(Number(v)) - base) * fraction };
        });
        if (!points.length)
            return;
        ctx.beginPath();
        ctx.moveTo(points[0].x, points[0].y);
        points.forEach(function(p) {
            ctx.lineTo(p.x, p.y);
        });
        ctx.strokeStyle = set.strokeColor || set.pointColor || "#000";
        ctx.lineWidth = o.datasetStrokeWidth;
        ctx.stroke();
        ctx.lineTo(points[points.length - 1].x, base);
        ctx.lineTo(points[0].x, base);
        ctx.closePath();
        ctx.fillStyle = set.fillColor || "transparent";
        ctx.fill();
        ctx.fillStyle = set.pointColor || ctx.strokeStyle;
        points.forEach(function(p) {
            ctx.beginPath();
            ctx.arc(p.x, p.y, o.pointRadius, 0, 2 * Math.PI);
            ctx.fill();
        });
    });
};

function BarChart(chart, data, options) {
    LineChart.call(this, chart, data, options);
}

BarChart.prototype.init = function() {
    var values = allValues(this.data);
    values.push(0); // bars grow from zero
    this.axes = new Axes(this.chart.ctx, this.chart.width(), this.chart.height(),
                         this.data.labels || [], values, this.options, true);
};

BarChart.prototype.draw = function(fraction) {
    var ctx = this.chart.ctx;
    var axes = this.axes;
    var sets = this.data.datasets || [];
    axes.draw(ctx);
    var slot = (axes.right - axes.left) / Math.max((this.data.labels || []).length, 1);
    var barWidth = slot * 0.8 / Math.max(sets.length, 1);
    var zero = axes.y(0);
    sets.forEach(function(set, s) {
        ctx.fillStyle = set.fillColor || "#888";
        (set.data || []).forEach(function(v, i) {
            var x = axes.x(i) - slot * 0.4 + s * barWidth;
            var top = zero + (axes.y(Number(v)) - zero) * fraction;
            ctx.fillRect(x, Math.min(top, zero), barWidth - 1, Math.abs(zero - top));
        });
    });
};

// Pie, doughnut and polar-area charts take a list of {label, value, color}.
function SegmentChart(chart, data, options, kind) {
    this.chart = chart;
    this.data = data || [];
    this.options = merge(options);
    this.kind = kind;
}

SegmentChart.prototype.init = function() {
    this.cx = this.chart.width() / 2;
    this.cy = this.chart.height() / 2;
    this.radius = Math.max(0, Math.min(this.cx, this.cy) - 5);
    this.total = 0;
    this.largest = 0;
    var self = this;
    this.data.forEach(function(segment) {
        self.total += Math.max(0, Number(segment.value));
        self.largest = Math.max(self.largest, Number(segment.value));
    });
};

SegmentChart.prototype.draw = function(fraction) {
    var ctx = this.chart.ctx;
    var o = this.options;
    var self = this;
    var angle = -Math.PI / 2;
    this.data.forEach(function(segment) {
        var value = Math.max(0, Number(segment.value));
        var sweep;
        var radius = self.radius;
        if (self.kind === "polar") {
            sweep = 2 * Math.PI / self.data.length;
            radius = self.largest > 0 ? self.radius * value / self.largest * fraction : 0;
        } else {
            sweep = self.total > 0 ? 2 * Math.PI * value / self.total * fraction : 0;
        }
        ctx.beginPath();
        ctx.moveTo(self.cx, self.cy);
        ctx.arc(self.cx, self.cy, radius, angle, angle + sweep);
        ctx.closePath();
        ctx.fillStyle = segment.color || "#888";
        ctx.fill();
        ctx.strokeStyle = o.segmentStrokeColor;
        ctx.lineWidth = o.segmentStrokeWidth;
        ctx.stroke();
        angle += sweep;
    });
    if (this.kind === "doughnut") {
        ctx.globalCompositeOperation = "destination-out";
        ctx.beginPath();
        ctx.arc(this.cx, this.cy, this.radius * o.percentageInnerCutout / 100, 0, 2 * Math.PI);
        ctx.fill();
        ctx.globalCompositeOperation = "source-over";
    }
};

function RadarChart(chart, data, options) {
    LineChart.call(this, chart, data, options);
}

RadarChart.prototype.init = function() {
    var values = allValues(this.data);
    this.scale = niceScale(0, values.length ? Math.max.apply(null, values) : 1, this.options.scaleSteps);
    this.cx = this.chart.width() / 2;
    this.cy = this.chart.height() / 2;
    this.radius = Math.max(0, Math.min(this.cx, this.cy) - this.options.scaleFontSize * 2);
};

RadarChart.prototype.point = function(index, count, value) {
    var a = -Math.PI / 2 + 2 * Math.PI * index / count;
    var r = this.radius * value / this.scale.end;
    return { "x": this.cx + r * Math.cos(a), "y": this.cy + r * Math.sin(a) };
};

RadarChart.prototype.draw = function(fraction) {
    var ctx = this.chart.ctx;
    var o = this.options;
    var labels = this.data.labels || [];
    var n = Math.max(labels.length, 1);
    var self = this;
    ctx.strokeStyle = o.scaleLineColor;
    ctx.lineWidth = o.scaleLineWidth;
    for (var ring = 1; ring <= this.scale.count; ++ring) {
        ctx.beginPath();
        for (var i = 0; i <= n; ++i) {
            var p = this.point(i % n, n, ring * this.scale.step);
            if (i === 0)
                ctx.moveTo(p.x, p.y);
            else
                ctx.lineTo(p.x, p.y);
        }
        ctx.stroke();
    }
    ctx.font = o.scaleFontSize + "px " + o.scaleFontFamily;
    ctx.fillStyle = o.scaleFontColor;
    ctx.textAlign = "center";
    ctx.textBaseline = "middle";
    labels.forEach(function(label, i) {
        var p = self.point(i, n, self.scale.end * 1.12);
        ctx.fillText(String(label), p.x, p.y);
    });
    (this.data.datasets || []).forEach(function(set) {
        ctx.beginPath();
        (set.data || []).forEach(function(v, i) {
            var p = self.point(i, n, Number(v) * fraction);
            if (i === 0)
                ctx.moveTo(p.x, p.y);
            else
                ctx.lineTo(p.x, p.y);
        });
        ctx.closePath();
        ctx.fillStyle = set.fillColor || "rgba(0,0,0,0.2)";
        ctx.fill();
        ctx.strokeStyle = set.strokeColor || "#000";
        ctx.stroke();
    });
};

function Chart(canvas, context) {
    this.canvas = canvas;
    this.ctx = context;
}

Chart.prototype.width = function() {
    return this.canvas.width;
};

Chart.prototype.height = function() {
    return this.canvas.height;
};

Chart.prototype.Line = function(data, options) {
    return new LineChart(this, data, options);
};

Chart.prototype.Bar = function(data, options) {
    return new BarChart(this, data, options);
};

Chart.prototype.Pie = function(data, options) {
    return new SegmentChart(this, data, options, "pie");
};

Chart.prototype.Doughnut = function(data, options) {
    return new SegmentChart(this, data, options, "doughnut");
};

Chart.prototype.PolarArea = function(data, options) {
    return new SegmentChart(this, data, options, "polar");
};

Chart.prototype.Radar = function(data, options) {
    return new RadarChart(this, data, options);
};

BarChart.prototype.constructor = BarChart;
RadarChart.prototype.constructor = RadarChart;
