// Packing and unpacking throughput on project-file text: made-up records, and the generated
// project of 10,000 tasks and 200 resources (the file of the timed pxtool runs).

#include "Bundle.h"
#include "Common.h"
#include "Packer.h"
#include "Pool.h"
#include "ProjectGenerator.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <random>

namespace {

// About `size` bytes of project-file text: projects of tasks with their fields, dependencies
// and assignments, the way the program writes them.
QByteArray RecordText(qsizetype size) {
  static const char* const kWords[] = {"Pour", "the", "deck", "Frame", "walls", "Install", "roof", "trusses",
                                       "Inspect", "wiring", "Paint", "trim", "Order", "windows", "Grade", "site",
                                       "Lay", "foundation", "Hang", "drywall", "Plumb", "kitchen", "Tile", "bath"};
  std::mt19937 random(1);
  const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
  QByteArray text;
  text.reserve(size + 4096);
  for (int project = 1; text.size() < size; ++project) {
    const QByteArray name = "\"House " + QByteArray::number(project) + "\"";
    text += "PROJECT\r\n  ProjectName," + name + "\r\n  Start,03/01/1999 08:00am\r\n  Template,\"Crew\"\r\n";
    for (int id = 1; id <= 400 && text.size() < size; ++id) {
      text += "TASK\r\n  TaskID," + QByteArray::number(id) + "\r\n  Description,\"";
      for (int word = 0, words = 2 + pick(3); word < words; ++word)
        text += QByteArray(word ? " " : "") + kWords[pick(24)];
      text += "\"\r\n  Effort," + QByteArray::number(pick(400) / 4.0) + "\r\n  EffortUnits," +
              QByteArray::number(pick(3)) + "\r\n  EarlyStart,0" + QByteArray::number(1 + pick(9)) + "/" +
              QByteArray::number(10 + pick(18)) + "/1999 0" + QByteArray::number(1 + pick(9)) + ":00am\r\n";
      if (id > 1) {
        text += "DEPENDENCY\r\n  Predecessor," + name + "," + QByteArray::number(1 + pick(id - 1)) +
                "\r\n  Lag," + QByteArray::number(pick(5)) + "\r\n";
      }
      text += "ASSIGNMENT\r\n  Resource,\"Crew\"," + QByteArray::number(1 + pick(12)) + "\r\n  Units," +
              QByteArray::number(25 * (1 + pick(4))) + "\r\n";
    }
  }
  return text;
}

const QByteArray& Text() {
  static const QByteArray text = RecordText(10 * 1024 * 1024);
  return text;
}

// The text of the generated project's file, as saved.
QByteArray GeneratedProjectText() {
  Common::FreeAllMemory();
  generator::WorkloadSize size;
  size.tasks = 10000;
  size.resources = 200;
  generator::GenerateWorkload(size);
  const QString path = QDir::tempPath() + QStringLiteral("/praxel-pack-bench.pxa");
  QByteArray text;
  if (Bundle::SaveAll(path)) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) text = file.readAll();
  }
  QFile::remove(path);
  Common::FreeAllMemory();
  return text;
}

const QByteArray& ProjectText() {
  static const QByteArray text = GeneratedProjectText();
  return text;
}

void Pack(benchmark::State& state, const QByteArray& text) {
  if (text.isEmpty()) state.SkipWithError("no text to pack");
  qsizetype packedSize = 0;
  for (auto _ : state) {
    const QByteArray packed = Packing::PackBytes(text);
    packedSize = packed.size();
    benchmark::DoNotOptimize(packed.data());
  }
  state.SetBytesProcessed(state.iterations() * text.size());
  state.counters["ratio"] = static_cast<double>(packedSize) / static_cast<double>(std::max<qsizetype>(text.size(), 1));
}

void Unpack(benchmark::State& state, const QByteArray& text) {
  const QByteArray packed = Packing::PackBytes(text);
  for (auto _ : state) {
    const Packing::Unpacked unpacked = Packing::UnpackBytes(packed);
    if (unpacked.data.size() != text.size()) state.SkipWithError("the unpacked text differs");
    benchmark::DoNotOptimize(unpacked.data.data());
  }
  state.SetBytesProcessed(state.iterations() * text.size());
}

void BM_PackRecordText(benchmark::State& state) { Pack(state, Text()); }
void BM_UnpackRecordText(benchmark::State& state) { Unpack(state, Text()); }
void BM_PackGeneratedProject(benchmark::State& state) { Pack(state, ProjectText()); }
void BM_UnpackGeneratedProject(benchmark::State& state) { Unpack(state, ProjectText()); }

BENCHMARK(BM_PackRecordText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpackRecordText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackGeneratedProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpackGeneratedProject)->Unit(benchmark::kMillisecond);

}  // namespace
