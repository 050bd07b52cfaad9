// Filter files: each child of the document element is one item imposed on a
// small collection, as NodeMapFilter::apply walks a file beside the application.
#include "featuretree/nodemapfilter.h"
#include "fuzz.h"
#include "nodemaptext.h"

#include <QDomDocument>
#include <QDomElement>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    static const auto collection = NodeMapText::collection(QStringLiteral("Image[Width=64{min=8 max=128} Gain:f=1]"
                                                                          " Mode:e=A(A B) Name:s Reset:c Port:p"));
    QDomDocument document;
    if (!document.setContent(Fuzz::bytes(data, size)))
        return 0;
    for (QDomElement item = document.documentElement().firstChildElement(); !item.isNull();
         item = item.nextSiblingElement())
        NodeMapFilter::processElement(item, collection);
    return 0;
}
