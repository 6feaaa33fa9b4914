// Times the section-details window (断面详情): opening it (built, shown and
// painted) and refreshing it after a row change (rebuilt and painted), each
// beside its frame budget (16 ms to open, 8 ms to refresh) and beside the
// values drawn as rich text in one word-wrapped label, the way the window
// drew them before, measured in the same run. Medians of RUNS (default 41)
// in turns; run with QT_QPA_PLATFORM=offscreen (bench/section-details.sh).

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLibrary>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "app/core/SectionDetails.h"
#include "app/widgets/DetailsValuesPanel.h"
#include "app/widgets/SectionDetailsModule.h"
#include "app/widgets/SectionDetailsWindow.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"
#include "table/clipboard/Clipboard.h"

using namespace channel;

namespace {

class NoClipboard : public Clipboard {
  public:
    QString Text() const override { return {}; }
    void SetText(const QString&) override {}
    void SetTextAndHtml(const QString&, const QString&) override {}
};

// The values as the window used to render them.
QString RichText(const SectionDetails& details) {
    QString html;
    if (details.HasRow()) html = QStringLiteral("<p><b>第 %1 行</b></p>").arg(details.row);
    if (!details.reason.isEmpty())
        html +=
            QStringLiteral("<p style='color:#b02020'>%1</p>").arg(details.reason.toHtmlEscaped());
    html += QStringLiteral("<table cellspacing='0' cellpadding='2'>");
    for (const SectionDetails::Value& value : details.values) {
        if (value.IsHeading()) {
            html +=
                QStringLiteral("<tr><td colspan='4' style='padding-top:6px'><b>%1</b></td></tr>")
                    .arg(value.name.toHtmlEscaped());
            continue;
        }
        html += QStringLiteral(
                    "<tr><td>%1</td><td>&nbsp;<i>%2</i></td>"
                    "<td align='right'>&nbsp;&nbsp;%3</td><td>&nbsp;%4</td></tr>")
                    .arg(value.name.toHtmlEscaped(), value.symbol.toHtmlEscaped(),
                         value.number.toHtmlEscaped(), value.unit.toHtmlEscaped());
    }
    return html + QStringLiteral("</table><p style='color:gray'>Ctrl+C 复制数值</p>");
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// This thread's CPU time, so that the other processes on a busy machine
// count less; printed beside the wall-clock time.
double CpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Wall-clock and CPU milliseconds since Restart.
class Stopwatch {
  public:
    void Restart() {
        wall_.restart();
        cpu_ = CpuMilliseconds();
    }
    void Record(std::vector<double>& wall, std::vector<double>& cpu) const {
        wall.push_back(static_cast<double>(wall_.nsecsElapsed()) / 1e6);
        cpu.push_back(CpuMilliseconds() - cpu_);
    }

  private:
    QElapsedTimer wall_;
    double cpu_ = 0;
};

void Print(const char* what, const std::vector<double>& wall, const std::vector<double>& cpu,
           const char* reference) {
    std::printf("%-44s wall %6.2f ms, cpu %6.2f ms   %s\n", what, Median(wall), Median(cpu),
                reference);
}

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

void FillRow(ElementsTable& table, int row, const char* b, const char* m, const char* n,
             const char* i, const char* q) {
    using namespace elements_table;
    table.SetCellText(row, kBottomWidthColumn, b);
    table.SetCellText(row, kSideSlopeColumn, m);
    table.SetCellText(row, kRoughnessColumn, n);
    table.SetCellText(row, kBedSlopeColumn, i);
    table.SetCellText(row, kDischargeColumn, q);
}

double LoadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

}  // namespace

int main(int argc, char** argv) {
    // The offscreen platform's notes on every window would bury the figures.
    qInstallMessageHandler(Quiet);
    QApplication application(argc, argv);
    const int runs = qEnvironmentVariableIsSet("RUNS") ? qEnvironmentVariableIntValue("RUNS") : 41;
    using namespace elements_table;
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    FillRow(table, 2, "2", "1.5", "0.025", "0.0005", "2");
    FillRow(table, 3, "6.1", "1.5", "0.013", "0.0008", "126");
    table.SetCurrentCell(2, kDepthColumn);
    NoClipboard clipboard;

    // The first window of the process comes from the module: it pays once
    // for loading the module with Qt Charts and OpenGL and for the first use
    // of the chart classes and fonts, in a process where nothing else has
    // warmed them; shown on its own line. The program pays this at idle, a
    // second after start (bench/first-f4.sh times its first F4).
    Stopwatch watch;
    std::vector<double> firstWall, firstCpu;
    watch.Restart();
    QLibrary module(QStringLiteral(CHANNEL_SECTION_DETAILS_MODULE));
    using Make = QWidget* (*)(ElementsTable&, Clipboard&, QWidget*);
    const auto make = reinterpret_cast<Make>(module.resolve(kMakeSectionDetailsSymbol));
    if (make == nullptr) {
        std::fprintf(stderr, "cannot open the module: %s\n", qPrintable(module.errorString()));
        return 1;
    }
    QWidget* first = make(table, clipboard, nullptr);
    first->show();
    first->repaint();
    watch.Record(firstWall, firstCpu);
    delete first;

    std::vector<double> openWall, openCpu, refreshWall, refreshCpu, panelWall, panelCpu, richWall,
        richCpu;
    QWidget richHost;
    richHost.resize(300, 560);
    auto* label = new QLabel(&richHost);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setMinimumWidth(270);
    label->resize(300, 560);
    richHost.show();
    DetailsValuesPanel panelOnly;
    panelOnly.resize(300, 560);
    panelOnly.show();
    const SectionDetails details[] = {DescribeRow(table, 2), DescribeRow(table, 3)};

    // In turns: open a window, refresh it on the other row, close it; then
    // the values alone, as the grid and as rich text.
    for (int run = 0; run < runs; ++run) {
        table.SetCurrentCell(run % 2 ? 3 : 2, kDepthColumn);
        watch.Restart();
        auto* window = new SectionDetailsWindow(table, clipboard);
        window->show();
        window->repaint();
        watch.Record(openWall, openCpu);

        table.SetCurrentCell(run % 2 ? 2 : 3, kDepthColumn);
        watch.Restart();
        window->Refresh();
        window->repaint();
        watch.Record(refreshWall, refreshCpu);
        delete window;
        QApplication::processEvents();

        const SectionDetails& shown = details[run % 2];
        watch.Restart();
        panelOnly.Show(shown);
        panelOnly.adjustSize();
        panelOnly.repaint();
        watch.Record(panelWall, panelCpu);

        watch.Restart();
        label->setText(RichText(shown));
        label->adjustSize();
        richHost.repaint();
        watch.Record(richWall, richCpu);
    }
    std::printf("medians of %d runs in turns\n", runs);
    Print("first window, from the module, cold", firstWall, firstCpu, "(once)");
    Print("open (built, shown, painted)", openWall, openCpu, "budget 16 ms");
    Print("refresh on a row change (rebuilt, painted)", refreshWall, refreshCpu, "budget 8 ms");
    Print("values alone: plain labels in a grid", panelWall, panelCpu, "");
    Print("values alone: rich text in one label (before)", richWall, richCpu, "");
    std::printf("load average: %.2f\n", LoadAverage());
    return 0;
}
