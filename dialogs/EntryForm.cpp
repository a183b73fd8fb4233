#include "EntryForm.h"

#include "Check.h"
#include "DateBox.h"
#include "DateRoom.h"
#include "FormHelpers.h"
#include "FormHost.h"
#include "Guard.h"
#include "Journals.h"
#include "OleDate.h"
#include "MoneyText.h"
#include "Prompter.h"
#include "ShortDate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The width a text box needs to show the text whole: the text with the cursor after it, the two
// pixels a line edit keeps on either side of its text, the box's margins and the style's frame,
// as QLineEdit sizes itself for its sample text.
int TextBoxWidth(const QLineEdit* box, const QString& text) {
  constexpr int kSideRoom = 2;
  constexpr int kCursor = 1;
  QStyleOptionFrame frame;
  frame.initFrom(box);
  frame.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, box) : 0;
  const QMargins margins = box->textMargins() + box->contentsMargins();
  const int contents = static_cast<int>(std::ceil(QFontMetricsF(box->font()).horizontalAdvance(text))) + kCursor +
                       2 * kSideRoom + margins.left() + margins.right();
  return box->style()
      ->sizeFromContents(QStyle::CT_LineEdit, &frame, QSize(contents, box->sizeHint().height()), box)
      .width();
}

}  // namespace

EntryForm::EntryForm(const QString& Caption, const QString& Module, QWidget* parent)
    : QWidget(parent), module_(Module) {
  setWindowTitle(Caption);
  // F1 is the dialog's before it is any control's: the dialog sees every key first.
  qApp->installEventFilter(this);
}

EntryForm::~EntryForm() { qApp->removeEventFilter(this); }

QString EntryForm::HelpTip() { return QStringLiteral("Press [F1] for help"); }

QString EntryForm::Location(const QString& procedure) const { return module_ + QLatin1Char(':') + procedure; }

FormHost* EntryForm::Host() { return Forms::Host(); }

namespace {

// A new box named for its field, with the help tip when one is given.
template <class Box>
Box* Named(Box* box, const QString& name, const QString& helpTip) {
  box->setObjectName(name);
  if (!helpTip.isNull()) box->setToolTip(helpTip);
  return box;
}

}  // namespace

QLineEdit* EntryForm::NewTextBox(const QString& name, bool helpTip) {
  return Named(new QLineEdit(this), name, helpTip ? HelpTip() : QString());
}

DateBox* EntryForm::NewDateBox(const QString& name, bool helpTip) {
  auto* box = Named(new DateBox(this), name, helpTip ? HelpTip() : QString());
  box->setMinimumWidth(std::max(box->minimumSizeHint().width(), TextBoxWidth(box, WidestDateText(box))));
  return box;
}

QString EntryForm::WidestDateText(const QWidget* widget) {
  const QFontMetricsF metrics(widget->font());
  return praxel::WidestDateTimeText([&](const QString& text) { return metrics.horizontalAdvance(text); });
}

void EntryForm::SelectAllOnFocus(QLineEdit* box) {
  selectAllBoxes_.insert(box);
  box->installEventFilter(this);
}

void EntryForm::ReformatMoneyOnLeave(MoneyText* box) {
  moneyBoxes_.insert(box);
  box->installEventFilter(this);
}

void EntryForm::MakeOkAndCancel() {
  // Made last, so that they come last in the tab order.
  okCommand_ = new QPushButton(QStringLiteral("Ok"), this);
  okCommand_->setObjectName(QStringLiteral("OkCommand"));
  okCommand_->setDefault(true);
  cancelCommand_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancelCommand_->setObjectName(QStringLiteral("CancelCommand"));
  // A button with the focus takes Enter itself; from anywhere else Enter is Ok's.
  okCommand_->setAutoDefault(true);
  cancelCommand_->setAutoDefault(true);
  connect(okCommand_, &QPushButton::clicked, this, &EntryForm::OkCommand_Click);
  connect(cancelCommand_, &QPushButton::clicked, this, &EntryForm::CancelCommand_Click);
}

