// libFuzzer target: the reader of gtimelog's timelog.txt on arbitrary bytes
// (ImportReadersFuzz.h).
#include "ImportReadersFuzz.h"
#include "import/GtimelogReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tw::fuzz::readAnything(data, size, tw::GtimelogReader::read);
  return 0;
}
