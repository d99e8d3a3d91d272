// The store that keeps a broker's state in an SQLite file, so that a new process configuring
// the same file carries on where the last one stopped.
#ifndef SIMTRADER_BROKER_SQLITE_STORE_H
#define SIMTRADER_BROKER_SQLITE_STORE_H

#include <memory>
#include <string>

#include "broker/store.h"

namespace simtrader {

// What a file is marked with as ours, and the layout of its tables.
inline constexpr int kStoreApplicationID = 0x51564252;  // "QVBR"
inline constexpr int kStoreSchemaVersion = 2;

// Opens the store at `path`, making it if the file does not exist or is empty. Throws
// std::invalid_argument, writing nothing to the file, for a file that is not an SQLite
// database, one of another application, or one of another schema version; std::runtime_error
// when SQLite fails otherwise.
std::unique_ptr<BrokerStore> OpenSqliteStore(const std::string &path);

}  // namespace simtrader

#endif