void EntryForm::SetFields(QLayout* fields) {
  MakeOkAndCancel();
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(okCommand_);
  buttons->addStretch(1);
  buttons->addWidget(cancelCommand_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  adjustSize();
  setFixedSize(size());
}

void EntryForm::SetFields(QLayout* fields, QBoxLayout* buttons) {
  MakeOkAndCancel();
  buttons->addWidget(okCommand_);
  buttons->addWidget(cancelCommand_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  adjustSize();
  setFixedSize(size());
}

bool EntryForm::StartsWhen(bool (*precondition)()) {
  ErrTrap::Guard guard(QStringLiteral("EntryForm:StartsWhen"));
  bool ready = false;
  guard([&] { ready = precondition(); });
  if (!ready) guard([&] { Close(); });
  return ready;
}

void EntryForm::ShowEntryForm(QWidget* focus) {
  FormHost* host = Host();
  TRAP_ASSERT(host != nullptr, "an entry dialog is started by the main window's commands");
  host->ShowForm(this);
  shown_ = true;
  // Its frame in the client area lets go of the dialog's smallest size: the size is fixed again.
  setMinimumSize(maximumSize());
  if (focus != nullptr) focus->setFocus();
}

bool EntryForm::Refuse(const QString& text, const QString& title, QWidget* field) {
  praxel::CurrentPrompter().MsgBox(text, praxel::MsgExclamation, title);
  if (field != nullptr) field->setFocus();
  return false;
}

std::optional<double> EntryForm::ReadDate(DateBox* box, const QString& field) {
  const std::optional<double> date = box->Date();
  if (!date) {
    Refuse(QStringLiteral("The ") + field + QStringLiteral(" must be a date, such as ") +
               praxel::ShortDateText(praxel::ToOleDate(QDate::currentDate())) + QLatin1Char('.'),
           QStringLiteral("Invalid Date"), box);
  }
  return date;
}

void EntryForm::Close() {
  if (Forms::IsLoaded(this)) Forms::Unload(this);
}

void EntryForm::CloseOnNotification(const char* receiver) {
  ErrTrap::Guarded(QStringLiteral("EntryForm:") + QLatin1String(receiver), [&] { Close(); });
}

void EntryForm::OkCommand_Click() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("EntryForm:OkCommand_Click")));
  bool accepted = false;
  guard([&] { accepted = GatherData(); });
  if (!accepted) return;
  guard([&] {
    if (adding_) {
      FinishAdd();
    } else {
      FinishModify();
    }
  });
}

void EntryForm::CancelCommand_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("EntryForm:CancelCommand_Click")), [&] { Close(); });
}

bool EntryForm::Form_KeyDown(int KeyCode) {
  if (KeyCode != Qt::Key_F1) return false;
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("EntryForm:Form_KeyDown")),
                   [] { Forms::StartForm(QStringLiteral("HelpForm"), "ContextHelp"); });
  return true;
}

void EntryForm::keyPressEvent(QKeyEvent* event) {
  // The keys no control took: Enter is Ok, Esc is Cancel.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (okCommand_ != nullptr && okCommand_->isEnabled()) okCommand_->click();
      break;
    case Qt::Key_Escape:
      if (cancelCommand_ != nullptr) cancelCommand_->click();
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool EntryForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* widget = qobject_cast<QWidget*>(watched);
      const bool mine = widget != nullptr && (widget == this || isAncestorOf(widget));
      if (mine && Form_KeyDown(static_cast<QKeyEvent*>(event)->key())) return true;
      break;
    }
    case QEvent::FocusIn:
      if (selectAllBoxes_.contains(watched)) {
        auto* box = static_cast<QLineEdit*>(watched);
        ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("EntryForm:") + box->objectName() + QStringLiteral("_GotFocus")),
                         [&] { Common::TextBoxGotFocus(box); });
      }
      break;
    case QEvent::FocusOut:
      if (moneyBoxes_.contains(watched)) {
        auto* box = static_cast<MoneyText*>(watched);
        ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("EntryForm:") + box->objectName() + QStringLiteral("_LostFocus")),
                         [&] { box->ShowAsMoney(); });
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void EntryForm::closeEvent(QCloseEvent* event) {
  Form_Unload();
  QWidget::closeEvent(event);
}

void EntryForm::Form_Unload() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("EntryForm:Form_Unload")), [&] {
    // A dialog that never showed (its start's precondition failed) locked nothing.
    if (!shown_) return;
    shown_ = false;
    if (FormHost* host = Host()) host->UnlockEntryForm(this);
  });
}
