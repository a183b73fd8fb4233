#include "Bundle.h"
#include "Command.h"
#include "ProjectFile.h"
#include "ErrTrap.h"
#include "Streams.h"
#include "ToolPrompter.h"
#include "Transfer.h"

namespace pxtool {

// pxtool resave IN OUT: loads a project file through the model and saves everything with
// SaveAll, the kind of each file by its extension. A Microsoft Project XML file is imported on
// the way in and exported (the first project and template) on the way out.
int RunResave(const QStringList& arguments) {
  if (arguments.size() != 2) return kExitWrongCall;
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
