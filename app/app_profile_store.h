// The settings logic's store on top of the application's profile functions,
// that is, the per-user registry.
#pragma once

#include "app/settings.h"
#include "fw/app.h"

namespace vantrel {

class AppProfileStore : public ProfileStore {
 public:
  explicit AppProfileStore(const fw::CWinApp& app) : app_(app) {}
  int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) override {
    return static_cast<int>(app_.GetProfileInt(section.c_str(), entry.c_str(), defaultValue));
  }
  bool WriteProfileInt(const std::string& section, const std::string& entry, int value) override {
    return app_.WriteProfileInt(section.c_str(), entry.c_str(), value) != FALSE;
  }
  std::string GetProfileString(const std::string& section, const std::string& entry,
                               const std::string& defaultValue) override {
    return app_.GetProfileString(section.c_str(), entry.c_str(), defaultValue.c_str());
  }
  bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) override {
    return app_.WriteProfileString(section.c_str(), entry.c_str(), value.c_str()) != FALSE;
  }

 private:
  const fw::CWinApp& app_;
};

}  // namespace vantrel
