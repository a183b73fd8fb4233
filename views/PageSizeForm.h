#pragma once

#include "Forms.h"

#include <QList>
#include <QWidget>

#include <functional>

class QPushButton;
class YwindowControl;

// Output > Print: the print preview of a chart window. It shows the page with the chart laid on it
// at a fifth of its printed size and prints through the window's chart control: on one page,
// reduced or expanded to fit or at its natural size, or cut into pages across and then down,
// with the heading rows and columns once or on every page. Where no printer is installed the
// desktop's print dialog is offered first, to print into a PDF file.
class PageSizeForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  // The buttons, by their index in the window's button array.
  enum Action {
    ChangeFont = 0,
    ChangePage = 1,
    ReduceToFit = 2,
    ExpandToFit = 3,
    SingleHeading = 4,
    MultipleHeadings = 5,
    CenterOnPage = 6,
    Cancel = 7,
  };

  explicit PageSizeForm(QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderDialog; }
  float Magnification() const { return magnification_; }
  QPushButton* Button(Action action) const { return buttons_.at(action); }

  // Prepares and shows the preview of the chart in the window.
  Q_INVOKABLE void Wakeup(QWidget* TheForm);
  void ContinueCommand_Click(int Index);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One print job, ended by one EndDoc.
  void PrintJob(const std::function<void()>& pieces);
  void PrintOnePage(float magnification);
  void CutAndPaste(bool multipleHeadings);
  void PaintPage(QWidget* surface);
  void DrawPage(QWidget* surface);

  QList<QPushButton*> buttons_;
  QWidget* page_;
  QWidget* theForm_ = nullptr;
  YwindowControl* chart_ = nullptr;
  QString topHeading_;
  QString bottomHeading_;
  int printerWidth_ = 0;
  int printerHeight_ = 0;
  int leftBorder_ = 0;
  int topBorder_ = 0;
  int xpixels_ = 0;
  int ypixels_ = 0;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
  float magnification_ = 1;
};
