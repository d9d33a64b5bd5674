// Every catch-all at a boundary that nothing may cross (a window procedure, a
// COM method, the entry point) reports what it caught before it carries on:
// a fault in the field or in a failing test then leaves a trace instead of
// vanishing. The trace goes to the debugger through OutputDebugStringA; under
// Wine it shows with WINEDEBUG=+debugstr.
#pragma once

namespace fw {

// Call only inside a catch block: writes "caught in <where>: <what>", with
// the exception's text when it is a std::exception.
void ReportCaught(const char* where) noexcept;

}  // namespace fw
