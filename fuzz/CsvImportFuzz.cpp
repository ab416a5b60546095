// libFuzzer target: the reader of web trackers' CSV exports on arbitrary bytes
// (ImportReadersFuzz.h).
#include "ImportReadersFuzz.h"
#include "import/CsvReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tw::fuzz::readAnything(data, size,
                         [](tw::InputText& input) { return tw::CsvReader::read(input, {}); });
  return 0;
}
