#include "HelpForm.h"

#include "FormHelpers.h"
#include "Guard.h"
#include "HelpKeys.h"
#include "HelpPages.h"
#include "RuntimeError.h"
#include "TreeForm.h"
#include "TreeNodes.h"
#include "TreeView.h"

#include "Common.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {

// Design places, in pixels: the page 16 in from the left and top, the buttons below it.
constexpr int kMargin = 16;
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 25;
constexpr int kPagePoints = 12;
constexpr int kHistoryPoints = 10;
// The narrowest the window gets beside a dialog: 30 letters "X".
constexpr int kNarrowestLetters = 30;

const QString kIndex = QStringLiteral("Index");

QFont PageFont(int points, bool bold) {
  QFont font(Common::DesktopFamily(QStringLiteral("Times New Roman")));
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

// The page of a tree window, by its selected node.
QString TreeKey(TreeForm* tree, bool projects) {
  if (projects ? Common::ThisProject() == nullptr : Common::ThisTemplate() == nullptr) {
    return projects ? QStringLiteral("Project Tree Without Project") : QStringLiteral("Template Tree Without Template");
  }
  const QTreeWidgetItem* selected = tree->Tree()->currentItem();
  if (selected == nullptr) return projects ? QStringLiteral("Project Tree") : QStringLiteral("Template Tree");
  static const QHash<QString, QString> pages = {
      {QStringLiteral("p"), QStringLiteral("Project")},  {QStringLiteral("s"), QStringLiteral("Subproject")},
      {QStringLiteral("t"), QStringLiteral("Task")},     {QStringLiteral("d"), QStringLiteral("Dependency")},
      {QStringLiteral("a"), QStringLiteral("Assignment")}, {QStringLiteral("l"), QStringLiteral("Template")},
      {QStringLiteral("h"), QStringLiteral("Shift")},    {QStringLiteral("g"), QStringLiteral("Department")},
      {QStringLiteral("r"), QStringLiteral("Resource")}};
  const QString image = Common::NodeImage(selected);
  static const QString projectLetters = QStringLiteral("pstda");
  if (!pages.contains(image) || projectLetters.contains(image) != projects) {
    praxel::RaiseProgramError(tree->objectName() + QStringLiteral(".Tree.SelectedItem.Image = \"") + image +
                              QLatin1Char('"'));
  }
  return pages.value(image);
}

}  // namespace

namespace Help {

QString GetFirstWord(const QString& Text) {
  if (Text.isEmpty()) return QString();
  qsizetype end = 1;
  while (end < Text.size() && Text.at(end).unicode() >= u'a') ++end;
  return Text.left(end);
}

void GetHelpPage(QString& Key, QString& NextPage, QString& PageText) {
  ErrTrap::Guarded(QStringLiteral("Help:GetHelpPage"), [&] {
    NextPage.clear();
    PageText.clear();
    const QString found = Common::FindPageKey(Key);
    if (found.isEmpty()) return;
    Key = found;
    NextPage = Common::NextPageOf(found);
    PageText = Common::HelpPageText(found);
  });
}

}  // namespace Help

HelpForm::HelpForm(QWidget* MainWindow)
    : QWidget(MainWindow, Qt::Window | Qt::WindowStaysOnTopHint),
      viewableText_(new QTextBrowser(this)),
      backCommand_(new QPushButton(QStringLiteral("Back"), this)),
      nextCommand_(new QPushButton(QStringLiteral("Next"), this)) {
  setWindowTitle(QStringLiteral("PRAXEL for Linux Help"));
  viewableText_->setObjectName(QStringLiteral("ViewableText"));
  backCommand_->setObjectName(QStringLiteral("BackCommand"));
  nextCommand_->setObjectName(QStringLiteral("NextCommand"));
  // Links are followed by this window, by the key they name.
  viewableText_->setOpenLinks(false);
  viewableText_->setOpenExternalLinks(false);
  viewableText_->document()->setDefaultFont(PageFont(kPagePoints, false));
  viewableText_->document()->setDefaultStyleSheet(QStringLiteral("a { color: #008000; text-decoration: underline; }"));
  backCommand_->setEnabled(false);
  nextCommand_->setEnabled(false);
  viewableText_->setGeometry(kMargin, kMargin, 400, 240);
  backCommand_->setGeometry(kMargin, 272, kButtonWidth, kButtonHeight);
  nextCommand_->setGeometry(352, 272, kButtonWidth, kButtonHeight);
  for (QObject* watched : {static_cast<QObject*>(viewableText_), static_cast<QObject*>(viewableText_->viewport()),
                           static_cast<QObject*>(backCommand_), static_cast<QObject*>(nextCommand_)}) {
    watched->installEventFilter(this);
  }
  connect(backCommand_, &QPushButton::clicked, this, [this] {
    ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Help:BackCommand_Click")), [&] { DisplayHelpPage(QStringLiteral("-")); });
  });
  connect(nextCommand_, &QPushButton::clicked, this, [this] {
    ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Help:NextCommand_Click")), [&] { DisplayHelpPage(QStringLiteral("+")); });
  });
  PlaceOnMainWindow(MainWindow);
}

