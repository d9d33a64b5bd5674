// The gauge's properties as a property bag delivers them. Reading a bag value
// and coercing it to a number or a boolean happens in the platform
// (IPropertyBag::Read, VariantChangeType, Win32 side); what the control itself
// makes of the outcomes is the exchange routine, fuzzed here: each value it
// asks for arrives with any content, is missing (its fallback applies) or
// fails, as the input says.
#include <map>
#include <set>
#include <string>

#include "fuzz/fuzz_support.h"
#include "gauge/gauge_props.h"

namespace {

class ScriptedBag final : public fw::ole::PropExchange {
 public:
  explicit ScriptedBag(fuzzing::Input& in) : in_(in) {}
  bool Loading() const override { return true; }
  bool Long(const char* name, std::int32_t& value, std::int32_t fallback) override {
    switch (Next(name)) {
      case kPresent:
        value = static_cast<std::int32_t>(in_.U32());
        break;
      case kMissing:
        value = fallback;
        break;
      default:
        return Fail();
    }
    read[name] = value;
    return true;
  }
  bool Bool(const char* name, bool& value, bool fallback) override {
    switch (Next(name)) {
      case kPresent:
        value = in_.Byte() & 1;
        break;
      case kMissing:
        value = fallback;
        break;
      default:
        return Fail();
    }
    read[name] = value;
    return true;
  }
  // The value each name was given, present or fallback.
  std::map<std::string, std::int64_t> read;
  bool failed = false;

 private:
  enum Outcome { kPresent, kMissing, kFailed };
  Outcome Next(const char* name) {
    FUZZ_CHECK(name && !failed);             // no reads after a failure
    FUZZ_CHECK(asked_.insert(name).second);  // each value is read once
    const auto o = static_cast<Outcome>(in_.Byte() % 3);
    failed = o == kFailed;
    return o;
  }
  fuzzing::Input& in_;
  std::set<std::string> asked_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input in(data, size);
  const fw::ole::Extent before{static_cast<std::int32_t>(in.U32()), static_cast<std::int32_t>(in.U32())};
  const bool reverseBefore = in.Byte() & 1, percentBefore = in.Byte() & 1;
  fw::ole::Extent extent = before;
  zelbo::GaugeState state;
  state.SetReverseScheme(reverseBefore);
  state.SetPercent(percentBefore);

  ScriptedBag bag(in);
  const bool ok = zelbo::ExchangeProps(bag, extent, state);
  FUZZ_CHECK(ok == !bag.failed && ok == bag.Ok());
  if (!ok) {
    // The control resets after a failed load; the exchange itself changes nothing.
    FUZZ_CHECK(extent.cx == before.cx && extent.cy == before.cy);
    FUZZ_CHECK(state.ReverseScheme() == reverseBefore && state.Percent() == percentBefore);
    return 0;
  }
  // Each value landed in its own field.
  FUZZ_CHECK(extent.cx == bag.read["_ExtentX"] && extent.cy == bag.read["_ExtentY"]);
  FUZZ_CHECK(state.ReverseScheme() == bag.read["ReverseScheme"] && state.Percent() == bag.read["Percent"]);
  // Whatever arrived saves and loads back through the stream unchanged.
  fw::ole::StreamWriter writer;
  FUZZ_CHECK(zelbo::ExchangeProps(writer, extent, state));
  FUZZ_CHECK(writer.Bytes().size() == zelbo::kStreamBytes);
  fw::ole::Extent reloaded;
  zelbo::GaugeState again;
  fw::ole::StreamReader reader(writer.Bytes().data(), writer.Bytes().size());
  FUZZ_CHECK(zelbo::ExchangeProps(reader, reloaded, again));
  FUZZ_CHECK(reloaded.cx == extent.cx && reloaded.cy == extent.cy);
  FUZZ_CHECK(again.ReverseScheme() == state.ReverseScheme() && again.Percent() == state.Percent());
  return 0;
}
