#include "PageCheck.h"

#include "HelpKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace Common {

namespace {

// Tour steps ("Tour 2.10") are reached through their tour, not from the index.
bool IsTourStep(const QString& key) {
  static const QRegularExpression step(QStringLiteral("^Tour \\d"));
  return step.match(key).hasMatch();
}

QString DecodeEntities(QString text) {
  return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
      .replace(QLatin1String("&gt;"), QLatin1String(">"))
      .replace(QLatin1String("&quot;"), QLatin1String("\""))
      .replace(QLatin1String("&#39;"), QLatin1String("'"))
      .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

// The aliases of an icon resource list whose picture file exists beside it.
QSet<QString> IconsPresent(const QString& iconList) {
  QSet<QString> present;
  static const QRegularExpression entry(QStringLiteral("<file\\s+alias=\"([^\"]+)\"\\s*>([^<]+)</file>"));
  const QDir folder = QFileInfo(iconList).dir();
  auto matches = entry.globalMatch(ReadText(iconList));
  while (matches.hasNext()) {
    const QRegularExpressionMatch match = matches.next();
    if (QFileInfo::exists(folder.filePath(match.captured(2).trimmed()))) present.insert(match.captured(1));
  }
  return present;
}

void CheckTours(QStringList& faults) {
  for (const QString& page : PageKeys()) {
    QString at = NextPageOf(page);
    if (at.isEmpty()) continue;
    // A tour has far fewer pages than the table has keys: a longer walk goes round in a circle.
    for (int steps = 0; at != QLatin1String("Tour list"); ++steps) {
      if (!PageKeys().contains(at)) {
        faults.append(QStringLiteral("the tour from \"%1\" leads to \"%2\", which has no page").arg(page, at));
        break;
      }
      if (steps > KeyTable::kSlots || NextPageOf(at).isEmpty()) {
        faults.append(QStringLiteral("the tour from \"%1\" does not end at \"Tour list\"").arg(page));
        break;
      }
      at = NextPageOf(at);
    }
  }
}

}  // namespace

PageLinks ReadPageLinks(const QString& Html) {
  static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                        QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression link(QStringLiteral("<a\\s[^>]*href=\"([^\"]*)\""));
  PageLinks page;
  page.title = DecodeEntities(title.match(Html).captured(1).trimmed());
  auto matches = link.globalMatch(Html);
  while (matches.hasNext()) page.links.append(DecodeEntities(matches.next().captured(1)));
  return page;
}

QStringList CheckHelpPages(const QString& PagesFolder, const QString& IconList) {
  QStringList faults;
  const QDir folder(PagesFolder);
  QSet<QString> pageFiles;
  for (const QString& key : PageKeys()) {
    const QString name = PageFileName(key);
    pageFiles.insert(name);
    if (!folder.exists(name)) {
      faults.append(QStringLiteral("the page \"%1\" is missing (%2)").arg(key, name));
      continue;
    }
    const PageLinks page = ReadPageLinks(ReadText(folder.filePath(name)));
    if (page.title != key) faults.append(QStringLiteral("%1: the title is \"%2\", not \"%3\"").arg(name, page.title, key));
    for (const QString& target : page.links) {
      const QString found = FindPageKey(target.trimmed());
      if (!PageKeys().contains(found)) {
        faults.append(QStringLiteral("%1: the link \"%2\" leads to no page").arg(name, target));
      }
    }
    if (key == QLatin1String("Index")) {
      QSet<QString> listed;
      for (const QString& target : page.links) listed.insert(FindPageKey(target.trimmed()));
      for (const QString& other : PageKeys()) {
        if (other != key && !IsTourStep(other) && !listed.contains(other)) {
          faults.append(QStringLiteral("%1: the index does not list \"%2\"").arg(name, other));
        }
      }
    }
  }
  for (const QString& name : folder.entryList({QStringLiteral("*.html")}, QDir::Files)) {
    if (!pageFiles.contains(name)) faults.append(QStringLiteral("%1: no help key has this page").arg(name));
  }
  const QSet<QString> icons = IconsPresent(IconList);
  for (const QString& key : IconKeys()) {
    if (!icons.contains(key)) faults.append(QStringLiteral("the icon \"%1\" has no picture").arg(key));
  }
  CheckTours(faults);
  return faults;
}

}  // namespace Common
