#include "MainForm.h"

#include "Instwrap.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace instwrap {

void MessageBoxPrompts::Tell(const QString& text, const QString& title, PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Information: QMessageBox::information(nullptr, title, text); break;
    case PromptIcon::Warning: QMessageBox::warning(nullptr, title, text); break;
    case PromptIcon::Critical: QMessageBox::critical(nullptr, title, text); break;
  }
}

bool MessageBoxPrompts::AskYesNo(const QString& text, const QString& title) {
  return QMessageBox::question(nullptr, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxPrompts::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

MainForm::MainForm(Instwrap& wrapper, QWidget* parent)
    : QWidget(parent),
      wrapper_(wrapper),
      sourcePathText_(new QLineEdit(wrapper.SourcePath())),
      targetPathText_(new QLineEdit(wrapper.TargetPath())),
      updateCommand_(new QPushButton(QStringLiteral("Update"))),
      cancelCommand_(new QPushButton(QStringLiteral("Cancel"))) {
  setWindowTitle(QStringLiteral("Update PRAXEL"));
  // The folders are shown, not chosen.
  sourcePathText_->setReadOnly(true);
  targetPathText_->setReadOnly(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("This program will update PRAXEL to a new version.")));
  layout->addWidget(new QLabel(QStringLiteral("Source directory:")));
  layout->addWidget(sourcePathText_);
  layout->addWidget(new QLabel(QStringLiteral("Target directory:")));
  layout->addWidget(targetPathText_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(updateCommand_);
  buttons->addWidget(cancelCommand_);
  layout->addLayout(buttons);
  updateCommand_->setDefault(true);
  resize(480, sizeHint().height());

  connect(updateCommand_, &QPushButton::clicked, this, &MainForm::UpdateCommand_Click);
  connect(cancelCommand_, &QPushButton::clicked, this, &MainForm::CancelCommand_Click);
}

void MainForm::UpdateCommand_Click() {
  updateCommand_->setEnabled(false);
  cancelCommand_->setEnabled(false);
  wrapper_.Update();
  finished_ = true;
  close();
}

void MainForm::CancelCommand_Click() {
  wrapper_.Cancel();
  finished_ = true;
  close();
}

void MainForm::closeEvent(QCloseEvent* event) {
  if (!finished_) {
    wrapper_.Cancel();
    finished_ = true;
  }
  QWidget::closeEvent(event);
}

}  // namespace instwrap
