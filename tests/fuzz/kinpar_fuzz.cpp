// kinpar.ini: whatever an existing file holds, saving the parameters into it
// gives a file that reads back to exactly the values saved.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "reactions/kinpar_file.h"

using namespace korvane;

namespace {

// Distinct values (none -1, which reads as missing) that 15 significant
// digits hold exactly, and notes.
TKineticParameterSet SavedSet() {
  TKineticParameterSet set;
  for (int i = 0; i < kKineticParameterCount; ++i) set.Table[i] = 1.5 + i;
  for (int i = 0; i < kAlternativeParameterCount; ++i) {
    set.AlternativeValues[i] = i / 8.0;
    set.AlternativeNotes[i] = "note " + std::to_string(i);
  }
  return set;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("korvane-fuzz-kinpar-" + std::to_string(getpid()) + ".ini");
  static const TKineticParameterSet saved = SavedSet();
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                              static_cast<std::streamsize>(size));
  for (const char separator : {',', '.'}) {
    KORVANE_FUZZ_CHECK(WriteKineticParameterFile(file.string(), saved, separator).ok());
    TKineticParameterSet read;
    KORVANE_FUZZ_CHECK(ReadKineticParameterFile(file.string(), read).Damage == 0);
    KORVANE_FUZZ_CHECK(read.Table == saved.Table);
    KORVANE_FUZZ_CHECK(read.RadicalActivity == saved.RadicalActivity);
    KORVANE_FUZZ_CHECK(read.AlternativeValues == saved.AlternativeValues);
    KORVANE_FUZZ_CHECK(read.AlternativeNotes == saved.AlternativeNotes);
  }
  std::filesystem::remove(file);
  return 0;
}
