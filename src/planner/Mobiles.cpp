#include "planner/Mobiles.h"

namespace zv {

std::string MobilePicturePath(const MobileRow& row) {
    return std::string("\\avatarpreview\\") + row.Picture;
}

} // namespace zv