void HelpForm::PlaceOnMainWindow(QWidget* MainWindow) {
  if (MainWindow == nullptr) {
    resize(640, 480);
    return;
  }
  const QRect main = MainWindow->geometry();
  const QSize size(main.width() * 3 / 4, main.height() * 7 / 8);
  resize(size);
  const QRect outer = MainWindow->frameGeometry();
  move(outer.left() + (outer.width() - size.width()) / 2, outer.top() + (outer.height() - size.height()) / 2);
}

void HelpForm::DisplayHelpPage(const QString& Key) {
  ErrTrap::Guarded(QStringLiteral("Help:DisplayHelpPage"), [&] {
    if (Key == QLatin1String("+")) {
      if (nextPages_.isEmpty()) return;
      backPages_.append(currentPage_);
      currentPage_ = nextPages_.takeFirst();
    } else if (Key == QLatin1String("-")) {
      if (backPages_.isEmpty()) return;
      nextPages_.prepend(currentPage_);
      currentPage_ = backPages_.takeLast();
    } else {
      nextPages_.clear();
      if (!currentPage_.isEmpty()) backPages_.append(currentPage_);
      currentPage_ = Key;
    }
    QString next;
    QString text;
    Help::GetHelpPage(currentPage_, next, text);
    // A control without a page of its own ("Task.Description") shows the page of its word.
    if (const qsizetype dot = currentPage_.indexOf(QLatin1Char('.')); text.isEmpty() && dot >= 0) {
      QString word = currentPage_.mid(dot + 1);
      QString unused;
      Help::GetHelpPage(word, unused, text);
    }
    // On a tour page Next always leads on along the tour, also after coming back to it.
    if (!next.isEmpty()) nextPages_ = QStringList{next};
    setWindowTitle(currentPage_);
    if (text.isEmpty()) {
      ShowMissingPage();
    } else {
      viewableText_->setHtml(text);
    }
    show();
    raise();
    UpdateButtons();
  });
}

void HelpForm::ShowMissingPage() {
  viewableText_->clear();
  QTextCharFormat red;
  red.setForeground(QColor(240, 0, 0));
  red.setFont(PageFont(kPagePoints, true));
  QTextCursor cursor(viewableText_->document());
  cursor.insertText(QStringLiteral("The help screen for ") + currentPage_ + QStringLiteral(" is missing."), red);
  viewableText_->setTextCursor(QTextCursor(viewableText_->document()));
}

void HelpForm::UpdateButtons() {
  backCommand_->setEnabled(!backPages_.isEmpty());
  backCommand_->setToolTip(backPages_.isEmpty() ? QString() : QStringLiteral("Back to ") + backPages_.last());
  nextCommand_->setEnabled(!nextPages_.isEmpty());
  nextCommand_->setToolTip(nextPages_.isEmpty() ? QString() : QStringLiteral("Next to ") + nextPages_.first());
}

QString HelpForm::ContextKey(QWidget* Window) {
  const QString own = Window->property("HelpKey").toString();
  if (!own.isEmpty()) return own;
  if (auto* tree = qobject_cast<TreeForm*>(Window)) {
    return TreeKey(tree, Window->objectName() == QLatin1String("ProjectTreeForm"));
  }
  const QString window = Help::GetFirstWord(Window->windowTitle());
  const QWidget* focus = Window->focusWidget();
  const QString control = focus != nullptr ? Help::GetFirstWord(focus->objectName()) : QString();
  return control.isEmpty() ? window : window + QLatin1Char('.') + control;
}

void HelpForm::ContextHelp() {
  ErrTrap::Guarded(QStringLiteral("Help:ContextHelp"), [&] {
    QWidget* active = Forms::ActiveForm();
    // With no window open the index is the place to start.
    if (active == nullptr) {
      DisplayHelpPage(kIndex);
      return;
    }
    if (Forms::BorderStyleOf(active) == Forms::BorderDialog) SplitScreen();
    DisplayHelpPage(ContextKey(active));
  });
}

void HelpForm::SplitScreen() {
  ErrTrap::Guarded(QStringLiteral("Help:SplitScreen"), [&] {
    QWidget* dialog = Forms::ActiveForm();
    if (dialog == nullptr || Forms::BorderStyleOf(dialog) != Forms::BorderDialog) return;
    QWidget* frame = Forms::FrameOf(dialog);
    const QWidget* client = frame->parentWidget() != nullptr ? frame->parentWidget() : frame;
    const QPoint origin = client->mapToGlobal(QPoint(0, 0));
    const QRect help = frameGeometry();
    const QSize size = frame->size();
    // Room on the left of the help window: the dialog in the middle of it.
    if (origin.x() + size.width() <= help.left()) {
      frame->move((help.left() - origin.x() - size.width()) / 2, frame->y());
      return;
    }
    // Room above it: the dialog in the middle of that.
    if (origin.y() + size.height() <= help.top()) {
      frame->move(frame->x(), (help.top() - origin.y() - size.height()) / 2);
      return;
    }
    // Else the dialog goes to the left edge, up or down so that its focused control stays clear,
    // and the help window takes the rest of the screen on its right.
    const QWidget* focus = dialog->focusWidget();
    const bool upper = focus == nullptr || focus->mapTo(dialog, QPoint(0, 0)).y() < dialog->height() / 2;
    frame->move(0, upper ? 0 : client->height() - size.height());
    const int left = origin.x() + size.width();
    const QRect screenArea = screen()->availableGeometry();
    const int narrowest = fontMetrics().horizontalAdvance(QString(kNarrowestLetters, QLatin1Char('X')));
    const int width = std::max(screenArea.right() + 1 - left, narrowest);
    const int decoration = frameGeometry().width() - geometry().width();
    move(left, pos().y());
    resize(width - decoration, height());
  });
}

