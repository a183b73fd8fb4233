#pragma once

#include "Currency.h"
#include "PerJournal.h"
#include "TextEncoding.h"
#include "Ypooled.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSaveFile>
#include <QString>
#include <QVarLengthArray>

#include <cstdint>
#include <functional>
#include <memory>

class Yproject;
class Yresource;
class Yshift;
class Ytask;
class Ytemplate;

// The file object: the one reader and writer of the record line format. A line is a keyword,
// then a comma before every value, then CR LF; a record is a header line holding only its
// keyword, then one field line each. The kind comes from the name's extension: ".pxa" plain
// text, ".pxb" packed project, ".cfg" packed settings.
//
// Use: take one from the pool (NewYfile), set the name, OpenRead or OpenWrite, read or write,
// CloseFile, free it. Reading takes the whole file in at OpenRead; writing collects the text
// and CloseFile writes it to a temporary file that replaces the target only when complete, so
// a failed save never loses the old file. Failures go to the error trap with the messages the
// program shows ("Error reading file ...").
class Yfile final : public Ypooled {
 public:
  enum Kind : int { KindNone = 0, KindPackedProject = 1, KindPlainProject = 2, KindPackedSettings = 3, KindClosed = 4 };

  int FileType = KindNone;
  // The kind a file of this name is read and written as, by its extension (KindNone for others).
  static int KindOfName(const QString& name);

  int Ytype() const override { return ytFile; }
  void Reset() override;

  const QString& FileName() const { return fileName_; }
  // Stores the name and sets FileType from its extension.
  void SetFileName(const QString& name);

  // Opens the named file and takes its text in; False (after telling the user, but for the
  // settings file) when it cannot be opened. A damaged packed file is reported through the
  // trap with "The file ... is damaged and cannot be read."
  bool OpenRead();
  // Opens the named file for writing; False (after telling the user) when it cannot be.
  bool OpenWrite();
  // Ends the file: a writer packs its text when the kind is packed and puts the file in place.
  // Raises through the trap when the file cannot be written; the old file then stays.
  void CloseFile();
  // True once a writer's CloseFile has put the file in place.
  bool Written() const { return written_; }

  // Makes the file objects that OpenWrite puts the text in, for every file written from now on;
  // none restores the plain QSaveFile. Tests put in file objects that fail, to show that a
  // failed save never harms the old file.
  using SaveFileMaker = std::function<std::unique_ptr<QSaveFile>(const QString& name)>;
  static void SetSaveFileMaker(SaveFileMaker maker);

  // Called after each piece of kBytesPerProgress bytes that OpenRead takes in and every
  // kLinesPerProgress lines while reading, so a caller can keep its window painted.
  static constexpr int kLinesPerProgress = 250;
  static constexpr qint64 kBytesPerProgress = qint64{1} << 20;
  void SetProgressHook(std::function<void()> hook) { progressHook_ = std::move(hook); }

  // The next value of the current line; at the end of the line the next line's keyword; an
  // empty text at the end of the data.
  QString ReadToken();
  // True when nothing of the current line is left.
  bool EndOfLine() const { return restStart_ == restEnd_ && !valuePending_; }
  // Reads a value and fails unless it is `Keyword`.
  void ExpectToken(const QString& Keyword);
  // Makes the whole current line readable again from its keyword.
  void UnReadLine();

  // One field line into a typed target, the keyword checked first. A per-journal field takes
  // one value as a shared value, several as one per journal; their number must match
  // `numJournals`.
  void LoadField(const QString& Keyword, QString& target);
  void LoadField(const QString& Keyword, int& target);
  void LoadField(const QString& Keyword, float& target);
  void LoadField(const QString& Keyword, double& target);
  void LoadField(const QString& Keyword, bool& target);
  void LoadField(const QString& Keyword, PerJournal<QString>& target, int numJournals);
  void LoadField(const QString& Keyword, PerJournal<int>& target, int numJournals);
  void LoadField(const QString& Keyword, PerJournal<double>& target, int numJournals);
  void LoadField(const QString& Keyword, PerJournal<bool>& target, int numJournals);
  void LoadField(const QString& Keyword, PerJournal<std::uint8_t>& target, int numJournals);
  void LoadField(const QString& Keyword, PerJournal<praxel::Currency>& target, int numJournals);
  void LoadField(const QString& Keyword, Presence& target, int numJournals);
  // Dates: the fixed layout "mm/dd/yyyy hh:mmam".
  void LoadDateField(const QString& Keyword, QList<double>& target);
  void LoadDateField(const QString& Keyword, PerJournal<double>& target, int numJournals);
  // A date that the solver counts from day 0, 12/30/1899: an earlier one is refused.
  void LoadDateFromDayZero(const QString& Keyword, PerJournal<double>& target, int numJournals);

  // Links: names that identify the target, creating "<stub>" placeholders for objects whose
  // record has not been read yet.
  void LoadProjectLink(const QString& Keyword, Yproject*& target);
  void LoadProjectLink(const QString& Keyword, PerJournal<Yproject*>& target, int numJournals);
  void LoadResourceLink(const QString& Keyword, PerJournal<Yresource*>& target, int numJournals);
  void LoadTaskLink(const QString& Keyword, PerJournal<Ytask*>& target, int numJournals);
  // Shift names of `templ`; an empty name reads as no shift.
  void LoadShiftLink(const QString& Keyword, PerJournal<Yshift*>& target, int numJournals, const Ytemplate* templ);

