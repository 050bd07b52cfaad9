// The check a GenICam XML passes before Aravis sees it: any text is read or
// refused, quickly and without deep recursion.
#include "aravisxml_p.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::refusable([&] { ParameterCollection::readGenicamXmlExtras(Fuzz::bytes(data, size), QStringLiteral("fuzz")); });
    return 0;
}
