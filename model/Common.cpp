#include "Common.h"

#include "Guard.h"
#include "Pool.h"
#include "Prompter.h"
#include "SolveState.h"
#include "Yproject.h"
#include "Ytemplate.h"

namespace Common {

namespace {

struct Loaded {
  KeyedList<Yproject> projects;
  KeyedList<Ytemplate> templates;
  Yproject* thisProject = nullptr;
  Ytemplate* thisTemplate = nullptr;
};

Loaded& State() {
  static Loaded loaded;
  return loaded;
}

}  // namespace

KeyedList<Yproject>& Projects() { return State().projects; }
KeyedList<Ytemplate>& Templates() { return State().templates; }
Yproject* ThisProject() { return State().thisProject; }
Ytemplate* ThisTemplate() { return State().thisTemplate; }
void SetThisProject(Yproject* project) { State().thisProject = project; }
void SetThisTemplate(Ytemplate* templ) { State().thisTemplate = templ; }

Yproject* FindOrCreateProject(const QString& Name) {
  Yproject* project = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:FindOrCreateProject"), [&] {
    if (Name.isEmpty()) return;
    project = Projects().Find(Name);
    if (project != nullptr) return;
    project = NewY<Yproject>(ytProject);
    project->SetProjectName(Name);
    project->Description = QStringLiteral("<stub>");
  });
  return project;
}

Ytemplate* FindOrCreateTemplate(const QString& Name) {
  Ytemplate* templ = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:FindOrCreateTemplate"), [&] {
    if (Name.isEmpty()) return;
    templ = Templates().Find(Name);
    if (templ != nullptr) return;
    templ = NewY<Ytemplate>(ytTemplate);
    templ->SetTemplateName(Name);
    templ->SetPath(QStringLiteral("<stub>"));
  });
  return templ;
}

void FixNameConflict(QString& Name) {
  ErrTrap::Guarded(QStringLiteral("Common:FixNameConflict"), [&] {
    const qsizetype size = Name.size();
    if (size < 3 || Name.at(size - 1) != QLatin1Char(')') || Name.at(size - 3) != QLatin1Char('(')) {
      Name += QStringLiteral("(A)");
    }
    QChar& suffix = Name[Name.size() - 2];
    suffix = QChar(static_cast<char16_t>(suffix.unicode() + 1));
  });
}

void WarnNotInMemory(bool IsTemplate) {
  ErrTrap::Guarded(QStringLiteral("Common:WarnNotInMemory"), [&] {
    const QString Kind = IsTemplate ? QStringLiteral("Template") : QStringLiteral("Project");
    const QString kind = Kind.toLower();
    praxel::CurrentPrompter().MsgBox(
        QStringLiteral("There are no %1s loaded in memory.\n\nPlease use the File menu to Open a file containing one or "
                       "more %1s, or use the %2 menu to create a New one.")
            .arg(kind, Kind),
        praxel::MsgExclamation, QStringLiteral("No %1s in Memory").arg(Kind));
  });
}

bool ThisThingSet(bool IsTemplate) {
  const bool set = IsTemplate ? ThisTemplate() != nullptr : ThisProject() != nullptr;
  if (!set) WarnNotInMemory(IsTemplate);
  return set;
}

bool ThisProjectSet() { return ThisThingSet(false); }

bool ThisTemplateSet() { return ThisThingSet(true); }

bool ThisProjectSolved() {
  bool solved = false;
  ErrTrap::Guarded(QStringLiteral("Common:ThisProjectSolved [Property Get]"), [&] {
    if (!ThisProjectSet()) return;
    switch (Solve::SolveMode()) {
      case 0: solved = true; break;
      case 2:
        praxel::CurrentPrompter().MsgBox(
            QStringLiteral("The requested operation cannot be performed until the error in solve is corrected."),
            praxel::MsgExclamation, QStringLiteral("Solve Error"));
        break;
      default:
        praxel::CurrentPrompter().MsgBox(
            QStringLiteral("The requested operation cannot be performed until the background solve is complete."),
            praxel::MsgExclamation, QStringLiteral("Waiting For Solve To Complete"));
        break;
    }
  });
  return solved;
}

}  // namespace Common
