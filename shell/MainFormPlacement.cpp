// Placement of the child windows by their border style, and the lock that a dialog puts on the
// main window while it is open.

#include "MainForm.h"

#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "StatusPanels.h"

#include <QAction>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStringList>

namespace {

// The menus that stay usable while a printable window's dialog is open.
const QStringList kPrintMenus = {QStringLiteral("OutputMenu"),    QStringLiteral("OutputPrintMenu"),
                                 QStringLiteral("OutputCopyMenu"), QStringLiteral("SetupMenu"),
                                 QStringLiteral("SetupFontMenu"),  QStringLiteral("SetupPrinterMenu")};
const QStringList kPrintButtons = {QStringLiteral("Print"), QStringLiteral("Copy"), QStringLiteral("Font")};

}  // namespace

void MainForm::ShowFormNamed(const QString& Name) {
  QWidget* form = Forms::Load(Name);
  if (form == nullptr) {
    Common::NotReadyYet();
    return;
  }
  ShowForm(form);
}

void MainForm::ShowForm(QWidget* frm) {
  ErrTrap::Guard guard(QStringLiteral("Main:ShowForm"));
  const int style = Forms::BorderStyleOf(frm);
  QWidget* frame = Forms::FrameOf(frm);
  // One chart window at a time.
  guard([&] {
    if (style != Forms::BorderChart) return;
    for (QWidget* other : Forms::Loaded()) {
      if (other != frm && Forms::BorderStyleOf(other) == Forms::BorderChart) Forms::Unload(other);
    }
  });
  // A dialog bigger than the client area grows the main window; it is placed once the resize
  // poll sees the new size. It locks at once all the same, so that nothing behind it can be used.
  bool tooBig = false;
  guard([&] {
    if (style != Forms::BorderDialog) return;
    const QSize client = ClientSize();
    if (frame->width() > client.width()) {
      resize(width() - client.width() + frame->width(), height());
      tooBig = true;
    } else if (frame->height() > client.height()) {
      resize(width(), height() - client.height() + frame->height());
      tooBig = true;
    }
  });
  guard([&] {
    const QSize client = ClientSize();
    switch (style) {
      case Forms::BorderChart:
        frame->setGeometry(0, 0, client.width(), client.height());
        break;
      case Forms::BorderHelp:
        break;
      case Forms::BorderDialog:
        if (tooBig) {
          frame->move(0, 0);
        } else if (QWidget* help = Forms::Find(QStringLiteral("HelpForm")); help != nullptr && help->isVisible()) {
          frame->show();
          Forms::CallByName(help, "SplitScreen");
        } else {
          frame->move((client.width() - frame->width()) / 2, (client.height() - frame->height()) / 2);
        }
        break;
      default: {
        // The trees side by side: the project tree on the left 60 %, the template tree on the right 40 %.
        const bool projectTree = frm->objectName() == QLatin1String("ProjectTreeForm");
        const int left = projectTree ? 0 : qRound(0.6 * client.width());
        const int width = qRound((projectTree ? 0.6 : 0.4) * client.width());
        frame->setGeometry(left, 0, width, client.height());
        break;
      }
    }
  });
  guard([&] {
    frame->show();
    frame->raise();
    if (auto* subWindow = qobject_cast<QMdiSubWindow*>(frame)) mdiArea_->setActiveSubWindow(subWindow);
  });
  guard([&] {
    if (style == Forms::BorderDialog) LockEntryForms(frm);
  });
}

bool MainForm::IsPrintable(const QWidget* frm) {
  bool printable = false;
  ErrTrap::Guarded(QStringLiteral("Main:IsPrintable"), [&] {
    const QString name = frm->objectName();
    printable = Forms::BorderStyleOf(frm) == Forms::BorderChart || name == QLatin1String("CrashDataForm") ||
                name == QLatin1String("ZoomForm");
  });
  return printable;
}

void MainForm::LockEntryForms(QWidget* frm) {
  ErrTrap::Guard guard(QStringLiteral("Main:LockEntryForms"));
  bool printable = false;
  guard([&] { printable = IsPrintable(frm); });
  // Help, exiting and (for a printable window) its output stay usable; separators stay enabled.
  guard([&] {
    for (QAction* control : menuControls_) {
      const QString name = control->objectName();
      if (name.startsWith(QLatin1String("Help")) || name == QLatin1String("FileMenu") ||
          name == QLatin1String("FileExitMenu")) {
        continue;
      }
      control->setEnabled(kPrintMenus.contains(name) ? printable : control->isSeparator());
    }
    for (QComboBox* list : {ProjectCombo(), TemplateCombo(), JournalCombo()}) list->setEnabled(false);
  });
  guard([&] {
    for (QAction* button : toolbarButtons_) {
      const QString key = button->toolTip();
      button->setEnabled(key == QLatin1String("Help") || (kPrintButtons.contains(key) && printable));
    }
  });
  guard([&] {
    for (QWidget* form : Forms::Loaded()) {
      if (form != frm && Forms::BorderStyleOf(form) != Forms::BorderHelp) Forms::FrameOf(form)->setEnabled(false);
    }
  });
}

void MainForm::UnlockEntryForm(QWidget* frm) {
  ErrTrap::Guard guard(QStringLiteral("Main:UnlockEntryForm"));
  // A dialog opened over another (the help menu stays usable under the lock) hands the lock back
  // to the one still open (the last loaded, if several) instead of freeing the program under it.
  QWidget* stillOpen = nullptr;
  guard([&] {
    stillOpen = nullptr;
    for (QWidget* form : Forms::Loaded()) {
      if (form != frm && Forms::BorderStyleOf(form) == Forms::BorderDialog && form->isVisible()) {
        stillOpen = form;
      }
    }
  });
  if (stillOpen != nullptr) {
    guard([&] {
      Forms::FrameOf(stillOpen)->setEnabled(true);
      LockEntryForms(stillOpen);
    });
    return;
  }
  guard([&] {
    for (QAction* control : menuControls_) control->setEnabled(true);
    for (QComboBox* list : {ProjectCombo(), TemplateCombo(), JournalCombo()}) list->setEnabled(true);
  });
  guard([&] { UpdateMenu(); });
  // The lists, like the menus, then follow what is loaded: a list with nothing active stays
  // disabled, which the solve panel's click relies on.
  guard([&] { UpdateProjectCombo(); });
  guard([&] { UpdateTemplateCombo(); });
  guard([&] { UpdateJournalCombo(); });
  guard([&] {
    for (QAction* button : toolbarButtons_) button->setEnabled(true);
  });
  guard([&] {
    for (QWidget* form : Forms::Loaded()) {
      if (form == frm) continue;
      QWidget* frame = Forms::FrameOf(form);
      frame->setEnabled(true);
      if (Forms::BorderStyleOf(form) == Forms::BorderChart) {
        if (auto* subWindow = qobject_cast<QMdiSubWindow*>(frame)) mdiArea_->setActiveSubWindow(subWindow);
      }
    }
  });
}
