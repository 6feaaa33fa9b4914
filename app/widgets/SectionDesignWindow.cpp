#include "app/widgets/SectionDesignWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/document/Document.h"
#include "table/CellText.h"

namespace channel {

namespace {

using F = DesignField;

struct FieldText {
    F field;
    const char* name;  // the label, and the control's object name
    const char* unit;
};

constexpr FieldText kSectionFields[] = {
    {F::kSideSlope, "边坡系数 m", ""}, {F::kRoughness, "糙率 n", ""},
    {F::kBedSlope, "纵坡 i", ""},      {F::kDischarge, "设计流量 Q", "m³/s"},
    {F::kDepth, "水深 h", "m"},        {F::kRatio, "宽深比 β", ""},
    {F::kBottomWidth, "底宽 b", "m"},  {F::kWidthStep, "底宽取整步长", "m"},
};
constexpr FieldText kAllowanceFields[] = {
    {F::kIncreasePercent, "加大百分数 p", "%"}, {F::kEnlargedDischarge, "加大流量 Q加大", "m³/s"},
    {F::kFreeboard, "岸顶超高 Fb", "m"},        {F::kMinimumDischarge, "最小流量 Q最小", "m³/s"},
    {F::kScourLimit, "不冲流速 v不冲", "m/s"},  {F::kSiltLimit, "不淤流速 v不淤", "m/s"},
    {F::kDepthStep, "渠深取整步长", "m"},
};

constexpr const char* kModes[] = {"底宽和水深（水力最佳断面与实用经济断面）", "底宽（已知水深）",
                                  "底宽和水深（已知宽深比 β）", "纵坡（已知底宽和水深）",
                                  "糙率（已知底宽和水深）"};

constexpr const char* kColumns[] = {"断面",        "底宽 b (m)",   "水深 h (m)", "宽深比 β",
                                    "面积 A (m²)", "流速 v (m/s)", "流速限值"};

QString Number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

}  // namespace

SectionDesignWindow::SectionDesignWindow(Document& document, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document) {
    setObjectName(QStringLiteral("断面设计"));
    setWindowTitle(QStringLiteral("断面设计"));
    rowLabel_ = new QLabel(this);
    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("求解"));
    for (const char* mode : kModes) mode_->addItem(QString::fromUtf8(mode));
    auto* top = new QHBoxLayout;
    top->addWidget(rowLabel_);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("求解："), this));
    top->addWidget(mode_);

    candidates_ = new QTableWidget(0, static_cast<int>(std::size(kColumns)), this);
    candidates_->setObjectName(QStringLiteral("设计结果"));
    QStringList headings;
    for (const char* heading : kColumns) headings << QString::fromUtf8(heading);
    candidates_->setHorizontalHeaderLabels(headings);
    candidates_->verticalHeader()->hide();
    candidates_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    candidates_->setSelectionBehavior(QAbstractItemView::SelectRows);
    candidates_->setSelectionMode(QAbstractItemView::SingleSelection);
    candidates_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    candidates_->setMinimumHeight(200);
    figures_ = new QLabel(this);
    figures_->setObjectName(QStringLiteral("设计数值"));
    figures_->setTextFormat(Qt::PlainText);
    figures_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reason_ = new QLabel(this);
    reason_->setObjectName(QStringLiteral("设计提示"));
    reason_->setStyleSheet(QStringLiteral("color: #b02020"));
    reason_->setWordWrap(true);
    adopt_ = new QPushButton(QStringLiteral("采用"), this);
    adopt_->setObjectName(QStringLiteral("采用"));
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("关闭"));
    auto* reload = new QPushButton(QStringLiteral("读取当前行"), this);
    reload->setObjectName(QStringLiteral("读取当前行"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    BuildFields();
    auto* results = new QHBoxLayout;
    results->addWidget(candidates_, 3);
    results->addWidget(figures_, 2);
    layout->addLayout(results, 1);
    layout->addWidget(reason_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reload);
    buttons->addStretch();
    buttons->addWidget(adopt_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(980, 640);

    connect(mode_, &QComboBox::currentIndexChanged, this, &SectionDesignWindow::ReadControls);
    connect(grade_, &QComboBox::currentIndexChanged, this, &SectionDesignWindow::ReadControls);
    for (QLineEdit* edit : edits_)
        connect(edit, &QLineEdit::textEdited, this, &SectionDesignWindow::ReadControls);
    connect(candidates_, &QTableWidget::itemSelectionChanged, this, [this] {
        if (filling_ || candidates_->currentRow() < 0) return;
        form_.chosen = candidates_->currentRow();
        ReadControls();
    });
    connect(adopt_, &QPushButton::clicked, this, &SectionDesignWindow::Adopt);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(reload, &QPushButton::clicked, this, &SectionDesignWindow::LoadCurrentRow);
    LoadCurrentRow();
}

void SectionDesignWindow::BuildFields() {
    const auto group = [this](const char* title, const FieldText* fields, int count) {
        auto* box = new QGroupBox(QString::fromUtf8(title), this);
        auto* grid = new QGridLayout(box);
        for (int k = 0; k < count; ++k) {
            const FieldText& f = fields[k];
            const int index = static_cast<int>(f.field);
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QString::fromUtf8(f.name));
            edit->setMaximumWidth(110);
            auto* fault = new QLabel(box);
            fault->setStyleSheet(QStringLiteral("color: #b02020"));
            edits_[index] = edit;
            faults_[index] = fault;
            grid->addWidget(new QLabel(QString::fromUtf8(f.name), box), k, 0);
            grid->addWidget(edit, k, 1);
            grid->addWidget(new QLabel(QString::fromUtf8(f.unit), box), k, 2);
            grid->addWidget(fault, k, 3);
        }
        grid->setColumnStretch(3, 1);
        return box;
    };
    QGroupBox* allowances = group("加大流量、超高与流速限值", kAllowanceFields,
                                  static_cast<int>(std::size(kAllowanceFields)));
    grade_ = new QComboBox(allowances);
    grade_->setObjectName(QStringLiteral("渠道级别"));
    for (int grade = 1; grade <= 5; ++grade) grade_->addItem(QStringLiteral("%1 级").arg(grade));
    auto* grid = static_cast<QGridLayout*>(allowances->layout());
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QStringLiteral("渠道级别"), allowances), row, 0);
    grid->addWidget(grade_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("4、5 级：Fb = hb/4 + 0.2 m"), allowances), row, 3);
    auto* fields = new QHBoxLayout;
    fields->addWidget(
        group("断面与流量", kSectionFields, static_cast<int>(std::size(kSectionFields))));
    fields->addWidget(allowances);
    static_cast<QVBoxLayout*>(layout())->addLayout(fields);
}

