// Test doubles and helpers for the settings: a store held in memory, a call
// recorder over any store and a terse entry maker.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/settings.h"

namespace vantrel::testing {

// A store held in memory. Besides integers and strings it can hold an
// unreadable value (as a registry value of a foreign type would be), and it
// can be made to refuse writes.
class MemoryStore : public ProfileStore {
 public:
  struct Unreadable {
    bool operator==(const Unreadable&) const { return true; }
  };
  using Value = std::variant<int, std::string, Unreadable>;

  int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) override {
    const int* v = Get<int>(section, entry);
    return v ? *v : defaultValue;
  }
  bool WriteProfileInt(const std::string& section, const std::string& entry, int value) override {
    return Write(section, entry, value);
  }
  std::string GetProfileString(const std::string& section, const std::string& entry,
                               const std::string& defaultValue) override {
    const std::string* v = Get<std::string>(section, entry);
    return v ? *v : defaultValue;
  }
  bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) override {
    return Write(section, entry, value);
  }

  // Direct access: put any value, see which sections exist.
  void Put(const std::string& section, const std::string& entry, Value value) {
    values_[{section, entry}] = std::move(value);
  }
  bool HasSection(const std::string& section) const {
    auto it = values_.lower_bound({section, std::string()});
    return it != values_.end() && it->first.first == section;
  }
  void SetWritable(bool writable) { writable_ = writable; }

 private:
  template <class T>
  const T* Get(const std::string& section, const std::string& entry) const {
    auto it = values_.find({section, entry});
    return it == values_.end() ? nullptr : std::get_if<T>(&it->second);
  }
  bool Write(const std::string& section, const std::string& entry, Value value) {
    if (!writable_) return false;
    values_[{section, entry}] = std::move(value);
    return true;
  }

  std::map<std::pair<std::string, std::string>, Value> values_;
  bool writable_ = true;
};

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
