#include "camerapool/ibaseinfo.h"

namespace Plugin {
namespace CameraPool {

IBaseInfo::~IBaseInfo() = default;

} // namespace CameraPool
} // namespace Plugin