void SectionDesignWindow::LoadCurrentRow() {
    row_ = document_.Table().CurrentRow();
    form_ = FormForRow(document_.Table(), row_);
    filling_ = true;
    for (int k = 0; k < kDesignFieldCount; ++k) edits_[k]->setText(form_.texts[k]);
    grade_->setCurrentIndex(form_.grade - 1);
    mode_->setCurrentIndex(static_cast<int>(form_.mode));
    filling_ = false;
    rowLabel_->setText(row_ >= 1 ? QStringLiteral("第 %1 行").arg(row_)
                                 : QStringLiteral("未选择行"));
    ReadControls();
}

void SectionDesignWindow::ReadControls() {
    if (filling_) return;
    for (int k = 0; k < kDesignFieldCount; ++k) form_.texts[k] = edits_[k]->text();
    form_.grade = grade_->currentIndex() + 1;
    const auto mode = static_cast<DesignMode>(mode_->currentIndex());
    if (mode != form_.mode) form_.chosen = 0;
    form_.mode = mode;
    outcome_ = Evaluate(form_);
    ShowOutcome();
}

void SectionDesignWindow::ShowOutcome() {
    for (int k = 0; k < kDesignFieldCount; ++k) {
        const auto fault = outcome_.faults.find(static_cast<DesignField>(k));
        faults_[k]->setText(fault == outcome_.faults.end() ? QString() : fault->second);
    }
    // The default percentage for the discharge typed, as the empty field's hint.
    const auto discharge = cell_text::Number(form_.Text(F::kDischarge));
    edits_[static_cast<int>(F::kIncreasePercent)]->setPlaceholderText(
        discharge ? QStringLiteral("默认 %1").arg(DefaultIncreasePercent(*discharge)) : QString());
    ShowCandidates();

    QStringList lines;
    if (outcome_.reason.isEmpty()) {
        const bool width = outcome_.column == elements_table::kBottomWidthColumn;
        lines << QStringLiteral("采用：%1 = %2")
                     .arg(width ? QStringLiteral("底宽 b")
                          : outcome_.column == elements_table::kBedSlopeColumn
                              ? QStringLiteral("纵坡 i")
                              : QStringLiteral("糙率 n"),
                          outcome_.valueText + (width ? QStringLiteral(" m") : QString()));
        lines << QStringLiteral("设计流量下水深 h = %1 m").arg(Number(outcome_.depth, 4));
        for (const SectionDetails::Value& v : outcome_.figures) {
            if (v.IsHeading()) {
                lines << QString() << QStringLiteral("【%1】").arg(v.name);
            } else {
                lines << QStringLiteral("%1 %2 = %3 %4").arg(v.name, v.symbol, v.number, v.unit);
            }
        }
    }
    figures_->setText(lines.join(QLatin1Char('\n')));
    reason_->setText(outcome_.reason.isEmpty() ? outcome_.figuresReason : outcome_.reason);
    adopt_->setEnabled(outcome_.reason.isEmpty() && row_ >= elements_table::kFirstSectionRow);
}

void SectionDesignWindow::ShowCandidates() {
    filling_ = true;
    candidates_->setRowCount(static_cast<int>(outcome_.candidates.size()));
    for (int r = 0; r < candidates_->rowCount(); ++r) {
        const DesignCandidate& c = outcome_.candidates[r];
        QStringList cells{c.label};
        if (c.section) {
            const DesignedSection& s = *c.section;
            cells << Number(s.bottomWidth, 3) << Number(s.depth, 3) << Number(s.ratio, 3)
                  << Number(s.area, 3) << Number(s.velocity, 3) << c.limits;
        } else {
            cells << c.reason;
        }
        for (int column = 0; column < candidates_->columnCount(); ++column) {
            auto* item = new QTableWidgetItem(column < cells.size() ? cells[column] : QString());
            candidates_->setItem(r, column, item);
        }
    }
    if (!outcome_.candidates.isEmpty())
        candidates_->selectRow(std::min(form_.chosen, candidates_->rowCount() - 1));
    filling_ = false;
}

void SectionDesignWindow::Adopt() {
    const auto adoption = AdoptionFor(document_.Table(), row_, form_);
    if (!adoption.ok()) {
        reason_->setText(adoption.reason());
        return;
    }
    document_.AdoptSectionDesign(adoption.value());
    // The form stays as it is, but for the row's width and depth, which the
    // adoption and its calculation wrote.
    const SectionDesignForm row = FormForRow(document_.Table(), row_);
    for (const DesignField field : {DesignField::kBottomWidth, DesignField::kDepth})
        edits_[static_cast<int>(field)]->setText(row.Text(field));
    ReadControls();
}

}  // namespace channel
