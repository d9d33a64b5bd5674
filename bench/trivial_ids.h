// Resource identifiers of the benchmarks' baseline program.
#pragma once

#define IDD_TRIVIAL 100
#define IDC_TRIVIAL_SECONDS 101
