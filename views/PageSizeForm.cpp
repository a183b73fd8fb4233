#include "PageSizeForm.h"

#include "CommonDialogs.h"
#include "FormHelpers.h"
#include "FormHost.h"
#include "Guard.h"
#include "MainForm.h"
#include "Prompter.h"
#include "PrintPages.h"
#include "QtCommonDialogs.h"
#include "YwindowControl.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr float kPreviewScale = 0.2f;

QString Location(const char* procedure) { return QStringLiteral("PageSize:") + QLatin1String(procedure); }

MainForm* Main() { return dynamic_cast<MainForm*>(Forms::MainWindow()); }

}  // namespace

PageSizeForm::PageSizeForm(QWidget* parent) : QWidget(parent), page_(new QWidget(this)) {
  setObjectName(QStringLiteral("PageSizeForm"));
  setWindowTitle(QStringLiteral("Print Preview"));
  setProperty("HelpKey", QStringLiteral("Print"));
  const QStringList captions = {QStringLiteral("Change font"),    QStringLiteral("Change page"),
                                QStringLiteral("Reduce to fit"),  QStringLiteral("Expand to fit"),
                                QStringLiteral("Single heading"), QStringLiteral("Multiple headings"),
                                QStringLiteral("Center on page"), QStringLiteral("Cancel")};
  for (int index = 0; index < captions.size(); ++index) {
    auto* button = new QPushButton(captions.at(index));
    button->setObjectName(QStringLiteral("ContinueCommand%1").arg(index));
    connect(button, &QPushButton::clicked, this, [this, index] { ContinueCommand_Click(index); });
    buttons_.append(button);
  }
  const auto frame = [&](const QString& caption, std::initializer_list<int> indexes) {
    auto* box = new QGroupBox(caption);
    auto* column = new QVBoxLayout(box);
    for (const int index : indexes) column->addWidget(buttons_.at(index));
    return box;
  };
  auto* frames = new QVBoxLayout;
  frames->addWidget(frame(QStringLiteral("Print no pages"), {Cancel, ChangeFont, ChangePage}));
  frames->addWidget(frame(QStringLiteral("Print a single page"), {ReduceToFit, CenterOnPage, ExpandToFit}));
  frames->addWidget(frame(QStringLiteral("Print multiple pages"), {SingleHeading, MultipleHeadings}));
  frames->addStretch();
  page_->setObjectName(QStringLiteral("PagePicture"));
  page_->installEventFilter(this);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(frames);
  layout->addWidget(page_, 1);
  page_->setMinimumSize(320, 420);
}

void PageSizeForm::Wakeup(QWidget* TheForm) {
  ErrTrap::Guard guard(Location("Wakeup"));
  // Without a printer the desktop's print dialog offers a PDF file to print into.
  bool printable = true;
  guard([&] {
    QPrinter& printer = praxel::ProgramPrinter();
    if (QPrinterInfo::availablePrinters().isEmpty() && printer.outputFileName().isEmpty()) {
      printable = praxel::CurrentCommonDialogs().SetUpPrinter();
    }
  });
  if (!printable) {
    Forms::Unload(this);
    return;
  }
  theForm_ = TheForm;
  chart_ = TheForm != nullptr ? TheForm->findChild<YwindowControl*>(QStringLiteral("Ywindow")) : nullptr;
  if (chart_ == nullptr) {
    Forms::Unload(this);
    return;
  }
  guard([&] {
    topHeading_ = TheForm->windowTitle();
    bottomHeading_ = QStringLiteral("Praxel ") + Common::GetAppVersion();
  });
  guard([&] {
    chart_->GetPageStats(printerWidth_, printerHeight_, leftBorder_, topBorder_, xpixels_, ypixels_, fixedRows_, fixedCols_);
  });
  if (xpixels_ <= 0 || ypixels_ <= 0 || printerWidth_ <= 0 || printerHeight_ <= 0) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("There is nothing to print in this window."),
                                     praxel::MsgExclamation, QStringLiteral("Nothing to Print"));
    Forms::Unload(this);
    return;
  }
  magnification_ = std::min(static_cast<float>(printerWidth_) / static_cast<float>(xpixels_),
                            static_cast<float>(printerHeight_) / static_cast<float>(ypixels_));
  buttons_.at(ReduceToFit)->setEnabled(magnification_ < 1);
  buttons_.at(ExpandToFit)->setEnabled(magnification_ > 1);
  buttons_.at(SingleHeading)->setEnabled(magnification_ < 1);
  buttons_.at(MultipleHeadings)->setEnabled(magnification_ < 1 && chart_->Style() != 1);
  page_->update();
  guard([&] {
    if (FormHost* host = Forms::Host()) host->ShowForm(this);
  });
}

