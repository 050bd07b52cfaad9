// Filter files: the input is the file beside the application that the filter
// look-up finds first, applied to a small collection.
#include "camerapool/staticbaseinfo.h"
#include "featuretree/nodemapfilter.h"
#include "filesbesideapplication.h"
#include "fuzz.h"
#include "nodemaptext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    static const auto collection = NodeMapText::collection(QStringLiteral("Image[Width=64{min=8 max=128} Gain:f=1]"
                                                                          " Mode:e=A(A B) Name:s Reset:c Port:p"),
                                                           QStringLiteral("@Fuzz"));
    static const auto info = QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(QStringLiteral("FuzzNmf"));
    FilesBesideApplication files;
    Fuzz::require(files.write(QStringLiteral("FuzzNmf_Fuzz_Filter.xml"), Fuzz::bytes(data, size)));
    NodeMapFilter::apply(collection, info, QStringLiteral("@Fuzz"));
    return 0;
}
