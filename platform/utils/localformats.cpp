#include "platform/utils/localformats.h"

namespace Utils {

const LocalFormats& LocalFormats::standard() {
    static const LocalFormats formats; // initialised once, read-only afterwards
    return formats;
}

} // namespace Utils
