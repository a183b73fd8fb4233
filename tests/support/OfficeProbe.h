#pragma once

#include <QString>

namespace testsupport {

// LibreOffice as a test's outside reader, when it can do the job: installed with the component
// that reads the file ("draw" reads metafiles, "writer" reads RTF), which registers its filters in
// share/registry/<component>.xcd beside the program folder. An installation of the core alone
// cannot load such a file at all.
struct OfficeProbe {
  QString program;  // empty when it cannot do the job
  QString whyNot;   // then: why, for the test's skip message
};
OfficeProbe FindOfficeWith(const QString& component);

}  // namespace testsupport
