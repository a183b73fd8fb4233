#include "PooledFile.h"

#include "Pool.h"
#include "Yfile.h"

PooledFile::PooledFile(const QString& path) : file_(NewYfile()) { file_->SetFileName(path); }

PooledFile::~PooledFile() {
  try {
    Common::FreeY(file_);
  } catch (...) {
    // Nothing leaves a destructor; the file object stays out of the pool.
  }
}
