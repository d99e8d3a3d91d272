#include "api/connection.h"

#include <mutex>
#include <utility>

namespace simtrader {

namespace {

std::mutex factory_mutex;
ConnectionFactory installed_factory;

}  // namespace

std::vector<std::string> SubscribedIds(const Request &request) {
  std::vector<std::string> ids;
  constexpr std::size_t kSlot = sizeof(TThostFtdcInstrumentIDType);
  for (std::size_t offset = 0; offset + kSlot <= request.record.size(); offset += kSlot) {
    ids.emplace_back(request.record.c_str() + offset);
  }
  return ids;
}

ConnectionFactory InstalledConnectionFactory() {
  std::lock_guard<std::mutex> lock(factory_mutex);
  return installed_factory;
}

void SetConnectionFactory(ConnectionFactory factory) {
  std::lock_guard<std::mutex> lock(factory_mutex);
  installed_factory = std::move(factory);
}

}  // namespace simtrader
