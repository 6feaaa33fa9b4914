#pragma once

#include <QWidget>
#include <array>

#include "app/core/SectionDesignForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace channel {

class Document;

// 断面设计: sizes the section of one row from its discharge. It shows the
// form (app/core/SectionDesignForm.h) and what Evaluate makes of it after
// every keystroke: the candidates side by side, the enlarged discharge, bank
// and velocity figures of the one chosen, and beside each field why it
// cannot be read. 采用 hands the adoption to the document.
class SectionDesignWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SectionDesignWindow(Document& document, QWidget* parent = nullptr);

    // Fills the form from the table's current row.
    void LoadCurrentRow();
    int Row() const { return row_; }
    const SectionDesignForm& Form() const { return form_; }
    const DesignOutcome& Outcome() const { return outcome_; }
    void Adopt();

  private:
    void BuildFields();
    void ReadControls();
    void ShowOutcome();
    void ShowCandidates();

    Document& document_;
    int row_ = -1;
    SectionDesignForm form_;
    DesignOutcome outcome_;
    bool filling_ = false;  // the controls are being set from the form
    QLabel* rowLabel_ = nullptr;
    QComboBox* mode_ = nullptr;
    QComboBox* grade_ = nullptr;
    std::array<QLineEdit*, kDesignFieldCount> edits_{};
    std::array<QLabel*, kDesignFieldCount> faults_{};
    QTableWidget* candidates_ = nullptr;
    QLabel* figures_ = nullptr;
    QLabel* reason_ = nullptr;
    QPushButton* adopt_ = nullptr;
};

}  // namespace channel
