#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>

namespace praxel {

// Saving a file whole or not at all. The text goes to a QSaveFile, a temporary file beside the
// target that takes the target's place only when complete; these helpers make sure that
// "complete" means every byte reached the disk.
//
// QSaveFile on its own loses a full disk's error twice: a small write sits in its buffer and
// fails at the flush inside commit(), which commit() does not check, so a cut file replaces the
// old one; and a write cut short is taken as written, with no error but "Unknown error". Here the
// file is written unbuffered, a short write is followed by a write of the rest (which fails with
// the disk's own error, "No space left on device"), and the text is synced before the commit.

// Opens the file for a save. False when it cannot be created; errorString() says why.
bool OpenForSave(QSaveFile& file);

// Writes all of the bytes. False when they cannot all be written; errorString() says why.
bool WriteAll(QFileDevice& file, QByteArrayView bytes);

// Puts a file opened with OpenForSave in place of its target. Returns the error, or an empty text
// once the file is in place. On an error the temporary file is gone and the target is as it was.
QString CommitSave(QSaveFile& file);

// The three in one: saves `bytes` as the file at `path`. Returns the error, empty when saved.
QString SaveWhole(const QString& path, QByteArrayView bytes);

}  // namespace praxel
