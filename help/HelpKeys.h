#pragma once

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

// Every help page's key and every icon's key ("Task.ico"), as stored.
const QStringList& PageKeys();
const QStringList& IconKeys();

// The program's table: every page key, then every icon key.
const KeyTable& ResourceKeys();

// The page that Next leads to from a guided tour's page (stored key); empty for other pages.
QString NextPageOf(const QString& StoredKey);

// The stored key that a key asks for, trying its singular forms when the key itself is not in
// the table: "Dependencies" tries "Dependencie", then finds "Dependency"; "Tasks" finds "Task".
// Empty when no form is in the table.
QString FindPageKey(const QString& Key);

// The name of a page's file among the help pages: the key in lower case, every run of other
// characters than letters and digits made one "-" ("Task.Units" -> "task-units.html").
QString PageFileName(const QString& Key);

}  // namespace Common
