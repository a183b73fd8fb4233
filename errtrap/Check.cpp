#include "Check.h"

#include "ErrTrap.h"
#include "RuntimeError.h"

#include <QString>

namespace ErrTrap {

namespace {

// The source file as the compiler named it, less the source tree's folder.
QString SourceFile(const char* file) {
  QString path = QString::fromUtf8(file);
  const QString tree = QStringLiteral(PRAXEL_SOURCE_DIR "/");
  if (path.startsWith(tree)) path.remove(0, tree.size());
  return path;
}

}  // namespace

void AssertionFailed(const char* condition, const char* reason, const char* file, int line) {
  LogError(QStringLiteral("Assertion \"%1\" failed in %2, line %3: %4")
               .arg(QString::fromUtf8(condition), SourceFile(file))
               .arg(line)
               .arg(QString::fromUtf8(reason)),
           QString(), 0);
  praxel::RaiseAssertion();
}

}  // namespace ErrTrap
