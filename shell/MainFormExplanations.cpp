// What a click on the solver's panel explains after a solve stopped on an error, by the first
// word of its message: dangling tasks (offering a dummy task that ties them together), journals
// out of step across projects (offering to switch or add the journal), a task without a to-start
// dependency (offering a start-to-start dependency). Each repair asks for a new solve.

#include "MainForm.h"

#include "Common.h"
#include "Forms.h"
#include "Guard.h"
#include "Pool.h"
#include "ProjectTreeForm.h"
#include "Prompter.h"
#include "ShortDate.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"
#include "Ytemplate.h"

namespace {

constexpr int kDanglingListed = 10;

}  // namespace

void MainForm::HandleDanglingTask() {
  ErrTrap::Guarded(QStringLiteral("Main:HandleDanglingTask"), [&] {
    const QList<Yslice*>& dangling = Solve::DanglingList();
    if (dangling.isEmpty() || dangling.first()->Task == nullptr) return;
    Yproject* project = dangling.first()->Task->Project()->Master();
    const qsizetype count = dangling.size();
    QString text = QStringLiteral(
        "A dangling task is one whose end is not required by any other task.  Each project should have exactly one "
        "dangling task.\n\nThe project ");
    text += project->BuildNodeText() + QStringLiteral(" has ") + QString::number(count);
    if (count > kDanglingListed) text += QStringLiteral(" (only the first 10 are listed)");
    text += QStringLiteral(":\n");
    for (qsizetype index = 0; index < qMin<qsizetype>(count, kDanglingListed); ++index) {
      text += QStringLiteral("\n  ") + dangling.at(index)->BuildNodeText();
    }
    text += QStringLiteral("\n\nDo you want to create a dummy task to tie all of the dangling tasks together?");
    if (praxel::CurrentPrompter().MsgBox(text, praxel::MsgYesNo | praxel::MsgQuestion,
                                         QStringLiteral("Okay to Create Dummy Task?")) == praxel::AnswerYes) {
      GenerateDummy(project);
    }
  });
}

void MainForm::GenerateDummy(Yproject* project) {
  ErrTrap::Guarded(QStringLiteral("Main:GenerateDummy"), [&] {
    auto* dummy = Common::NewY<Ytask>(ytTask);
    dummy->SetProject(project);
    dummy->SetTaskID(project->HighestTaskID() + 1);
    dummy->Description = QStringLiteral("Computer-generated dummy");
    // The dummy waits for the finish of every dangling task, listed or not, and becomes the
    // project's one dangling task.
    for (const Yslice* slice : Solve::DanglingList()) {
      auto* dependency = Common::NewY<Ydependency>(ytDependency);
      dependency->SetTask(dummy);
      dependency->SetTaskRequired(slice->Task);
    }
    project->SetDirty(true);
    // The tree is built again, with the new task.
    if (Forms::IsRegistered(QStringLiteral("ProjectTreeForm"))) Forms::StartForm(QStringLiteral("ProjectTreeForm"), "Start");
  });
}

