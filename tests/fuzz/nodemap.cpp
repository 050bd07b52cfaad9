// The in-memory node map loader: any text is loaded or refused, and every
// feature of a loaded map gives a snapshot or a GenICam refusal.
#include "fuzz.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/memoryparametercollection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using ParameterCollection::MemoryParameterCollection;
    Fuzz::refusable([&] {
        const auto map = MemoryParameterCollection::fromXml(Fuzz::bytes(data, size), QStringLiteral("fuzz.xml"));
        for (const QString& name : map->nodeNames())
            Fuzz::refusable([&] { map->getParameter(name)->getParameterData(); });
        map->poll(300);
    });
    return 0;
}
