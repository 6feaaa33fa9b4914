// Cost of one repaint of the elements table with one long text in a cell.
// The view shows a bounded beginning of the text, so a repaint costs the same
// whatever the text's length. BM_RepaintWholeText paints the whole text in
// the same cell with the same delegate, as the view did before, for
// comparison.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardItemModel>

#include "app/core/TableSetUp.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"
#include "table/widgets/NumericEditor.h"
#include "table/widgets/TableControl.h"

namespace channel {

namespace {

namespace layout = elements_table;

void Repaint(benchmark::State& state, QAbstractItemView& view) {
    view.resize(800, 300);
    for (auto _ : state) benchmark::DoNotOptimize(view.grab());
}

void BM_RepaintTable(benchmark::State& state) {
    ElementsTable table(layout::kRows, layout::kColumns, layout::kFixedRows, layout::kFixedColumns);
    SetUpElementsTable(table);
    table.SetCellText(2, layout::kBottomWidthColumn, QString(state.range(0), u'宽'));
    TableControl view(&table);
    Repaint(state, view);
}
BENCHMARK(BM_RepaintTable)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_RepaintWholeText(benchmark::State& state) {
    QStandardItemModel model(layout::kRows, layout::kColumns);
    model.setItem(2, layout::kBottomWidthColumn, new QStandardItem(QString(state.range(0), u'宽')));
    QTableView view;
    view.setModel(&model);
    view.setItemDelegate(new TableCellDelegate(&view));
    Repaint(state, view);
}
BENCHMARK(BM_RepaintWholeText)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace channel
