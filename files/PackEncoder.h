#pragma once

#include "Crc16.h"
#include "PackFormat.h"
#include "WindowIndex.h"

#include <QByteArray>
#include <QByteArrayView>

namespace praxel {

// Packs text as it arrives. The writer keeps a pending text of up to 128 codes that stands in
// the window at the match offset; each new code either continues it there, continues it at
// another place where the pending text also stands, or makes the writer emit a tag for the front
// of the pending text. Finish() emits the rest and writes the end mark and the check value.
//
// Every tag written decodes, by the reader's rule, to the text it stands for: when the window
// update of a tag overwrites the place where the rest of the pending text stood, that rest is
// matched again from scratch.
class PackEncoder {
 public:
  PackEncoder();
  ~PackEncoder();
  PackEncoder(const PackEncoder&) = delete;
  PackEncoder& operator=(const PackEncoder&) = delete;

  void Write(char code);
  void Write(QByteArrayView text);
  // Emits the pending text, then the end mark and the check value. Call once, after the last
  // Write.
  void Finish();

  // The packed bytes produced since the last call.
  QByteArray TakeOutput();
  // The check value of the text written so far.
  quint16 Check() const { return check_.Value(); }

 private:
  void Add(unsigned char code);
  void EmitFront();
  // Two bytes more of output.
  void Put(char first, char second);

  PackWindow window_;
  WindowIndex index_;
  // The pending text is the window's codes from the match offset on: there is no copy of it.
  int matchOffset_ = 0;
  int pendingLength_ = 0;

  Crc16 check_;
  // The output: its first outputSize_ bytes are written, the rest is room.
  QByteArray output_;
  qsizetype outputSize_ = 0;
  bool finished_ = false;
};

}  // namespace praxel
