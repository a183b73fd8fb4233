// praxel_bench_project OUT [TASKS [RESOURCES]]: writes the generated set of projects (10,000
// tasks and 200 resources unless told) to OUT, the kind by its extension, for the timed runs of
// pxtool (bench/pxtool_bench.sh).

#include "Bundle.h"
#include "ProjectGenerator.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = app.arguments().mid(1);
  QTextStream err(stderr);
  if (arguments.isEmpty() || arguments.size() > 3) {
    err << "usage: praxel_bench_project OUT [TASKS [RESOURCES]]\n";
    return 64;
  }
  generator::WorkloadSize size;
  size.tasks = arguments.size() > 1 ? arguments[1].toInt() : 10000;
  size.resources = arguments.size() > 2 ? arguments[2].toInt() : size.tasks / 50;
  if (size.tasks <= 0 || size.resources <= 0) {
    err << "praxel_bench_project: the tasks and resources are positive numbers\n";
    return 64;
  }
  generator::GenerateWorkload(size);
  if (!Bundle::SaveAll(arguments[0])) {
    err << "praxel_bench_project: cannot write " << arguments[0] << "\n";
    return 3;
  }
  return 0;
}
