#include "MainForm.h"

#include "ErrTrap.h"
#include "Guard.h"
#include "ProgramInfo.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>

MainForm::MainForm(QWidget* parent)
    : QMainWindow(parent), mdiArea_(new QMdiArea(this)), busyPanel_(new QLabel(this)) {
  setCentralWidget(mdiArea_);
  statusBar()->addWidget(busyPanel_, 1);
  MDIForm_Load();
}

MainForm::~MainForm() {
  if (busy_) QApplication::restoreOverrideCursor();
}

void MainForm::MDIForm_Load() {
  ErrTrap::Guard guard(QStringLiteral("MainForm:MDIForm_Load"));
  guard([&] { ErrTrap::SetErrTrapForm(this); });
  guard([&] { setWindowTitle(QStringLiteral("PRAXEL ") + praxel::VersionText(praxel::CurrentVersion())); });
}

void MainForm::StatusMessage(const QString& Text) {
  ErrTrap::Guarded(QStringLiteral("MainForm:StatusMessage"), [&] {
    if (Text.isEmpty()) {
      busyPanel_->clear();
      if (busy_) QApplication::restoreOverrideCursor();
      busy_ = false;
    } else {
      busyPanel_->setText(Text + QStringLiteral(" ..."));
      if (!busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
      busy_ = true;
    }
  });
}

QString MainForm::StatusMessageText() const { return busyPanel_->text(); }
