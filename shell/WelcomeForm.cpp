#include "WelcomeForm.h"

#include "FormHelpers.h"
#include "FormHost.h"
#include "Guard.h"
#include "ResourceKeys.h"

#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kPictureSize = 48;

// Opens the help window on a page; until the help window exists, "Not Ready Yet".
void ShowHelp(const char* member, const QString& key = QString()) {
  if (!key.isEmpty()) {
    Common::DisplayHelpPage(key);
  } else if (!Forms::IsRegistered(QStringLiteral("HelpForm"))) {
    Common::NotReadyYet();
  } else {
    Forms::CallByName(Forms::Load(QStringLiteral("HelpForm")), member);
  }
}

}  // namespace

WelcomeForm::WelcomeForm(FormHost& Host, QWidget* parent)
    : QWidget(parent),
      host_(Host),
      versionLabel_(new QLabel(this)),
      okCommand_(new QPushButton(QStringLiteral("Ok"), this)),
      guideMeCommand_(new QPushButton(QStringLiteral("I'm new -- please guide me"), this)) {
  setWindowTitle(QStringLiteral("Welcome to PRAXEL for Linux"));

  auto* picture = new QLabel(this);
  QString programIcon = QStringLiteral("Praxel.ico");
  picture->setPixmap(Common::GetResIcon(programIcon).pixmap(kPictureSize, kPictureSize));
  auto* title = new QLabel(QStringLiteral("PRAXEL for Linux"), this);
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
  titleFont.setBold(true);
  title->setFont(titleFont);
  versionLabel_->setObjectName(QStringLiteral("VersionLabel"));
  versionLabel_->setText(QStringLiteral("Version ") + Common::GetAppVersion());
  okCommand_->setObjectName(QStringLiteral("OkCommand"));
  okCommand_->setDefault(true);
  guideMeCommand_->setObjectName(QStringLiteral("GuideMeCommand"));

  auto* heading = new QHBoxLayout;
  heading->addWidget(picture);
  heading->addWidget(title, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(guideMeCommand_);
  buttons->addStretch(1);
  buttons->addWidget(okCommand_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(heading);
  layout->addWidget(versionLabel_);
  layout->addStretch(1);
  layout->addLayout(buttons);

  connect(okCommand_, &QPushButton::clicked, this, &WelcomeForm::OkCommand_Click);
  connect(guideMeCommand_, &QPushButton::clicked, this, &WelcomeForm::GuideMeCommand_Click);
  // F1 is the form's before it is the focused button's.
  okCommand_->installEventFilter(this);
  guideMeCommand_->installEventFilter(this);
  adjustSize();
  setFixedSize(size());
}

void WelcomeForm::OkCommand_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Welcome:OkCommand_Click")), [&] { Forms::Unload(this); });
}

void WelcomeForm::GuideMeCommand_Click() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("Welcome:GuideMeCommand_Click")));
  guard([&] { Forms::Unload(this); });
  guard([] { ShowHelp("DisplayHelpPage", QStringLiteral("Guide me")); });
}

bool WelcomeForm::Form_KeyDown(int KeyCode) {
  bool answered = false;
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Welcome:Form_KeyDown")), [&] {
    if (KeyCode != Qt::Key_F1) return;
    answered = true;
    ShowHelp("ContextHelp");
  });
  return answered;
}

void WelcomeForm::keyPressEvent(QKeyEvent* event) {
  if (!Form_KeyDown(event->key())) QWidget::keyPressEvent(event);
}

bool WelcomeForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && Form_KeyDown(static_cast<QKeyEvent*>(event)->key())) return true;
  return QWidget::eventFilter(watched, event);
}

void WelcomeForm::closeEvent(QCloseEvent* event) {
  Form_Unload();
  QWidget::closeEvent(event);
}

void WelcomeForm::Form_Unload() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Welcome:Form_Unload")), [&] {
    host_.UnlockEntryForm(this);
  });
}
