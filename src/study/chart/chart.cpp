// SPDX-License-Identifier: MIT
#include "study/chart.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QThread>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace dealwise::study {
namespace {

// Half the width of a share bar and of the caps of an interval, in scores.
constexpr double kBarHalfWidth = 0.4;
constexpr double kCapHalfWidth = 0.15;
// With two rates at each score, each stands this far to one side of it, with
// narrower caps, so that their intervals do not hide one another.
constexpr double kPairOffset = 0.15;
constexpr double kPairCapHalfWidth = 0.1;

// Score labels stay legible at a few dozen scores.
double scoreTickInterval(int span) {
    if (span <= 20) {
        return 1.0;
    }
    if (span <= 40) {
        return 2.0;
    }
    return std::ceil(span / 20.0 / 5.0) * 5.0;
}

// The share axis reaches well above the tallest bar, so that the bars stay in
// the lower part of the plot, beneath most of the win rates.
double shareAxisTop(double highestShare) {
    const double top = std::max(highestShare * 100.0 * 2.5, 1.0);
    return std::ceil(top / 5.0) * 5.0;
}

void hideFromLegend(QChart& chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart.legend()->markers(series)) {
        marker->setVisible(false);
    }
}

QValueAxis* addAxis(QChart& chart, Qt::Alignment alignment, const QString& title, double low, double high) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(low, high);
    axis->setLabelFormat("%.0f");
    chart.addAxis(axis, alignment);
    return axis;
}

void attach(QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
    series->attachAxis(x);
    series->attachAxis(y);
}

// One rate at one score, 0 to 1.
struct RatePoint {
    double score = 0.0;
    double rate = 0.0;
    Interval interval;
};

struct RateStyle {
    QString name;
    QRgb colour = kWinRateColour;
    double capHalfWidth = kCapHalfWidth;
    bool intervalInLegend = true;
};

// The points, a dashed line through them and their intervals.
void addRates(QChart& chart, QValueAxis* scoreAxis, QValueAxis* rateAxis, const std::vector<RatePoint>& rates,
              const RateStyle& style) {
    // Qt Charts has no error bars: each interval is a line of its own, with
    // caps, and only the first stands for them all in the legend.
    QPen intervalPen(QColor::fromRgba(style.colour));
    intervalPen.setWidthF(1.5);
    bool firstInterval = true;
    for (const RatePoint& point : rates) {
        const double low = 100.0 * point.interval.low;
        const double high = 100.0 * point.interval.high;
        const double cap = style.capHalfWidth;
        auto* interval = new QLineSeries;
        interval->setName("95 % interval");
        interval->setPen(intervalPen);
        interval->append(point.score - cap, low);
        interval->append(point.score + cap, low);
        interval->append(point.score, low);
        interval->append(point.score, high);
        interval->append(point.score - cap, high);
        interval->append(point.score + cap, high);
        chart.addSeries(interval);
        attach(interval, scoreAxis, rateAxis);
        if (!firstInterval || !style.intervalInLegend) {
            hideFromLegend(chart, interval);
        }
        firstInterval = false;
    }

    auto* trend = new QLineSeries;
    QPen trendPen(QColor::fromRgba(style.colour));
    trendPen.setWidthF(1.0);
    trendPen.setStyle(Qt::DashLine);
    trend->setPen(trendPen);
    auto* points = new QScatterSeries;
    points->setName(style.name);
    points->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    points->setMarkerSize(9.0);
    points->setColor(QColor::fromRgba(style.colour));
    points->setBorderColor(QColor::fromRgba(style.colour));
    for (const RatePoint& point : rates) {
        trend->append(point.score, 100.0 * point.rate);
        points->append(point.score, 100.0 * point.rate);
    }
    chart.addSeries(trend);
    attach(trend, scoreAxis, rateAxis);
    hideFromLegend(chart, trend);
    chart.addSeries(points);
    attach(points, scoreAxis, rateAxis);
}

// The share of deals of each score as a bar on its own axis. One outline
// dropping to zero between the bars draws them all as one series.
void addShareBars(QChart& chart, QValueAxis* scoreAxis, QValueAxis* shareAxis, const std::vector<ScoreRow>& rows) {
    // An area series does not own its outline: the chart does.
    auto* barOutline = new QLineSeries(&chart);
    for (const ScoreRow& row : rows) {
        const double share = 100.0 * row.share;
        barOutline->append(row.score - kBarHalfWidth, 0.0);
        barOutline->append(row.score - kBarHalfWidth, share);
        barOutline->append(row.score + kBarHalfWidth, share);
        barOutline->append(row.score + kBarHalfWidth, 0.0);
    }
    auto* bars = new QAreaSeries(barOutline);
    bars->setName("share of deals");
    bars->setColor(QColor::fromRgba(kShareColour));
    bars->setBorderColor(QColor::fromRgba(kShareColour));
    chart.addSeries(bars);
    attach(bars, scoreAxis, shareAxis);
}

