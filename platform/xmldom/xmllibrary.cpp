#include "platform/xmldom/xmllibrary.h"

#include <libxml/parser.h>

void ensureXmlLibrary()
{
    // A function-local static is initialised once even when threads race here.
    static const bool initialised = [] {
        LIBXML_TEST_VERSION
        xmlInitParser();
        return true;
    }();
    (void)initialised;
}
