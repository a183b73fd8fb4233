// The control's printing and print preview.

#include "GrobDrawing.h"
#include "Guard.h"
#include "PageHeadings.h"
#include "PainterCanvas.h"
#include "PrintJob.h"
#include "Printer.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "TextMeasure.h"
#include "YwindowControl.h"

#include <QDateTime>
#include <QPaintDevice>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <cmath>

using ErrTrap::Guard;
using ErrTrap::Guarded;

namespace {

// A canvas on the whole page of the open print job, in the printer's twips and the printer's font.
Ywindow::PainterCanvas PrinterCanvas(Ywindow::PrintJob& job, const QFont& font) {
  job.Painter().setClipping(false);
  job.Painter().setFont(font);
  return Ywindow::PainterCanvas(job.Painter(), job.TwipsPerDot(), job.TwipsPerDot(), true);
}

// The piece's place on the page, in the printer's dots, with a few dots to spare all round, so
// that the lines on the window's edges are printed whole.
QRectF PieceArea(const Ywindow::ViewWindow& view, double twipsPerDot) {
  constexpr double kSpareDots = 4;
  const double left = view.CanvasLeft / twipsPerDot;
  const double top = view.CanvasTop / twipsPerDot;
  const double width = view.Magnification * (static_cast<double>(view.ViewX2) - view.ViewX1) / twipsPerDot;
  const double height = view.Magnification * (static_cast<double>(view.ViewY2) - view.ViewY1) / twipsPerDot;
  return QRectF(left, top, width, height).adjusted(-kSpareDots, -kSpareDots, kSpareDots, kSpareDots);
}

}  // namespace

void YwindowControl::GetPageStats(int& PassPrinterWidth, int& PassPrinterHeight, int& PassLeftBorder,
                                  int& PassTopBorder, int& PassXpixels, int& PassYpixels, int& FixedRows,
                                  int& FixedCols) {
  Guard guard(QStringLiteral("YwindowControl:GetPageStats"));
  guard([&] {
    PassPrinterWidth = page_.PrinterWidth;
    PassPrinterHeight = page_.PrinterHeight;
    PassLeftBorder = page_.PrinterLeftBorder;
    PassTopBorder = page_.PrinterTopBorder;
  });
  guard([&] {
    PassXpixels = grobs_.Xpixels();
    PassYpixels = grobs_.Ypixels();
  });
  guard([&] {
    FixedRows = grid_.FixedRows();
    FixedCols = grid_.FixedCols();
  });
  // The next piece is the first of a new job: page 1.
  guard([&] { pageNumber_ = 0; });
}

void YwindowControl::PrintPiece(bool NewPage, float PassMagnification, const QString& TopHeading,
                                const QString& BottomHeading, int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Guard guard(QStringLiteral("YwindowControl:PrintPiece"));
  if (pageNumber_ == 0) {
    // The job's first piece sets the printer's font for all its pages: the control's, at the
    // magnified size rounded to a whole point.
    guard([&] {
      printerFont_ = font_;
      const float size = std::floor(Measure().FontSize() * PassMagnification + 0.5f);
      printerFont_.setPointSize(std::max(1, static_cast<int>(size)));
    });
    guard([&] { pageNumber_ = 1; });
  } else if (NewPage) {
    guard([&] { ++pageNumber_; });
    guard([&] {
      if (printJob_->Active()) printJob_->NewPage();
    });
  }
  // The job opens at its first piece (and at the first piece after EndDoc). A printer that
  // cannot be opened has been reported, and the piece is not printed.
  guard([&] { printJob_->Begin(Ywindow::CurrentPrinter()); });
  if (!printJob_->Active()) return;
  guard([&] {
    Ywindow::PainterCanvas printer = PrinterCanvas(*printJob_, printerFont_);
    Ywindow::PrintPageHeadings(printer, page_, pageNumber_, TopHeading, BottomHeading,
                               Ywindow::FooterDateTime(QDateTime::currentDateTime()));
  });
  guard([&] {
    Ywindow::PainterCanvas printer = PrinterCanvas(*printJob_, printerFont_);
    Ywindow::ViewWindow view;
    view.ViewX1 = X1;
    view.ViewY1 = Y1;
    view.ViewX2 = X2;
    view.ViewY2 = Y2;
    view.CanvasLeft = X3;
    view.CanvasTop = praxel::ToLong(Y3 + 2 * printer.TextHeight(QStringLiteral("X")));
    view.Magnification = PassMagnification;
    // A text or mark that overlaps the window is drawn whole; on paper it stops at the piece's
    // edge, so that it cannot print over the headings or the pieces beside it.
    printJob_->Painter().setClipRect(PieceArea(view, printJob_->TwipsPerDot()));
    Ywindow::RedrawAllGrobs(grobs_, printer, view, remapColors_);
    printJob_->Painter().setClipping(false);
  });
}

void YwindowControl::EndDoc() {
  Guarded(QStringLiteral("YwindowControl:EndDoc"), [&] { printJob_->End(); });
}

void YwindowControl::PaintPreview(QPainter* TheForm, int LeftBorder, int TopBorder, float PassMagnification) {
  Guarded(QStringLiteral("YwindowControl:PaintPreview"), [&] {
    if (TheForm == nullptr || TheForm->device() == nullptr) {
      throw praxel::RuntimeError(91, QStringLiteral("Object variable or With block variable not set"));
    }
    const QPaintDevice* surface = TheForm->device();
    // Not the printer: the colours stay as they are.
    Ywindow::PainterCanvas preview(*TheForm, 1440.0 / surface->logicalDpiX(), 1440.0 / surface->logicalDpiY());
    Ywindow::ViewWindow view;
    view.ViewX2 = grobs_.Xpixels();
    view.ViewY2 = grobs_.Ypixels();
    view.CanvasLeft = LeftBorder;
    view.CanvasTop = TopBorder;
    view.Magnification = PassMagnification;
    Ywindow::RedrawAllGrobs(grobs_, preview, view, false);
  });
}
