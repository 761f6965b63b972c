#include "server/record_store.h"

#include <nlohmann/json.hpp>

namespace harkwell_server {

namespace {

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS uploads ("
    " id INTEGER PRIMARY KEY,"
    " track_id TEXT NOT NULL,"
    " analyser TEXT, tag_kind TEXT, title TEXT, artist TEXT, composer TEXT, album TEXT,"
    " genre TEXT, year TEXT, track_number TEXT, cddb_ids TEXT, duration TEXT,"
    " events TEXT NOT NULL,"
    " record BLOB NOT NULL,"
    " received TEXT NOT NULL DEFAULT (strftime('%Y-%m-%dT%H:%M:%fZ', 'now')));"
    "CREATE INDEX IF NOT EXISTS uploads_track ON uploads (track_id);";

const char* const kInfoColumns[][2] = {
    {"Harkwell", "analyser"}, {"TagKind", "tag_kind"},     {"Title", "title"},
    {"Artist", "artist"},     {"Composer", "composer"},    {"Album", "album"},
    {"Genre", "genre"},       {"Year", "year"},            {"TrackNumber", "track_number"},
    {"CDDBIDs", "cddb_ids"},  {"Duration", "duration"}};

}  // namespace

RecordStore::RecordStore(const std::string& path) {
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
    error_ = db_ ? sqlite3_errmsg(db_) : "cannot open the database";
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  char* message = nullptr;
  sqlite3_busy_timeout(db_, 5000);
  if (sqlite3_exec(db_, "PRAGMA journal_mode=WAL;", nullptr, nullptr, &message) != SQLITE_OK ||
      sqlite3_exec(db_, kSchema, nullptr, nullptr, &message) != SQLITE_OK) {
    error_ = message ? message : "cannot set up the database";
    sqlite3_free(message);
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

RecordStore::~RecordStore() { sqlite3_close(db_); }

bool RecordStore::Has(const std::string& trackId) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, "SELECT 1 FROM uploads WHERE track_id = ? LIMIT 1", -1, &statement,
                         nullptr) != SQLITE_OK) {
    return false;
  }
  sqlite3_bind_text(statement, 1, trackId.c_str(), -1, SQLITE_TRANSIENT);
  bool found = sqlite3_step(statement) == SQLITE_ROW;
  sqlite3_finalize(statement);
  return found;
}

bool RecordStore::Add(const CheckedRecord& record, const uint8_t* bytes, size_t size) {
  sqlite3_stmt* statement = nullptr;
  const char* sql =
      "INSERT INTO uploads (track_id, analyser, tag_kind, title, artist, composer, album, genre,"
      " year, track_number, cddb_ids, duration, events, record)"
      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
  if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
    error_ = sqlite3_errmsg(db_);
    return false;
  }
  sqlite3_bind_text(statement, 1, record.trackId.c_str(), -1, SQLITE_TRANSIENT);
  int column = 2;
  for (const auto& [key, name] : kInfoColumns) {
    auto it = record.info.find(key);
    if (it == record.info.end()) {
      sqlite3_bind_null(statement, column++);
    } else {
      sqlite3_bind_text(statement, column++, it->second.c_str(), int(it->second.size()),
                        SQLITE_TRANSIENT);
    }
  }
  nlohmann::json events = nlohmann::json::array();
  for (const RecordEvent& e : record.events) {
    events.push_back({e.startFrame, e.codewords[0], e.codewords[1], e.codewords[2], e.codewords[3]});
  }
  const std::string eventText = events.dump();
  sqlite3_bind_text(statement, column++, eventText.c_str(), int(eventText.size()), SQLITE_TRANSIENT);
  sqlite3_bind_blob(statement, column, bytes, int(size), SQLITE_TRANSIENT);
  bool ok = sqlite3_step(statement) == SQLITE_DONE;
  if (!ok) error_ = sqlite3_errmsg(db_);
  sqlite3_finalize(statement);
  return ok;
}

std::vector<std::string> RecordStore::List() {
  std::vector<std::string> lines;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_,
                         "SELECT track_id, artist, title, album, genre, duration, events,"
                         " length(record), received FROM uploads ORDER BY id",
                         -1, &statement, nullptr) != SQLITE_OK) {
    return lines;
  }
  auto text = [&](int i) -> nlohmann::json {
    const unsigned char* value = sqlite3_column_text(statement, i);
    return value ? nlohmann::json(reinterpret_cast<const char*>(value)) : nlohmann::json(nullptr);
  };
  while (sqlite3_step(statement) == SQLITE_ROW) {
    nlohmann::ordered_json row;
    row["trackId"] = text(0);
    row["artist"] = text(1);
    row["title"] = text(2);
    row["album"] = text(3);
    row["genre"] = text(4);
    row["duration"] = text(5);
    row["events"] = nlohmann::json::parse(reinterpret_cast<const char*>(sqlite3_column_text(statement, 6))).size();
    row["recordBytes"] = sqlite3_column_int(statement, 7);
    row["received"] = text(8);
    lines.push_back(row.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  }
  sqlite3_finalize(statement);
  return lines;
}

}  // namespace harkwell_server
