#pragma once

#include <QPainter>

class QPrinter;

namespace Ywindow {

// One print job: a painter on the printer, open from the job's first piece until EndDoc sends
// it. Drawing is in the printer's dots, from the top left of the printable area.
class PrintJob {
 public:
  ~PrintJob();

  bool Active() const { return painter_.isActive(); }
  // Opens the job on the printer; the platform's "Printer error" (482), saying why, when it
  // cannot be opened.
  void Begin(QPrinter& printer);
  // Starts the next page of an open job.
  void NewPage();
  // Sends an open job; nothing when none is open.
  void End();

  QPainter& Painter() { return painter_; }
  // Twips per dot of the printer the job is open on.
  double TwipsPerDot() const { return twipsPerDot_; }

 private:
  QPainter painter_;
  QPrinter* printer_ = nullptr;
  double twipsPerDot_ = 1;
};

}  // namespace Ywindow
