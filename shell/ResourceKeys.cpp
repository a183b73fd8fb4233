#include "ResourceKeys.h"

#include "Guard.h"
#include "RuntimeError.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Compiled-in resources of the shell live in this library: they must be registered by name.
static void InitShellResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)done;
}

namespace Common {

namespace {

constexpr int kLookupBase = 1000;
constexpr int kNextPageBase = 2000;
constexpr int kIconBase = 4000;
constexpr int kErrResourceNotFound = 326;

[[noreturn]] void RaiseResourceNotFound(int id) {
  throw praxel::RuntimeError(kErrResourceNotFound, QStringLiteral("Resource with identifier '%1' not found").arg(id));
}

// The picture of an icon resource, drawn from its vector picture at the sizes the program uses.
QIcon LoadIconResource(int id) {
  static QHash<int, QIcon> loaded;
  if (const auto found = loaded.constFind(id); found != loaded.constEnd()) return *found;
  const QString key = ResourceKeys().StoredKey(id - kIconBase);
  if (!key.endsWith(QLatin1String(".ico"))) RaiseResourceNotFound(id);
  InitShellResources();
  QSvgRenderer renderer(QStringLiteral(":/icons/") + key);
  if (!renderer.isValid()) RaiseResourceNotFound(id);
  QIcon icon;
  for (const int size : {16, 24, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  loaded.insert(id, icon);
  return icon;
}

}  // namespace

int HashKey(QString& Key) {
  int slot = -1;
  ErrTrap::Guarded(QStringLiteral("Common:HashKey"), [&] { slot = ResourceKeys().HashKey(Key); });
  return slot;
}

QString ResourceText(int id) {
  const int slot = id % kLookupBase;
  const QString key = ResourceKeys().StoredKey(slot);
  if (id >= kLookupBase && id < kLookupBase + KeyTable::kSlots) return key;
  if (id >= kNextPageBase && id < kNextPageBase + KeyTable::kSlots) return NextPageOf(key);
  return QString();
}

QIcon GetResIcon(QString& Name) {
  QIcon icon;
  ErrTrap::Guarded(QStringLiteral("Common:GetResIcon"), [&] { icon = LoadIconResource(kIconBase + HashKey(Name)); });
  return icon;
}

QString ChopAtNull(const QString& Text) {
  const qsizetype nul = Text.indexOf(QChar(u'\0'));
  return nul < 0 ? Text : Text.left(nul);
}

}  // namespace Common
