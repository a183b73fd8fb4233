#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What the harnesses share: a program data folder of their own, a prompter that answers every
// question as the command-line tool does (an error's box: Abort), and the round trip that every
// load that succeeds must pass. The support library also holds LLVMFuzzerInitialize, which sets
// all this up once per process.
namespace fuzz {

// The path of a file of that name in the program data folder.
QString DataPath(const QString& name);
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

// Writes the fuzzer's input to the file of that name in the program data folder; its path.
QString WriteInput(const std::uint8_t* data, std::size_t size, const QString& name);

// Frees the model and forgets the error trap's log.
void ClearModel();

// Frees the model and reads the file into it; True when the whole file was read.
bool LoadFile(const QString& path);

// Saves what is loaded as a file with the extension (".pxa" or ".pxb"), reads it back into a
// clean model and saves that again: both saves must succeed and give the same bytes. Stops the
// process with a message when they do not.
void CheckRoundTrip(const QString& extension);

// Stops the process with the message: libFuzzer keeps the input that caused it.
[[noreturn]] void Fail(const QString& message);

}  // namespace fuzz