// The greedy player's win rates and, when the solver decided some deals,
// the winnable rates beside them. Beside the solver's rates the player's
// need a name that tells them apart; one interval entry in the legend
// stands for both colours.
void addPlayerAndSolverRates(QChart& chart, QValueAxis* scoreAxis, QValueAxis* rateAxis,
                             const std::vector<ScoreRow>& rows, bool solved) {
    std::vector<RatePoint> winRates;
    std::vector<RatePoint> winnableRates;
    for (const ScoreRow& row : rows) {
        winRates.push_back({row.score - (solved ? kPairOffset : 0.0), row.winRate, row.interval});
        if (row.decided > 0) {
            winnableRates.push_back({row.score + kPairOffset, row.winnableRate, row.winnableInterval});
        }
    }
    if (!solved) {
        addRates(chart, scoreAxis, rateAxis, winRates, {"win rate", kWinRateColour, kCapHalfWidth, true});
        return;
    }
    addRates(chart, scoreAxis, rateAxis, winRates, {"greedy win rate", kWinRateColour, kPairCapHalfWidth, true});
    addRates(chart, scoreAxis, rateAxis, winnableRates,
             {"winnable (exact solver)", kWinnableColour, kPairCapHalfWidth, false});
}

QChart* newChart(const QString& title, QSize size) {
    auto* chart = new QChart;
    // The title is rich text: a "<" in a plain title would start a tag.
    chart->setTitle(title.toHtmlEscaped());
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->resize(size);
    return chart;
}

double highestShare(const std::vector<ScoreRow>& rows) {
    double highest = 0.0;
    for (const ScoreRow& row : rows) {
        highest = std::max(highest, row.share);
    }
    return highest;
}

// From one below the lowest score to one above the highest.
QValueAxis* addScoreAxis(QChart& chart, const StudyTally& tally) {
    const int lowest = tally.lowestScore().value_or(0);
    const int highest = tally.highestScore().value_or(0);
    QValueAxis* axis = addAxis(chart, Qt::AlignBottom, "Dealwise score", lowest - 1.0, highest + 1.0);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(scoreTickInterval(highest - lowest + 2));
    return axis;
}

// Built into the scene that owns it.
QChart* buildChart(const StudyTally& tally, const QString& title, QSize size) {
    QChart* chart = newChart(title, size);
    const std::vector<ScoreRow> rows = tally.byScore();
    QValueAxis* scoreAxis = addScoreAxis(*chart, tally);
    QValueAxis* rateAxis = addAxis(*chart, Qt::AlignLeft, "win rate (%)", 0.0, 100.0);
    QValueAxis* shareAxis =
        addAxis(*chart, Qt::AlignRight, "share of deals (%)", 0.0, shareAxisTop(highestShare(rows)));
    shareAxis->setGridLineVisible(false);
    // First, so that the points and intervals are drawn over the bars.
    addShareBars(*chart, scoreAxis, shareAxis, rows);
    addPlayerAndSolverRates(*chart, scoreAxis, rateAxis, rows, tally.solvedDeals() > 0);
    return chart;
}

bool saveWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool draw(const StudyTally& tally, const QString& svgPath, const QString& pngPath, const QString& title, QSize size) {
    const auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (application == nullptr || QThread::currentThread() != application->thread() || size.isEmpty()) {
        return false;
    }

    QGraphicsScene scene;
    QChart* chart = buildChart(tally, title, size);
    scene.addItem(chart);
    const QRectF area(QPointF(0.0, 0.0), QSizeF(size));
    scene.setSceneRect(area);
    // The chart lays itself out on a posted event; a picture taken before
    // that shows everything piled in a corner.
    chart->layout()->activate();
    QCoreApplication::sendPostedEvents();

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        scene.render(&painter, area, area);
    }
    QByteArray png;
    {
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
            return false;
        }
    }

    QByteArray svg;
    {
        QBuffer buffer(&svg);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(area);
        // Qt 6.4 writes the title and description into the XML as they are;
        // unescaped, an "&" or "<" in the title makes the file unreadable.
        generator.setTitle(title.toHtmlEscaped());
        generator.setDescription(tally.solvedDeals() > 0
                                     ? "Greedy win rate and winnable rate by Dealwise score, with 95 % "
                                       "Wilson intervals and the share of deals"
                                     : "Win rate by Dealwise score, with 95 % Wilson intervals and "
                                       "the share of deals");
        QPainter painter;
        if (!painter.begin(&generator)) {
            return false;
        }
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, area, area);
        painter.end();
    }
    return saveWhole(svgPath, svg) && saveWhole(pngPath, png);
}

} // namespace

bool writeChart(const StudyTally& tally, const QString& svgPath, const QString& pngPath, const QString& title,
                QSize size) noexcept {
    try {
        return draw(tally, svgPath, pngPath, title, size);
    } catch (...) {
        return false;
    }
}

} // namespace dealwise::study
