#pragma once

#include "HelpKeys.h"

#include <QIcon>
#include <QString>

// The help pages and the icons by their keys (the table is in HelpKeys.h): the lookups the
// windows use, guarded by the error trap.
namespace Common {

// HashKey over the program's table.
int HashKey(QString& Key);

// The text of a resource by its number, as the key and next-page resources are read: the
// LOOKUP text (1000 + h) or the NEXTPAGE text (2000 + h); empty when the slot has no such resource.
QString ResourceText(int id);

// The icon of the icon resource 4000 + HashKey(Name) ("Task.ico"); Name becomes the key as stored.
// A name the table does not hold asks for resource 3999, which does not exist: error 326 through
// the error trap, and an empty icon when the user goes on.
QIcon GetResIcon(QString& Name);

// The text up to, not including, its first NUL character; the whole text when it has none.
QString ChopAtNull(const QString& Text);

}  // namespace Common
