#include "orvikviewercomponents6.h"

namespace OrvikViewerComponents6 {

const char* version()
{
    return ORVIKVIEWERCOMPONENTS6_VERSION_STRING;
}

} // namespace OrvikViewerComponents6
