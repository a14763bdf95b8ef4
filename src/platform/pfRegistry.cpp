#include "platform/pfRegistry.h"

#include <QSettings>

#include "util/cp1251.h"

namespace platform {
namespace {

// A key path becomes a settings group: backslashes separate its parts there too.
QString Group(const std::string& path) {
  QString g = cp1251::ToQString(path);
  g.replace('\\', '/');
  while (g.startsWith('/')) g.remove(0, 1);
  return g;
}

class SettingsRegistry : public Registry {
 public:
  void Write(const std::string& path, const std::string& name, const std::string& value) override {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "remont", "remont");
    s.beginGroup(Group(path));
    s.setValue(cp1251::ToQString(name), cp1251::ToQString(value));
  }
  std::optional<std::string> Read(const std::string& path, const std::string& name) override {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "remont", "remont");
    s.beginGroup(Group(path));
    const QVariant v = s.value(cp1251::ToQString(name));
    if (!v.isValid()) return std::nullopt;
    return cp1251::FromQString(v.toString());
  }
  void Remove(const std::string& path, const std::string& name) override {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "remont", "remont");
    s.beginGroup(Group(path));
    s.remove(cp1251::ToQString(name));
  }
};

Registry*& current() {
  static Registry* r = nullptr;
  return r;
}

}  // namespace

Registry& registry() {
  static SettingsRegistry settings;
  return current() ? *current() : settings;
}

Registry* SetRegistry(Registry* replacement) {
  Registry* previous = current();
  current() = replacement;
  return previous;
}

void MemoryRegistry::Write(const std::string& path, const std::string& name, const std::string& value) {
  values[{cp1251::Lower(path), name}] = value;
  writes.emplace_back(name, value);
}

std::optional<std::string> MemoryRegistry::Read(const std::string& path, const std::string& name) {
  const auto it = values.find({cp1251::Lower(path), name});
  if (it == values.end()) return std::nullopt;
  return it->second;
}

void MemoryRegistry::Remove(const std::string& path, const std::string& name) {
  values.erase({cp1251::Lower(path), name});
}

}  // namespace platform
