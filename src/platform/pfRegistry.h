// Per-user string values under a key path, where the original kept favorites and window positions
// in the registry. The desktop backend is an INI file per user (QSettings); tools and tests use a
// backend in memory so that nothing of the user's is touched.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

class Registry {
 public:
  virtual ~Registry() = default;
  // Paths and names are 1251; a path uses backslashes.
  virtual void Write(const std::string& path, const std::string& name, const std::string& value) = 0;
  virtual std::optional<std::string> Read(const std::string& path, const std::string& name) = 0;
  virtual void Remove(const std::string& path, const std::string& name) = 0;
};

Registry& registry();
Registry* SetRegistry(Registry* replacement);  // nullptr restores the desktop backend

class MemoryRegistry : public Registry {
 public:
  void Write(const std::string& path, const std::string& name, const std::string& value) override;
  std::optional<std::string> Read(const std::string& path, const std::string& name) override;
  void Remove(const std::string& path, const std::string& name) override;

  // (path, name) -> value; names compare exactly as written, paths without regard to case.
  std::map<std::pair<std::string, std::string>, std::string> values;
  // Every write in order, for those who want to see what was written and when.
  std::vector<std::pair<std::string, std::string>> writes;
};

}  // namespace platform
