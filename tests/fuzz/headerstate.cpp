// The column-state blob a host hands back to the tree widget. Oracle: a blob
// that was taken saves to one that is taken again.
#include "camerapool/staticbaseinfo.h"
#include "featuretree/featuretreewidget.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    static FeatureTreeWidget widget(QStringLiteral("Fuzz"),
                                    QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(QStringLiteral("Fuzz")));
    constexpr int version = 1;
    if (widget.restoreState(Fuzz::bytes(data, size), version))
        Fuzz::require(widget.restoreState(widget.saveState(version), version));
    return 0;
}
