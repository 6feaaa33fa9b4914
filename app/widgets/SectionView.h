#pragma once

#include <QWidget>

#include "app/core/SectionDetails.h"

namespace channel {

// The channel section drawn to scale as the CAD drawing describes it
// (DescribeSection): bed and banks, the water at the table's depth (or at the
// normal depth when the table has none) with its depth h and top width B, the
// normal depth h0 dashed and the critical depth hk dotted, the bottom width b
// and side slope 1:m. A row that gives no section shows its reason instead.
class SectionView : public QWidget {
    Q_OBJECT
  public:
    explicit SectionView(QWidget* parent = nullptr);
    void SetDetails(const SectionDetails& details);
    QSize sizeHint() const override { return {420, 280}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SectionDetails details_;
};

}  // namespace channel