void HelpForm::ViewableText_Click(const QPoint& At) {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Help:ViewableText_Click")), [&] {
    // The link under the pointer, or the one just left of it.
    QString key = viewableText_->anchorAt(At);
    if (key.isEmpty()) key = viewableText_->cursorForPosition(At).charFormat().anchorHref();
    key = key.trimmed();
    if (!key.isEmpty()) DisplayHelpPage(key);
  });
}

bool HelpForm::Form_KeyPress(QKeyEvent* event) {
  bool taken = false;
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Help:Form_KeyPress")), [&] {
    if (event->key() == Qt::Key_Escape) {
      hide();
      taken = true;
      return;
    }
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint()) return;
    const QChar letter = text.at(0).toUpper();
    if (currentPage_ == kIndex && letter >= u'A' && letter <= u'Z') {
      JumpToIndexLetter(letter);
      taken = true;
      return;
    }
    QApplication::beep();
  });
  return taken;
}

void HelpForm::JumpToIndexLetter(QChar Letter) {
  QTextDocument* document = viewableText_->document();
  QTextCursor cursor(document);
  if (Letter != u'A') {
    // The first entry (a link) whose line begins with the letter.
    QTextBlock found;
    for (QTextBlock block = document->begin(); block.isValid() && !found.isValid(); block = block.next()) {
      if (!block.text().startsWith(Letter, Qt::CaseInsensitive)) continue;
      QTextCursor first(block);
      first.movePosition(QTextCursor::NextCharacter);
      if (first.charFormat().isAnchor()) found = block;
    }
    if (!found.isValid()) return;
    // Past it first, then back: the line comes into view at the top.
    cursor.movePosition(QTextCursor::End);
    viewableText_->setTextCursor(cursor);
    viewableText_->ensureCursorVisible();
    cursor.setPosition(found.position());
  }
  viewableText_->setTextCursor(cursor);
  viewableText_->ensureCursorVisible();
}

void HelpForm::Form_DblClick() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Help:Form_DblClick")), [&] {
    QString listing = QStringLiteral("BackPages:\n");
    for (int index = 0; index < backPages_.size(); ++index) {
      listing += QStringLiteral("  %1: %2\n").arg(index + 1).arg(backPages_.at(index));
    }
    listing += QStringLiteral("\nNextPages:\n");
    for (int index = 0; index < nextPages_.size(); ++index) {
      listing += QStringLiteral("  %1: %2\n").arg(index + 1).arg(nextPages_.at(index));
    }
    viewableText_->clear();
    QTextCharFormat plain;
    plain.setForeground(Qt::black);
    plain.setFont(PageFont(kHistoryPoints, false));
    QTextCursor cursor(viewableText_->document());
    cursor.insertText(listing, plain);
    viewableText_->setTextCursor(QTextCursor(viewableText_->document()));
  });
}

bool HelpForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) return Form_KeyPress(static_cast<QKeyEvent*>(event));
  if (watched == viewableText_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && !viewableText_->textCursor().hasSelection()) {
      ViewableText_Click(mouse->position().toPoint());
    }
  }
  return QWidget::eventFilter(watched, event);
}

void HelpForm::mouseDoubleClickEvent(QMouseEvent* event) {
  QWidget::mouseDoubleClickEvent(event);
  Form_DblClick();
}

void HelpForm::closeEvent(QCloseEvent* event) {
  // While the program runs, closing the window only hides it: the history and its place survive.
  // When the main window shuts down the window is unloaded.
  const QWidget* main = parentWidget();
  if (main != nullptr && main->isVisible()) {
    event->ignore();
    hide();
    return;
  }
  event->accept();
}

void HelpForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // A window too small for the computed sizes keeps what it had.
  const int textWidth = width() - 2 * kMargin;
  const int textHeight = height() - 3 * kMargin - backCommand_->height();
  if (textWidth <= 0 || textHeight <= 0) return;
  viewableText_->setGeometry(kMargin, kMargin, textWidth, textHeight);
  const int buttonsTop = height() - kMargin - backCommand_->height();
  backCommand_->move(backCommand_->x(), buttonsTop);
  nextCommand_->move(width() - kMargin - nextCommand_->width(), buttonsTop);
}