bool PageSizeForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == page_ && event->type() == QEvent::Paint && chart_ != nullptr) {
    PaintPage(page_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void PageSizeForm::PaintPage(QWidget* surface) {
  ErrTrap::Guarded(Location("PaintPage"), [&] { DrawPage(surface); });
}

void PageSizeForm::DrawPage(QWidget* surface) {
  QPainter painter(surface);
  // The page in twips of the surface, as the chart control measures its preview.
  painter.save();
  painter.scale(surface->logicalDpiX() / kTwipsPerInch, surface->logicalDpiY() / kTwipsPerInch);
  const int left = 240;
  const int top = 240;
  const int right = left + static_cast<int>((2 * leftBorder_ + printerWidth_) * kPreviewScale);
  const int bottom = top + static_cast<int>((2 * topBorder_ + printerHeight_) * kPreviewScale);
  painter.fillRect(QRect(QPoint(left + 100, top + 100), QPoint(right + 100, bottom + 100)), Qt::black);
  painter.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), QColor(0xE0, 0xE0, 0xE0));
  painter.setPen(Qt::black);
  painter.drawRect(QRect(QPoint(left, top), QPoint(right, bottom)));
  const QRect printable(QPoint(left + static_cast<int>(leftBorder_ * kPreviewScale), top + static_cast<int>(topBorder_ * kPreviewScale)),
                        QPoint(right - static_cast<int>(leftBorder_ * kPreviewScale), bottom - static_cast<int>(topBorder_ * kPreviewScale)));
  painter.fillRect(printable, Qt::white);
  painter.restore();
  // The chart's texts at a fifth of the window's font.
  QFont small(QStringLiteral("Small fonts"));
  small.setPointSizeF(std::max(1.0, theForm_->font().pointSizeF() * kPreviewScale));
  painter.setFont(small);
  chart_->PaintPreview(&painter, printable.left(), printable.top(), kPreviewScale);
}

void PageSizeForm::ContinueCommand_Click(int Index) {
  ErrTrap::Guard guard(ErrTrap::Handler(Location("ContinueCommand_Click")));
  // Hidden first. The font and printer commands are for the chart behind: the main window lifts
  // the lock for them, which makes the chart the active window again, and they are the main
  // window's own handlers.
  guard([&] {
    Forms::FrameOf(this)->hide();
    if (Index != ChangeFont && Index != ChangePage) return;
    if (FormHost* host = Forms::Host()) host->UnlockEntryForm(this);
  });
  guard([&] {
    switch (Index) {
      case ChangeFont:
        if (MainForm* main = Main()) main->SetupFontMenu_Click();
        break;
      case ChangePage:
        if (MainForm* main = Main()) main->SetupPrinterMenu_Click();
        break;
      case ReduceToFit:
      case ExpandToFit: PrintOnePage(magnification_ * 0.99f); break;
      case SingleHeading: CutAndPaste(false); break;
      case MultipleHeadings: CutAndPaste(true); break;
      case CenterOnPage: PrintOnePage(1); break;
      default: break;
    }
  });
  // Closed in every case, a print job given up included, so that the main window is unlocked.
  Forms::Unload(this);
}

void PageSizeForm::PrintJob(const std::function<void()>& pieces) {
  // The job ends also when a piece failed and the user gave up: what was printed goes out, and
  // the next job starts afresh instead of adding to this one.
  try {
    pieces();
  } catch (...) {
    chart_->EndDoc();
    throw;
  }
  chart_->EndDoc();
}

void PageSizeForm::PrintOnePage(float magnification) {
  PrintJob([&] {
    chart_->PrintPiece(true, magnification, topHeading_, bottomHeading_, 0, 0,
                       static_cast<int>(printerWidth_ / magnification),
                       static_cast<int>(printerHeight_ / magnification), 0, 0);
  });
}

void PageSizeForm::CutAndPaste(bool multipleHeadings) {
  QList<int> colPos;
  for (int col = 0; col <= chart_->Cols(); ++col) colPos.append(chart_->ColPos(col));
  QList<int> rowPos;
  for (int row = 0; row <= chart_->Rows(); ++row) rowPos.append(chart_->RowPos(row));
  const QList<PrintPages::Piece> pieces = PrintPages::Cut(colPos, rowPos, printerWidth_, printerHeight_,
                                                          multipleHeadings ? fixedCols_ : 0, multipleHeadings ? fixedRows_ : 0);
  PrintJob([&] {
    for (const PrintPages::Piece& piece : pieces) {
      chart_->PrintPiece(piece.newPage, 1, topHeading_, bottomHeading_, piece.x1, piece.y1, piece.x2, piece.y2,
                         piece.x3, piece.y3);
    }
  });
}

void PageSizeForm::closeEvent(QCloseEvent* event) {
  if (FormHost* host = Forms::Host()) host->UnlockEntryForm(this);
  QWidget::closeEvent(event);
}
