// Test helpers over any ProfileStore: a call recorder and a terse entry maker.
#pragma once

#include <string>
#include <vector>

#include "app/settings.h"

namespace vantrel::testing {

// Passes every call through and logs it as "R section/entry" or
// "W section/entry=value", so that tests can check the order of access.
class RecordingStore : public ProfileStore {
 public:
  explicit RecordingStore(ProfileStore& inner) : inner_(inner) {}
  std::vector<std::string> log;

  int GetProfileInt(const std::string& s, const std::string& e, int d) override {
    log.push_back("R " + s + "/" + e);
    return inner_.GetProfileInt(s, e, d);
  }
  bool WriteProfileInt(const std::string& s, const std::string& e, int v) override {
    log.push_back("W " + s + "/" + e + "=" + std::to_string(v));
    return inner_.WriteProfileInt(s, e, v);
  }
  std::string GetProfileString(const std::string& s, const std::string& e, const std::string& d) override {
    log.push_back("R " + s + "/" + e);
    return inner_.GetProfileString(s, e, d);
  }
  bool WriteProfileString(const std::string& s, const std::string& e, const std::string& v) override {
    log.push_back("W " + s + "/" + e + "=" + v);
    return inner_.WriteProfileString(s, e, v);
  }

 private:
  ProfileStore& inner_;
};

inline DriveWatchEntry Entry(const std::string& path, bool watch, int drive, bool notify) {
  DriveWatchEntry e;
  e.path = path;
  e.watch = watch;
  e.drive = drive;
  e.notify = notify;
  return e;
}

}  // namespace vantrel::testing
