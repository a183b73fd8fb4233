// The control's metafile, its hex text and the clipboard.

#include "ChartClipboard.h"
#include "ChartPicture.h"
#include "Guard.h"
#include "MetaFileDrawing.h"
#include "MetaFileHex.h"
#include "Prompter.h"
#include "RuntimeError.h"
#include "WmfCanvas.h"
#include "YwindowControl.h"

using ErrTrap::Guard;
using ErrTrap::Guarded;

Ywindow::WmfCanvas& YwindowControl::MetaFile() {
  if (!metaFile_) throw praxel::RuntimeError(91, QStringLiteral("Object variable or With block variable not set"));
  return *metaFile_;
}

bool YwindowControl::StartMetaFile() {
  bool result = false;
  Guard guard(QStringLiteral("YwindowControl:StartMetaFile"));
  // A metafile left unfinished goes, with its pens, brushes and font; the new one starts without
  // a pen or brush of its own.
  guard([&] { metaFile_.reset(); });
  guard([&] { metaFile_ = std::make_unique<Ywindow::WmfCanvas>(Pixels(), Measure()); });
  if (!metaFile_) return result;
  guard([&] { MetaFile().SetWindow(grobs_.Xpixels(), grobs_.Ypixels()); });
  guard([&] { MetaFile().SelectFont(font_); });
  guard([&] { result = true; });
  return result;
}

// Drawing without a metafile being built (never started, or already handed on) draws nothing,
// as drawing calls on a closed metafile do.

void YwindowControl::SetPen(int Color, int Thickness) {
  Guarded(QStringLiteral("YwindowControl:SetPen"), [&] {
    if (metaFile_) metaFile_->SetPen(Color, Thickness);
  });
}

void YwindowControl::SetBrush(int Color, int Pattern) {
  Guarded(QStringLiteral("YwindowControl:SetBrush"), [&] {
    if (metaFile_) metaFile_->SetBrush(Color, Pattern);
  });
}

void YwindowControl::MetaTriangle(int Index) {
  Guarded(QStringLiteral("YwindowControl:MetaTriangle"), [&] {
    const Ywindow::Grob& grob = grobs_.At(Index);
    if (metaFile_) Ywindow::DrawMetaTriangle(grob, *metaFile_, remapColors_);
  });
}

bool YwindowControl::BuildMetaFile() {
  bool result = false;
  Guard guard(QStringLiteral("YwindowControl:BuildMetaFile"));
  bool started = false;
  guard([&] { started = StartMetaFile(); });
  if (!started) {
    guard([&] {
      praxel::CurrentPrompter().MsgBox(QStringLiteral("An error occurred while trying to create a metafile."),
                                       praxel::MsgExclamation, QStringLiteral("MetaFile Error"));
    });
    return result;
  }
  for (int index = 0; index < grobs_.Count(); ++index) {
    guard([&] { Ywindow::DrawGrobToMetaFile(grobs_.At(index), MetaFile(), remapColors_); });
  }
  guard([&] { result = true; });
  return result;
}

QString YwindowControl::GetMetaFileInHex() {
  QString result;
  Guard guard(QStringLiteral("YwindowControl:GetMetaFileInHex"));
  bool built = false;
  guard([&] { built = BuildMetaFile(); });
  if (!built) return result;
  guard([&] { result = Ywindow::HexLines(MetaFile().Bytes()); });
  guard([&] { metaFile_.reset(); });
  return result;
}

void YwindowControl::HandOverToClipboard(const QString& text) {
  Guard guard(QStringLiteral("YwindowControl:HandOverToClipboard"));
  // Without a metafile being built there is nothing to hand over, and the clipboard keeps what
  // it holds.
  if (!metaFile_) return;
  Ywindow::ChartClipboardContent content;
  guard([&] {
    const Ywindow::WmfCanvas& metaFile = MetaFile();
    content.wmf = Ywindow::WithPlaceableHeader(metaFile.Bytes(), metaFile.Window(), metaFile.UnitsPerInch());
  });
  guard([&] { content.svg = Ywindow::ChartSvg(grobs_, font_, Pixels(), remapColors_); });
  guard([&] { content.image = Ywindow::ChartImage(grobs_, font_, Pixels(), remapColors_); });
  guard([&] { content.text = text; });
  guard([&] { Ywindow::PutOnClipboard(content); });
  guard([&] { metaFile_.reset(); });
}

void YwindowControl::FinishCopyToClipboard() { HandOverToClipboard(QString()); }

void YwindowControl::CopyToClipboard() {
  Guard guard(QStringLiteral("YwindowControl:CopyToClipboard"));
  bool built = false;
  guard([&] { built = BuildMetaFile(); });
  if (!built) return;
  // The picture in every style; a text-only grid as text too, in the same hand-over.
  QString text;
  guard([&] {
    if (style_ == ywTextOnly) text = Ywindow::GridClipboardText(grid_);
  });
  guard([&] { HandOverToClipboard(text); });
}
