// libFuzzer target: the reader of Timewarrior's JSON on arbitrary bytes (ImportReadersFuzz.h).
#include "ImportReadersFuzz.h"
#include "import/TimewarriorReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tw::fuzz::readAnything(data, size, tw::TimewarriorReader::read);
  return 0;
}
