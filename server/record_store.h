// The server's SQLite store: one row per accepted upload.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "server/record_check.h"

namespace harkwell_server {

class RecordStore {
 public:
  // Opens (creating) the database at `path` in WAL mode; ok() tells whether that worked.
  explicit RecordStore(const std::string& path);
  ~RecordStore();
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  bool ok() const { return db_ != nullptr; }
  const std::string& error() const { return error_; }
  // Whether a record of `trackId` (16 hex digits) is stored.
  bool Has(const std::string& trackId);
  // Stores one upload; false (and error()) on failure.
  bool Add(const CheckedRecord& record, const uint8_t* bytes, size_t size);
  // Every row as one JSON object per line.
  std::vector<std::string> List();

 private:
  sqlite3* db_ = nullptr;
  std::string error_;
};

}  // namespace harkwell_server
