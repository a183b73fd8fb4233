#include "Bundle.h"
#include "Command.h"
#include "ProjectFile.h"
#include "ErrTrap.h"
#include "Streams.h"
#include "ToolPrompter.h"
#include "Transfer.h"
#include "Yfile.h"

namespace pxtool {

// pxtool resave IN OUT: loads a project file through the model and saves everything with
// SaveAll, the kind of each file by its extension. A Microsoft Project XML file is imported on
// the way in and exported (the first project and template) on the way out.
int RunResave(const QStringList& arguments) {
  if (arguments.size() != 2) return kExitWrongCall;
  const int kind = Yfile::KindOfName(arguments[1]);
  if (kind != Yfile::KindPlainProject && kind != Yfile::KindPackedProject && !Transfer::IsMSProjectXml(arguments[1]) &&
      !Transfer::IsBinaryMSProject(arguments[1])) {
    PrintError(QStringLiteral("the kind of %1 is not known: a project file is saved as .pxa, .pxb or .xml")
                   .arg(arguments[1]));
    return kExitWrongCall;
  }
  ToolPrompter prompter;
  const int loaded = LoadProjectFile(arguments[0], prompter);
  if (loaded != kExitSuccess) return loaded;
  bool saved = false;
  try {
    const QString& out = arguments[1];
    if (Transfer::IsMSProjectXml(out)) {
      saved = Transfer::ExportToMSProject(out);
    } else if (Transfer::IsBinaryMSProject(out)) {
      Transfer::BinaryFileMessage(out);
    } else {
      saved = Bundle::SaveAll(out);
    }
  } catch (const ErrTrap::CallChain&) {
    saved = false;
  }
  if (!saved) {
    PrintError(prompter.FirstMessage().isEmpty() ? QStringLiteral("cannot write ") + arguments[1] : prompter.FirstMessage());
    return kExitUnwritable;
  }
  return kExitSuccess;
}

}  // namespace pxtool
