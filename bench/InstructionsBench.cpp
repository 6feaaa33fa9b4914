// Cost of opening the instructions: reading and decoding the file. The goal:
// any file, a 2 GB one included, opens within a UI frame or two, because at
// most the first megabyte is read.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "app/core/InstructionsText.h"

namespace channel {

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes,
                  qint64 size) {
    const QString path = dir.filePath(name);
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

}  // namespace

}  // namespace channel
