#pragma once

#include <QList>
#include <QWidget>

#include "app/core/SectionDetails.h"

class QGridLayout;
class QLabel;

namespace channel {

// The values beside the section drawing: the row's heading, the reason
// there is no analysis, and one grid line per entry of SectionDetails::values
// (a group heading across the line, or name, symbol, number and unit in
// their columns), then the copy hint. Plain-text labels in a grid, kept from
// one row to the next and changed only where their text changes, so a
// refresh costs a few label updates and no document layout.
class DetailsValuesPanel : public QWidget {
    Q_OBJECT
  public:
    explicit DetailsValuesPanel(QWidget* parent = nullptr);

    void Show(const SectionDetails& details);
    // Every text shown, in reading order, one line per grid line.
    QString ShownText() const;

  private:
    struct Line {
        QLabel* heading;
        QLabel* name;
        QLabel* symbol;
        QLabel* number;
        QLabel* unit;
    };
    Line& LineAt(int index);
    QLabel* NewLabel(Qt::Alignment alignment = Qt::AlignLeft);

    QGridLayout* grid_;
    QLabel* row_;
    QLabel* reason_;
    QLabel* hint_;
    QList<Line> lines_;
};

}  // namespace channel
