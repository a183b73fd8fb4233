// The Microsoft Project XML reader and the import over it: every input ends in a clean read or a
// clean refusal, never a crash or a sanitizer report. A document that reads is written and read
// again to the same bytes; a file that imports saves and reads back to the same text.

#include "FuzzSupport.h"

#include "ErrTrap.h"
#include "MspdiDocument.h"
#include "MspdiReader.h"
#include "MspdiWriter.h"
#include "Transfer.h"

#include <QBuffer>

namespace {

// The document's text as the writer gives it; empty when the bytes are no Microsoft Project XML.
QByteArray ReadAndWrite(const QByteArray& bytes) {
  QBuffer input;
  input.setData(bytes);
  input.open(QIODevice::ReadOnly);
  MSProject::Document document;
  if (!MSProject::ReadMspdi(input, document).isEmpty()) return QByteArray();
  QBuffer output;
  output.open(QIODevice::WriteOnly);
  MSProject::WriteMspdi(document, QStringLiteral("again.xml"), output);
  return output.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QByteArray once = ReadAndWrite(bytes);
  if (!once.isEmpty() && ReadAndWrite(once) != once) fuzz::Fail(QStringLiteral("a document read back writes other bytes"));

  const QString path = fuzz::WriteInput(data, size, QStringLiteral("input.xml"));
  fuzz::ClearModel();
  bool imported = false;
  try {
    imported = Transfer::ImportMSProject(path);
  } catch (const ErrTrap::CallChain&) {
    // Stopped through the error trap: what the import made stays, and must still save.
    imported = true;
  }
  if (imported) fuzz::CheckRoundTrip(QStringLiteral(".pxa"));
  return 0;
}
