#include "Bundle.h"

#include "Common.h"
#include "Guard.h"
#include "PooledFile.h"
#include "Records.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QSet>

namespace Bundle {

namespace {

// Writes every template and project to the file as one step of the caller's guard; True when
// the file is in place.
bool WriteAll(const QString& Path, ErrTrap::Guard& guard) {
  bool saved = false;
  PooledFile pooled(Path);
  Yfile& file = *pooled;
  guard([&] {
    if (!file.OpenWrite()) return;
    Ytemplate* activeTemplate = Common::ThisTemplate();
    Yproject* activeProject = Common::ThisProject();
    if (activeTemplate != nullptr) SaveData(*activeTemplate, file);
    for (const Ytemplate* templ : Common::Templates()) {
      if (templ != activeTemplate) SaveData(*templ, file);
    }
    if (activeProject != nullptr) SaveData(*activeProject, file);
    for (const Yproject* project : Common::Projects()) {
      if (project != activeProject) SaveData(*project, file);
    }
    file.CloseFile();
    saved = file.Written();
  });
  return saved;
}

}  // namespace

bool SaveAll(const QString& Path) {
  ErrTrap::Guard guard(QStringLiteral("Main:SaveAll"));
  const bool saved = WriteAll(Path, guard);
  if (saved) {
    guard([&] {
      for (Ytemplate* templ : Common::Templates()) templ->SetDirty(false);
      for (Yproject* project : Common::Projects()) project->SetDirty(false);
    });
  }
  return saved;
}

bool SaveCopy(const QString& Path) {
  ErrTrap::Guard guard(QStringLiteral("Main:SaveCopy"));
  return WriteAll(Path, guard);
}

bool OpenBundle(const QString& Path, FirstRecords* first, const std::function<void()>& whileReading) {
  bool read = false;
  const int failuresBefore = ErrTrap::FailuresAsked();
  ErrTrap::Guard guard(QStringLiteral("Main:OpenBundle"));
  PooledFile pooled(Path);
  Yfile& file = *pooled;
  guard([&] {
    file.SetProgressHook(whileReading);
    if (!file.OpenRead()) return;
    // The projects loaded before this file, but for placeholders that only links have named.
    // Merging one of them again would give its tasks every dependency and assignment twice.
    QSet<const Yproject*> loadedBefore;
    for (const Yproject* project : Common::Projects()) {
      if (project->NumJournals > 0) loadedBefore.insert(project);
    }
    for (QString keyword = file.ReadToken(); !keyword.isEmpty(); keyword = file.ReadToken()) {
      if (keyword == QLatin1String("PROJECT")) {
        QString name;
        file.LoadField(QStringLiteral("ProjectName"), name);
        // A project is found by its name: without one there is no project to read into.
        if (name.isEmpty()) file.RaiseReadError(QStringLiteral("\"ProjectName\" cannot be empty."));
        Yproject* project = Common::FindOrCreateProject(name);
        if (loadedBefore.contains(project)) {
          file.RaiseReadError(QStringLiteral("project \"%1\" is loaded already. Delete it first, or open the file "
                                             "with nothing loaded.")
                                  .arg(project->ProjectName()));
        }
        file.ClaimRecord(project, [&] { return QStringLiteral("Project \"%1\"").arg(name); });
        Common::Projects().MoveToEnd(project);
        if (first != nullptr && first->project == nullptr) first->project = project;
        LoadData(*project, file);
      } else if (keyword == QLatin1String("TEMPLATE")) {
        QString name;
        file.LoadField(QStringLiteral("TemplateName"), name);
        if (name.isEmpty()) file.RaiseReadError(QStringLiteral("\"TemplateName\" cannot be empty."));
        Ytemplate* templ = Common::FindOrCreateTemplate(name);
        file.ClaimRecord(templ, [&] { return QStringLiteral("Template \"%1\"").arg(name); });
        Common::Templates().MoveToEnd(templ);
        if (first != nullptr && first->templ == nullptr) first->templ = templ;
        LoadData(*templ, file);
      } else {
        file.RaiseReadError(QStringLiteral("read \"") + Yfile::Excerpt(keyword) +
                            QStringLiteral("\" when expecting \"PROJECT\" or \"TEMPLATE\""));
      }
    }
    file.CloseFile();
    // A failure the user answered with Ignore leaves the file read in part.
    read = ErrTrap::FailuresAsked() == failuresBefore;
  });
  return read;
}

QString RecoverPath(const QString& path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  return slash < 0 ? QString() : path.left(slash + 1);
}

}  // namespace Bundle