void MainForm::ExplainJournalSync() {
  ErrTrap::Guarded(QStringLiteral("Main:ExplainJournalSync"), [&] {
    // The journals follow the active project, or the active template when no project is active.
    JournalHolder* active = ActiveJournals();
    if (active == nullptr) return;
    const bool activeIsProject = Common::ThisProject() != nullptr;
    const QString nameA = activeIsProject ? Common::ThisProject()->BuildNodeText()
                                          : Common::ThisTemplate()->BuildNodeText();
    const double dateA = active->Journal();
    Yproject* other = nullptr;
    for (Yproject* project : Common::Projects()) {
      if (project->Journal() != dateA) {
        other = project;
        break;
      }
    }
    // The journals agree by now: solving again is all there is to do.
    if (other == nullptr) {
      Solve::RestartSolve();
      return;
    }
    const bool found = other->JournalDefined(dateA);
    const QString textA = praxel::ShortDateText(dateA);
    const QString nameP = other->BuildNodeText();
    const double dateP = other->Journal();
    const QString textP = praxel::ShortDateText(dateP);
    QString text = QStringLiteral(
        "The current journal of all projects in memory must match prior to solving.  This is because a change in one "
        "project may change resource availability which may in turn cause a different project to get a different "
        "solution.\n\n");
    text += (activeIsProject ? QStringLiteral("The active project is ") : QStringLiteral("The active template is ")) +
            nameA + QStringLiteral(" and its current journal is ") + textA + QStringLiteral(".\n\n");
    text += QStringLiteral("The project ") + nameP + (found ? QStringLiteral(" has") : QStringLiteral(" does not have")) +
            QStringLiteral(" a journal for ") + textA + (found ? QStringLiteral(", but ") : QStringLiteral(", and ")) +
            QStringLiteral("its current journal set to ") + textP + QStringLiteral(".\n\n");
    if (dateP > dateA) {
      text += (activeIsProject ? QStringLiteral("You may wish to change the active project from ") + nameA +
                                     QStringLiteral(" to ") + nameP + QStringLiteral(".  This will give you the opportunity to create a journal of ") +
                                     textP + QStringLiteral(" for project ") + nameA
                               : QStringLiteral("You may wish to make ") + nameP +
                                     QStringLiteral(" the active project.  This will give you the opportunity to create a journal of ") +
                                     textP + QStringLiteral(" for template ") + nameA) +
              QStringLiteral(".\n\n");
    }
    text += QStringLiteral("If you continue, PRAXEL will ");
    text += found ? QStringLiteral("change the current journal for project ") + nameP + QStringLiteral(" to ") + textA +
                        QStringLiteral(".")
                  : QStringLiteral("add a journal of ") + textA + QStringLiteral(" to project ") + nameP +
                        QStringLiteral(" and set it as the current journal.");
    text += QStringLiteral("\n\nDo you wish to continue?");
    const QString title = QStringLiteral("Confirm ") + (found ? QStringLiteral("Change") : QStringLiteral("Add")) +
                          QStringLiteral(" Journal");
    if (praxel::CurrentPrompter().MsgBox(text, praxel::MsgYesNo | praxel::MsgQuestion, title) != praxel::AnswerYes) {
      return;
    }
    if (found) {
      other->SetJournal(dateA);
    } else {
      other->AddJournal(dateA);
    }
    Solve::RestartSolve();
  });
}

void MainForm::HandleMissingDep() {
  ErrTrap::Guarded(QStringLiteral("Main:HandleMissingDep"), [&] {
    auto* task = dynamic_cast<Ytask*>(Solve::SolveErrorObject());
    if (task == nullptr || task->Project() == nullptr) return;
    SelectSolveErrorObject();
    Ytask* required = nullptr;
    for (const Ydependency* dependency : task->DependencyList) {
      if (!dependency->Include()) continue;
      required = dependency->TaskRequired();
      break;
    }
    const QString text = QStringLiteral("The task ") + task->BuildNodeText() +
                         QStringLiteral(" has no to-start dependencies.  Each task must have at least one to-start "
                                        "dependency.");
    if (required == nullptr) {
      praxel::CurrentPrompter().MsgBox(text, praxel::MsgInformation, QStringLiteral("No Dependencies"));
      return;
    }
    if (praxel::CurrentPrompter().MsgBox(
            text + QStringLiteral("\n\nDo you want to add a start-to-start dependency from ") +
                required->BuildNodeText() + QStringLiteral("?"),
            praxel::MsgYesNo | praxel::MsgQuestion, QStringLiteral("Confirm Add Start-To-Start")) != praxel::AnswerYes) {
      return;
    }
    auto* dependency = Common::NewY<Ydependency>(ytDependency);
    dependency->SetTask(task);
    dependency->SetFromPercent(0);
    dependency->SetTaskRequired(required);
    task->Project()->SetDirty(true);
    Common::RebuildTaskInTree(task);
  });
}
