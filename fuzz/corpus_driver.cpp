// Replays a fuzz target's checked-in corpus without libFuzzer: every file of
// the folders named on the command line, plus the empty input, goes through
// LLVMFuzzerTestOneInput once. A broken invariant aborts the run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// libFuzzer never hands over a null pointer, not even for the empty input.
void Run(const std::vector<char>& bytes) {
  static const std::uint8_t kNone = 0;
  LLVMFuzzerTestOneInput(bytes.empty() ? &kNone : reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  Run({});
  std::size_t files = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(argv[i])) {
      if (entry.is_regular_file()) paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    for (const fs::path& p : paths) {
      std::ifstream in(p, std::ios::binary);
      const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      std::fprintf(stderr, "%s\n", p.filename().c_str());
      Run(bytes);
      ++files;
    }
  }
  std::printf("%zu inputs replayed\n", files);
  // An empty corpus would make the test pass without testing anything.
  return files > 0 ? 0 : 1;
}
