#include "ProjectFile.h"

#include "Bundle.h"
#include "Command.h"
#include "Common.h"
#include "ErrTrap.h"
#include "Streams.h"
#include "ToolPrompter.h"
#include "Transfer.h"

namespace pxtool {

int LoadProjectFile(const QString& path, const ToolPrompter& prompter) {
  Bundle::FirstRecords first;
  bool read = false;
  try {
    if (Transfer::IsMSProjectXml(path)) {
      read = Transfer::ImportMSProject(path);
      first.project = Common::ThisProject();
      first.templ = Common::ThisTemplate();
    } else if (Transfer::IsBinaryMSProject(path)) {
      Transfer::BinaryFileMessage(path);
    } else {
      read = Bundle::OpenBundle(path, &first);
    }
  } catch (const ErrTrap::CallChain&) {
    read = false;
  }
  if (!read) {
    PrintError(prompter.FirstMessage().isEmpty() ? QStringLiteral("cannot read ") + path : prompter.FirstMessage());
    return kExitUnreadable;
  }
  Common::SetThisTemplate(first.templ);
  Common::SetThisProject(first.project);
  return kExitSuccess;
}

}  // namespace pxtool
