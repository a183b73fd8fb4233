// help_check PAGES_FOLDER ICON_LIST: run by the build before the help pages are compiled in; it
// prints every fault of the help and fails when there is one.

#include "PageCheck.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  QTextStream err(stderr);
  if (arguments.size() != 3) {
    err << "usage: help_check PAGES_FOLDER ICON_LIST\n";
    return 64;
  }
  const QStringList faults = Common::CheckHelpPages(arguments.at(1), arguments.at(2));
  for (const QString& fault : faults) err << "help: " << fault << '\n';
  if (!faults.isEmpty()) err << "help: " << faults.size() << " faults in " << arguments.at(1) << '\n';
  return faults.isEmpty() ? 0 : 1;
}
