// The journal commands: the status bar's journal list, Journal > New (also the toolbar's "Journal"
// button) and Set as plan. Journals move together: the projects under one master project are
// always on one journal date, and every loaded template follows the date of the active project's
// group.

#include "MainForm.h"

#include "Check.h"
#include "Common.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "Notifications.h"
#include "Prompter.h"
#include "ShortDate.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QApplication>
#include <QComboBox>

namespace {

// The loaded projects under the same master project as `project` (itself included).
QList<Yproject*> ProjectGroup(const Yproject* project) {
  QList<Yproject*> group;
  const Yproject* master = project->Master();
  for (Yproject* member : Common::Projects()) {
    if (member->Master() == master) group.append(member);
  }
  return group;
}

}  // namespace

void MainForm::BuildJournalCommands() {
  commands_.insert(QStringLiteral("JournalNewMenu"), [this] { JournalNewMenu_Click(); });
  commands_.insert(QStringLiteral("JournalSetAsPlanMenu"), [] { JournalSetAsPlanMenu_Click(); });
  // Journals are chosen in the status bar's list; the menu entry has nothing more to do.
  commands_.insert(QStringLiteral("JournalSelectMenu"), [] {});
  commands_.insert(QStringLiteral("JournalModifyMenu"), [] { Common::NotReadyYet(); });
  commands_.insert(QStringLiteral("JournalDeleteMenu"), [] { Common::NotReadyYet(); });
}

void MainForm::JournalCombo_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:JournalCombo_Click")), [&] {
    JournalHolder* journals = ActiveJournals();
    const int chosen = JournalCombo()->currentIndex();
    if (journals == nullptr || chosen < 0 || chosen >= journals->NumJournals) return;
    // The entry's own date, time of day included (the entry's text shows the date only).
    const double date = journals->JournalDates.at(chosen);
    if (date == journals->Journal()) return;
    if (Yproject* project = Common::ThisProject()) {
      for (Yproject* member : ProjectGroup(project)) member->SetJournal(date);
      for (Ytemplate* templ : Common::Templates()) templ->SetJournal(date);
    } else {
      journals->SetJournal(date);
    }
    Common::BroadcastNewJournal();
  });
}

void MainForm::JournalNewMenu_Click() {
  JournalHolder* target = ActiveJournals();
  if (target == nullptr) {
    Common::ThisProjectSet();
    return;
  }
  const double before = target->Journal();
  double date = 0;
  for (;;) {
    lastJournalAnswer_ = praxel::CurrentPrompter().InputBox(
        QStringLiteral("Please enter a new journal date:"), QStringLiteral("Enter New Journal Date"), lastJournalAnswer_);
    if (lastJournalAnswer_.isEmpty()) return;
    if (const std::optional<double> typed = praxel::ParseDateTime(lastJournalAnswer_)) {
      date = *typed;
      break;
    }
    QApplication::beep();
  }
  if (target->AddJournal(date)) {
    UpdateJournalCombo();
  } else if (before == date) {
    praxel::CurrentPrompter().MsgBox(
        QStringLiteral("The active journal has a date of ") + praxel::ShortDateText(date) + QStringLiteral("."),
        praxel::MsgExclamation, QStringLiteral("Journal Already Active"));
  } else {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("A journal with the date of ") + praxel::ShortDateText(date) +
                                         QStringLiteral(" already exists.  PRAXEL will now make that journal active."),
                                     praxel::MsgInformation, QStringLiteral("Journal Already Exists"));
    target->SetJournal(date);
    UpdateJournalCombo();
  }
  if (auto* project = dynamic_cast<Yproject*>(target)) {
    for (Yproject* member : ProjectGroup(project)) {
      if (member != project) member->AddJournal(date);
    }
  }
  for (Ytemplate* templ : Common::Templates()) templ->AddJournal(date);
  // Every window hears of the new journal, so that no view or list stays on the old one.
  if (date != before) Common::BroadcastNewJournal();
}

void MainForm::JournalSetAsPlanMenu_Click() {
  if (!Common::ThisProjectSet()) return;
  Yproject* project = Common::ThisProject();
  for (Yproject* member : ProjectGroup(project)) {
    if (member->Journal() != project->Journal()) {
      praxel::RaiseProgramError(QStringLiteral("Project.Journal (") + praxel::ShortDateText(member->Journal()) +
                                QStringLiteral(") <> ThisProject.Journal (") + praxel::ShortDateText(project->Journal()) +
                                QStringLiteral(")"));
    }
    member->PlanIndex = member->CurrentIndex;
  }
  Common::BroadcastNewJournal();
}
