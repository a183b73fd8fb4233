#pragma once

#include <QString>
#include <QStringList>

// What the build proves about the help before it compiles the pages in: every page key has its
// page (a file named by PageFileName whose <title> is the key), every icon key its picture in the
// icon resource list, every link of a page (<a href="KEY">) leads to a page, every guided tour
// goes on from page to page and ends at "Tour list", the "Index" lists every page but the tours'
// steps, and no file of the folder is a page of no key.
namespace Common {

// The faults found, one line each ("task-units.html: the link \"Unit\" leads to no page"); empty
// when the help is whole. PagesFolder holds the pages; IconList is the icons' resource list.
QStringList CheckHelpPages(const QString& PagesFolder, const QString& IconList);

// The key in a page's <title> and the keys its links name, as written.
struct PageLinks {
  QString title;
  QStringList links;
};
PageLinks ReadPageLinks(const QString& Html);

}  // namespace Common
