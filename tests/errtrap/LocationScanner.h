#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Finds the locations that source code hands to the error trap, and the function each one sits
// in, so that a test can hold every location to its function.
//
// A location is found where the code spells it out as a string literal, outside comments:
//   "Module:Procedure"          a whole location, such as "Main:OpenFile"
//   Location("Procedure")       a procedure of the module that the file's Location helper adds
//                               (also Location(QStringLiteral("Procedure")))
//   ":Procedure"                a procedure added to a module name made at run time
// Each may end in " [Property Get]", " [Property Let]" or " [Property Set]". A literal followed
// by "+" is the start of a location built at run time ("Main:" + name + "_Click").
//
// The reading of C++ is rough but enough for our sources: braces after a parameter list open a
// function's body (after "]" a lambda's, which belongs to its function); braces after
// "namespace", "class" or "struct" and a name open that scope.
namespace locations {

struct Found {
  int line = 0;
  QString module;         // "Main"; empty when a helper or run-time code adds it
  QString procedure;      // "OpenFile", without the property kind
  QString property;       // "Get", "Let", "Set" or empty
  bool partial = false;   // only the start of a location built at run time
  bool handler = false;   // an event handler's: made with Handler(...)
  QString function;       // the enclosing function's name; empty outside any function
  bool inLambda = false;  // inside a lambda within that function
  QString owner;          // the class of "Yfile::LoadField", else the enclosing class or namespace

  // The location as written, the module left out when the code does not spell it.
  QString Text() const;
};

// Every location literal of one source file, in order.
QList<Found> Scan(const QString& source);

// What is wrong with one location, or empty:
// - its procedure is not the enclosing function's name (a Let or Set property procedure may
//   also sit in "Set" + its name). An event handler's may also sit in a lambda, the slot that
//   stands for the handler, or in a Qt event override (notify, event, eventFilter, ...Event)
//   that passes the event to it;
// - a procedure whose name holds "_" (an event handler's, named as its control's event) is not
//   made with Handler, or a Handler location's procedure holds no "_".
QString Problem(const Found& found);

// Where one file's locations mix modules: the members of one class, or the functions of one
// namespace, that name more than one module. One line each: "Owner: Main (line 12), Common (line 40)".
QStringList ModuleMixes(const QList<Found>& found);

}  // namespace locations
