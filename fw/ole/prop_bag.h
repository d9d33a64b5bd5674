// Property exchange through a container's property bag (text persistence):
// one named value per property; a missing value takes its fallback.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "fw/ole/prop_exchange.h"

namespace fw::ole {

class BagReader final : public PropExchange {
 public:
  BagReader(IPropertyBag* bag, IErrorLog* log) : bag_(bag), log_(log) {}
  bool Loading() const override { return true; }
  bool Long(const char* name, std::int32_t& value, std::int32_t fallback) override;
  bool Bool(const char* name, bool& value, bool fallback) override;

 private:
  HRESULT Read(const char* name, VARTYPE vt, VARIANT* out);
  IPropertyBag* bag_;
  IErrorLog* log_;
};

class BagWriter final : public PropExchange {
 public:
  explicit BagWriter(IPropertyBag* bag) : bag_(bag) {}
  bool Loading() const override { return false; }
  bool Long(const char* name, std::int32_t& value, std::int32_t fallback) override;
  bool Bool(const char* name, bool& value, bool fallback) override;

 private:
  bool Write(const char* name, VARIANT* v);
  IPropertyBag* bag_;
};

}  // namespace fw::ole
