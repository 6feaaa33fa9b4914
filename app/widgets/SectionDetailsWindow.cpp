#include "app/widgets/SectionDetailsWindow.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QScatterSeries>
#include <QShortcut>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "app/widgets/DetailsValuesPanel.h"
#include "app/widgets/SectionView.h"
#include "app/widgets/WindowAccessibility.h"
#include "table/ElementsTable.h"
#include "table/clipboard/Clipboard.h"

namespace channel {

namespace {

constexpr int kCurvePoints = 81;

}  // namespace

SectionDetailsWindow::SectionDetailsWindow(ElementsTable& table, Clipboard& clipboard,
                                           QWidget* parent)
    : QWidget(parent, Qt::Window), table_(table), clipboard_(clipboard) {
    setObjectName(QStringLiteral("断面详情"));
    setWindowTitle(QStringLiteral("断面详情"));
    ExposeAsWindow(*this);
    setAccessibleName(QStringLiteral("断面详情"));
    // It sits beside the main window, whose table keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);

    section_ = new SectionView(this);
    values_ = new DetailsValuesPanel(this);
    values_->setObjectName(QStringLiteral("数值"));
    values_->setMinimumWidth(270);

    chart_ = new QChart;
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->legend()->setAlignment(Qt::AlignTop);
    curve_ = new QLineSeries;
    curve_->setName(QStringLiteral("水位流量关系 Q(h)"));
    curve_->setPen(QPen(QColor(25, 95, 185), 2));
    designPoint_ = new QScatterSeries;
    designPoint_->setName(QStringLiteral("设计流量与正常水深"));
    designPoint_->setColor(QColor(200, 40, 40));
    designPoint_->setMarkerSize(10);
    tablePoint_ = new QScatterSeries;
    tablePoint_->setName(QStringLiteral("表中流量与水深"));
    tablePoint_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    tablePoint_->setColor(QColor(240, 150, 20));
    tablePoint_->setMarkerSize(9);
    dischargeAxis_ = new QValueAxis;
    dischargeAxis_->setTitleText(QStringLiteral("流量 Q（m³/s）"));
    dischargeAxis_->setLabelFormat(QStringLiteral("%.3g"));
    depthAxis_ = new QValueAxis;
    depthAxis_->setTitleText(QStringLiteral("水深 h（m）"));
    depthAxis_->setLabelFormat(QStringLiteral("%.3g"));
    chart_->addAxis(dischargeAxis_, Qt::AlignBottom);
    chart_->addAxis(depthAxis_, Qt::AlignLeft);
    for (QXYSeries* series : std::initializer_list<QXYSeries*>{curve_, designPoint_, tablePoint_}) {
        chart_->addSeries(series);
        series->attachAxis(dischargeAxis_);
        series->attachAxis(depthAxis_);
    }
    chartView_ = new QChartView(chart_, this);
    chartView_->setObjectName(QStringLiteral("水位流量关系"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumHeight(250);
    // Nothing here takes the keyboard: shown beside the main window, the
    // window must not pull the table's keystrokes to itself.
    chartView_->setFocusPolicy(Qt::NoFocus);
    values_->setFocusPolicy(Qt::NoFocus);

    auto* top = new QHBoxLayout;
    top->addWidget(section_, 1);
    top->addWidget(values_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(chartView_, 2);
    resize(760, 600);

    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &SectionDetailsWindow::CopyValues);

    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(0);
    connect(&refreshTimer_, &QTimer::timeout, this, &SectionDetailsWindow::Refresh);
    connect(&table_, &ElementsTable::currentCellMoved, this,
            &SectionDetailsWindow::ScheduleRefresh);
    connect(&table_, &ElementsTable::dataChanged, this, &SectionDetailsWindow::ScheduleRefresh);
    connect(&table_, &ElementsTable::modelReset, this, &SectionDetailsWindow::ScheduleRefresh);
    Refresh();
}

void SectionDetailsWindow::ScheduleRefresh() {
    if (isVisible()) refreshTimer_.start();
}

void SectionDetailsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void SectionDetailsWindow::Refresh() {
    refreshTimer_.stop();
    details_ = DescribeRow(table_, table_.CurrentRow());
    section_->SetDetails(details_);
    ShowValues();
    ShowRatingCurve();
}

void SectionDetailsWindow::CopyValues() {
    clipboard_.SetText(DetailsText(details_));
}

void SectionDetailsWindow::ShowValues() {
    values_->Show(details_);
}

void SectionDetailsWindow::ShowRatingCurve() {
    ChartData data{RatingCurve(details_, kCurvePoints), {}};
    const bool shown = !data.curve.isEmpty();
    if (shown) {
        const FlowAnalysis& flow = details_.flow;
        data.points.append(QPointF(flow.discharge, flow.normalDepth));
        if (std::isfinite(details_.tableDischarge) && std::isfinite(details_.tableDepth))
            data.points.append(QPointF(details_.tableDischarge, details_.tableDepth));
    }
    if (chartShownOnce_ && data == shownChart_) return;
    chartShownOnce_ = true;
    shownChart_ = data;

    curve_->replace(data.curve);
    designPoint_->clear();
    tablePoint_->clear();
    dischargeAxis_->setVisible(shown);
    depthAxis_->setVisible(shown);
    chart_->legend()->setVisible(shown);
    if (!shown) return;

    designPoint_->append(data.points.first());
    if (data.points.size() > 1) tablePoint_->append(data.points.last());
    double largest = data.curve.last().x();
    for (const QPointF& point : tablePoint_->points()) largest = std::max(largest, point.x());
    dischargeAxis_->setRange(0, largest * 1.05);
    depthAxis_->setRange(0, data.curve.last().y());
    dischargeAxis_->applyNiceNumbers();
    depthAxis_->applyNiceNumbers();
}

}  // namespace channel
