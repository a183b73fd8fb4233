#pragma once

#include "Forms.h"

#include <QStringList>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// The help window: one help page at a time, its underlined links followed on a click, a back and
// a forward history, the guided tours walked with Next, and the context help of F1 and the
// toolbar's Help button (the page that fits the active window and control). It stands on its own
// beside the main window and above it; closing it hides it, so its history and place survive, and
// an open dialog is placed beside it. Esc hides it; on the "Index" a letter jumps to the entries
// that begin with it.
class HelpForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit HelpForm(QWidget* MainWindow);

  int BorderStyle() const { return Forms::BorderHelp; }

  // Shows the page that fits the active window of the main window; the index when none is active.
  Q_INVOKABLE void ContextHelp();
  // Shows a page: "-" goes back, "+" forward, anything else is a page key (plurals find their
  // singular page; "Task.Description" without a page of its own shows "Description").
  Q_INVOKABLE void DisplayHelpPage(const QString& Key);
  // Places the active dialog and this window side by side.
  Q_INVOKABLE void SplitScreen();

  QString CurrentPage() const { return currentPage_; }
  QStringList BackPages() const { return backPages_; }
  QStringList NextPages() const { return nextPages_; }
  QTextBrowser* ViewableText() const { return viewableText_; }
  QPushButton* BackCommand() const { return backCommand_; }
  QPushButton* NextCommand() const { return nextCommand_; }

  // The key of the page that fits a window: a view's own page, a tree's page by its selected
  // node, else the first word of the caption, a point and the first word of the focused
  // control's name ("Task.Units").
  static QString ContextKey(QWidget* Window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void ViewableText_Click(const QPoint& At);
  // True when the key was taken.
  bool Form_KeyPress(QKeyEvent* event);
  void JumpToIndexLetter(QChar Letter);
  void ShowMissingPage();
  void Form_DblClick();
  void UpdateButtons();
  void PlaceOnMainWindow(QWidget* MainWindow);

  QTextBrowser* viewableText_;
  QPushButton* backCommand_;
  QPushButton* nextCommand_;
  QString currentPage_;
  QStringList backPages_;
  QStringList nextPages_;
};

namespace Help {

// The first character of a text and every next one up to the first whose code is below that of
// "a" (an upper-case letter, a digit, a blank or a point ends the word): "Task entry" gives
// "Task", "UnitsCombo" gives "Units", "OKCommand" gives "O".
QString GetFirstWord(const QString& Text);

// The page of a key: the key as stored (on success Key becomes it), the page that Next leads to
// on a tour, and the page's text (HTML); both empty when the key and its singular forms have no
// page.
void GetHelpPage(QString& Key, QString& NextPage, QString& PageText);

}  // namespace Help
