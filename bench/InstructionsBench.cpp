// Cost of opening the instructions: reading and decoding the file, and
// showing it in the window. The goal: any file, a 2 GB one included, opens
// within a UI frame or two, because at most the first megabyte is read; and
// the window lays it out in well under a second whatever its lines, because
// over-long lines are broken. BM_ShowUnbrokenLine is the window as it was
// before the breaking (the decoded text given to the box as it stands), for
// comparison.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "app/core/InstructionsText.h"
#include "app/widgets/InstructionsWindow.h"

namespace channel {

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes,
                  qint64 size) {
    QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    file.write(bytes);
    file.resize(size);
    return path;
}

QString ChineseText(qint64 bytes) {
    const QString line = QStringLiteral("梯形渠道水力计算：底宽、边坡、糙率、纵坡。\n");
    return line.repeated(bytes / line.toUtf8().size() + 1);
}

void Load(benchmark::State& state, const QString& path) {
    qsizetype characters = 0;
    for (auto _ : state) {
        characters = LoadInstructionsText(path).size();
        benchmark::DoNotOptimize(characters);
    }
    state.counters["characters"] = static_cast<double>(characters);
}

// Sparse: no disk is spent on it.
void BM_LoadTwoGigabyteFile(benchmark::State& state) {
    QTemporaryDir dir;
    Load(state, WriteFile(dir, "huge.txt", ChineseText(4096).toUtf8(), qint64(2) << 30));
}
BENCHMARK(BM_LoadTwoGigabyteFile)->Unit(benchmark::kMillisecond);

void BM_LoadOneMegabyteUtf8(benchmark::State& state) {
    QTemporaryDir dir;
    const QByteArray bytes = ChineseText(kMaxInstructionsBytes).toUtf8();
    Load(state, WriteFile(dir, "utf8.txt", bytes, bytes.size()));
}
BENCHMARK(BM_LoadOneMegabyteUtf8)->Unit(benchmark::kMillisecond);

void BM_LoadOneMegabyteGbk(benchmark::State& state) {
    QTemporaryDir dir;
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(ChineseText(kMaxInstructionsBytes));
    Load(state, WriteFile(dir, "gbk.txt", bytes, bytes.size()));
}
BENCHMARK(BM_LoadOneMegabyteGbk)->Unit(benchmark::kMillisecond);

// One line without a break, as a hostile or broken file has it.
QString OneLineFile(const QTemporaryDir& dir, qint64 characters) {
    return WriteFile(dir, "line.txt", QByteArray(characters, 'x'), characters);
}

// The window as the user opens it: made, laid out and painted once.
void BM_ShowWindow(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = state.range(0) > 0 ? OneLineFile(dir, state.range(0))
                                            : WriteFile(dir, "huge.txt", {}, qint64(2) << 30);
    for (auto _ : state) {
        InstructionsWindow window(path);
        benchmark::DoNotOptimize(window.grab());
    }
}
// 0: a 2 GB sparse file (its first megabyte is NUL bytes, one line of marks).
BENCHMARK(BM_ShowWindow)
    ->Arg(100'000)
    ->Arg(400'000)
    ->Arg(1'000'000)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

void BM_ShowUnbrokenLine(benchmark::State& state) {
    const QString text(state.range(0), u'x');
    for (auto _ : state) {
        QPlainTextEdit box;
        box.setFixedSize(384, 304);
        box.setPlainText(text);
        benchmark::DoNotOptimize(box.grab());
    }
}
BENCHMARK(BM_ShowUnbrokenLine)->Arg(100'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace channel
