#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

#include <array>

// The help pages, the guided tours' next pages and the icons are found by a text key through one
// open-addressing table of 1000 slots. A key hashes, without regard to case, to its home slot h
// (h = (h * 17 + code of the upper-case character) mod 1000, over the key's characters); a key
// whose home slot is taken lies in the next free slot after it, wrapping from 999 to 0. A slot's
// resources sit at fixed numbers: the key as stored at 1000 + h, the next page of a tour at
// 2000 + h, the help page at 3000 + h and the icon at 4000 + h.
namespace Common {

// A table of keys placed one after another by the hash and probing rule.
class KeyTable {
 public:
  static constexpr int kSlots = 1000;

  // Places the keys in this order; a table keeps at least one slot free.
  explicit KeyTable(const QStringList& keys);

  // The home slot of a key.
  static int Hash(const QString& key);
  // The slot that holds the key, found without regard to case, or -1. When found, the key
  // becomes the key as stored ("task.ico" becomes "Task.ico").
  int HashKey(QString& Key) const;
  // The key stored in a slot; empty for a free slot or a slot outside the table.
  QString StoredKey(int slot) const;
  int Count() const { return count_; }

 private:
  std::array<QString, kSlots> slots_;
  int count_ = 0;
};

// The program's table: every help page key and every icon key.
const KeyTable& ResourceKeys();

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
