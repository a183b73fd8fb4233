#pragma once

#include "RuntimeError.h"

#include <QObject>
#include <QString>

#include <exception>
#include <utility>

// The error trap. Every guarded procedure hands the failures it meets, with its location
// ("Module:Procedure"), to TrapError. The trap asks the user once, at the innermost procedure,
// whether to abort, retry or ignore, and logs the answer; on Abort it passes a CallChain up
// through every guarded caller, each adding its location, until an event handler (a Site made
// with Handler) writes the chain to the log and ends it.
//
// The program and each shared library of ours carry their own copy of this module: its own main
// window reference and its own log file. A chain that starts in a library under a call from the
// program continues in the program, because CallChain crosses the library boundary unchanged.
namespace ErrTrap {

// Where a guarded procedure sits: its location, "Module:Procedure" (a property procedure adds
// " [Property Get]", " [Property Let]" or " [Property Set]"), and whether it is an event handler:
// a Qt slot, timer tick or event override that starts work, where a call chain ends. A location
// on its own is a plain procedure's; an event handler's is made with Handler.
class Site {
 public:
  // Not explicit: a location given on its own is a plain procedure's site.
  Site(QString location) : location_(std::move(location)) {}

  const QString& Text() const { return location_; }
  bool IsEventHandler() const { return eventHandler_; }

 private:
  friend Site Handler(QString location);
  QString location_;
  bool eventHandler_ = false;
};

// The site of an event handler, named as its control's event:
//   Handler(QStringLiteral("Main:FileOpenMenu_Click"))
inline Site Handler(QString location) {
  Site site(std::move(location));
  site.eventHandler_ = true;
  return site;
}

// Error 20000: the call chain on its way up to the event handler that started it.
class CallChain : public std::exception {
 public:
  explicit CallChain(QString chain);
  ~CallChain() override;
  // One line per guarded procedure passed so far, each two blanks and its location, outermost first.
  const QString& Chain() const { return chain_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  QString chain_;
  std::string what_;
};

// Called by a guarded procedure's handler, inside its catch block, with the procedure's
// site. Returns praxel::AnswerRetry (run the failed step again) or praxel::AnswerIgnore
// (go on after it); on Abort it throws CallChain to the caller, or in an event handler logs the
// chain, clears the main window's status message and returns praxel::AnswerAbort.
int TrapError(const Site& Location);

// How many failures this copy of the trap has asked the user about since the program started: a
// caller that compares the count before and after a piece of work learns whether anything in
// it failed, whatever the user answered.
int FailuresAsked();

// How failures over input (a damaged file) are told. By default as any failure: "Internal error
// 10000: ..." in the trap's box, and logged. A command-line tool that prints them to its user
// tells them plainly, as their own description, and logs nothing: nothing in it failed.
void SetInputErrorsPlain(bool plain);

// The log is bounded: an entry quotes at most kLongestLogMessage characters of its message, and
// once the log is kLogLimit bytes long it becomes the previous log (its name and ".1", replacing
// an older one) and a new one starts.
inline constexpr int kLongestLogMessage = 2000;
inline constexpr qint64 kLogLimit = qint64{1} << 20;

// Appends one entry to this copy's log: with Answer 0 the message alone, else a full entry.
// Never fails: whatever cannot be written is skipped.
void LogError(const QString& Message, const QString& Location, int Answer);

// Dir and Name joined by "/" (none added when Dir already ends in one).
QString JoinPath(const QString& Dir, const QString& Name);

// Remembers the main window, whose StatusMessage member the trap calls by name to clear the
// status message when a chain ends. Without it the clearing is skipped.
void SetErrTrapForm(QObject* MainWindow);

// The file this copy writes: "ErrTrap.log" for the program, "<library>-ErrTrap.log" for a library.
QString LogFilePath();
// The executable or library that holds this copy.
QString ModuleFile();

// The number and description of a failure, as the user is shown it.
struct ErrorInfo {
  int number;
  QString description;
  bool input = false;  // a praxel::InputError: the input was at fault, not the program
};
ErrorInfo ErrorOf(std::exception_ptr failure);

}  // namespace ErrTrap