  // One field line: the keyword (indented by two blanks unless it is all upper case), then the
  // values. A per-journal field whose journals all agree is written as one value, but for an
  // Include absent from every journal (a shared Include reads True).
  void WriteField(const QString& Keyword, const QString& value);
  void WriteField(const QString& Keyword, int value);
  void WriteField(const QString& Keyword, float value);
  void WriteField(const QString& Keyword, double value);
  void WriteField(const QString& Keyword, bool value);
  void WriteField(const QString& Keyword, const PerJournal<QString>& value);
  void WriteField(const QString& Keyword, const PerJournal<int>& value);
  void WriteField(const QString& Keyword, const PerJournal<double>& value);
  void WriteField(const QString& Keyword, const PerJournal<bool>& value);
  void WriteField(const QString& Keyword, const PerJournal<std::uint8_t>& value);
  void WriteField(const QString& Keyword, const PerJournal<praxel::Currency>& value);
  void WriteField(const QString& Keyword, const Presence& value);
  void WriteField(const QString& Keyword, const Ymodel* link);
  void WriteField(const QString& Keyword, const PerJournal<Yproject*>& links);
  void WriteField(const QString& Keyword, const PerJournal<Yresource*>& links);
  void WriteField(const QString& Keyword, const PerJournal<Ytask*>& links);
  void WriteField(const QString& Keyword, const PerJournal<Yshift*>& links);
  void WriteDateField(const QString& Keyword, const QList<double>& dates);
  void WriteDateField(const QString& Keyword, const PerJournal<double>& dates);

  // The text and a line end.
  void WriteLine(const QString& Text);
  // The text alone.
  void WriteString(const QString& Text);

  // The value formats of the file.
  static QString FormatDate(double day);
  static QString FormatNumber(double value);  // Double: at most 15 significant digits
  static QString FormatNumber(float value);   // Single: at most 7
  static QString FormatNumber(std::int64_t value);
  static QString FormatNumber(praxel::Currency value);
  static QString FormatNumber(bool value);  // "True" or "False"
  // A text value: bare when it reads back as it is, else quoted with inner quotes doubled.
  static QString Quote(const QString& text);

  // What every reading error's text starts with, before "<name>, line <n>: <detail>".
  static constexpr char kReadErrorLead[] = "Error reading file ";
  // Raises error 10000 "Error reading file <name>, line <n>: <detail>", n the line read last, as
  // an input error.
  [[noreturn]] void RaiseReadError(const QString& detail) const;
  // What a reading error quotes of a text read from the file: its first 57 characters and "..."
  // when it is longer than 60, so that a file that is no plan is not quoted whole.
  static QString Excerpt(const QString& text);
  // Notes that the record of `object` was read at the current line; a second record of the same
  // object in one file is a reading error naming both lines and the object as `what` gives it
  // (as the user knows it), asked for only then.
  void ClaimRecord(const void* object, const std::function<QString()>& what);

 private:
  void StartReading();
  bool GetAnotherLine();
  void TakeLine();
  void RestIsWholeLine();
  QByteArrayView ReadValue();
  QByteArrayView NextToken();
  QString LineKeyword() const;
  const QVarLengthArray<QByteArrayView, 4>& ReadValues(const QString& Keyword);
  template <class T, class Convert>
  void LoadScalar(const QString& Keyword, T& target, Convert convert);
  template <class T, class Convert>
  void LoadPerJournal(const QString& Keyword, PerJournal<T>& target, int numJournals, Convert convert);
  template <class T, class Find>
  void LoadPairLinks(const QString& Keyword, PerJournal<T*>& target, int numJournals, Find find);
  void CheckJournalCount(const QString& Keyword, qsizetype count, int numJournals) const;
  template <class Values>
  void WriteValues(const QString& Keyword, Values appendValues);
  template <class Value>
  void AppendValue(const Value& value);
  template <class T, class Format>
  void WritePerJournal(const QString& Keyword, const PerJournal<T>& value, Format format);
  void AppendLink(const Ymodel* link);
  template <class T>
  void WriteLinks(const QString& Keyword, const PerJournal<T*>& links);
  void Append(QStringView text);
  void Append(QByteArrayView ascii);
  void WriteAsciiSoFar();
  // Raises (and fails the save) for a date outside the years the file holds.
  void CheckWritableDate(const QString& Keyword, double day);

  QString fileName_;
  bool writing_ = false;
  bool written_ = false;
  // Reading works on the bytes of the whole text in UTF-8 (a plain ASCII file as it was read)
  // and decodes only the values that are texts. Positions are offsets into text_.
  QByteArray text_;
  qsizetype next_ = 0;  // where the next line starts
  int lineNumber_ = 0;
  bool endOfData_ = false;
  std::function<void()> progressHook_;
  // The current line without its line end; a quoted value that runs on makes it several lines.
  qsizetype lineStart_ = 0;
  qsizetype lineEnd_ = 0;
  // What is left of the current line to read.
  qsizetype restStart_ = 0;
  qsizetype restEnd_ = 0;
  bool valuePending_ = false;  // the line ended in a comma: one empty value is still to come
  // Quoted values of the current line whose doubled quotes were made single, and the values of
  // the field line being loaded.
  QList<QByteArray> unquoted_;
  QVarLengthArray<QByteArrayView, 4> values_;
  QHash<const void*, int> recordLines_;  // the line of each record read so far, by its object
  // Writing: the text so far, and the file that replaces the target when complete.
  TextEncoding::Builder out_;
  std::unique_ptr<QSaveFile> target_;
  QString writeError_;  // the error of a part of the text that could not be written
};

// A file object from the pool.
Yfile* NewYfile();
