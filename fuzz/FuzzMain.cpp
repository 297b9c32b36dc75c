// Entry point of one fuzz program; SORVAN_FUZZ_ENTRY names the reader.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    (void)SORVAN_FUZZ_ENTRY(data, size);
    return 0;
}
