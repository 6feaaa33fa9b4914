#pragma once

#include <QList>
#include <QPointF>
#include <QTimer>
#include <QWidget>

#include "app/core/SectionDetails.h"

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace channel {

class Clipboard;
class ElementsTable;
class DetailsValuesPanel;
class SectionView;

// 断面详情: a window beside the main window with the current row's section
// drawn to scale, its values with units and its rating curve. It follows the
// table's current row and refreshes whenever the table changes (every
// calculation, edit, paste, clear and load reaches it through the model's
// signals); the refresh waits for the event loop, so a calculation's seven
// writes cost one. Ctrl+C copies the values as text.
class SectionDetailsWindow : public QWidget {
    Q_OBJECT
  public:
    SectionDetailsWindow(ElementsTable& table, Clipboard& clipboard, QWidget* parent = nullptr);

    const SectionDetails& Details() const { return details_; }
    // Builds the details now instead of at the next turn of the event loop.
    void Refresh();
    void CopyValues();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ScheduleRefresh();
    void ShowValues();
    void ShowRatingCurve();

    ElementsTable& table_;
    Clipboard& clipboard_;
    SectionDetails details_;
    QTimer refreshTimer_;
    SectionView* section_ = nullptr;
    DetailsValuesPanel* values_ = nullptr;
    QChartView* chartView_ = nullptr;
    QChart* chart_ = nullptr;
    QLineSeries* curve_ = nullptr;
    QScatterSeries* designPoint_ = nullptr;
    QScatterSeries* tablePoint_ = nullptr;
    QValueAxis* dischargeAxis_ = nullptr;
    QValueAxis* depthAxis_ = nullptr;
    // What the chart shows, so that a refresh that changes none of it leaves
    // the chart alone (its axes and legend lay out again on any change).
    struct ChartData {
        QList<QPointF> curve;
        QList<QPointF> points;
        bool operator==(const ChartData&) const = default;
    };
    ChartData shownChart_;
    bool chartShownOnce_ = false;
};

}  // namespace channel
