#include "engine/AppInfo.hpp"

namespace KVCore {
namespace {
// Filled in by main before KVCore::init; read-only afterwards.
AppInfo info;
} // namespace

AppInfo& appInfo() { return info; }

} // namespace KVCore
