#pragma once

#include <QString>

class Yfile;

// A file object from the pool, named `path`, that goes back to the pool however the scope is
// left. A destructor lets nothing out: a file object that fails to go back stays out of the pool.
class PooledFile {
 public:
  explicit PooledFile(const QString& path);
  ~PooledFile();
  PooledFile(const PooledFile&) = delete;
  PooledFile& operator=(const PooledFile&) = delete;

  Yfile& operator*() const { return *file_; }
  Yfile* operator->() const { return file_; }

 private:
  Yfile* file_;
};
