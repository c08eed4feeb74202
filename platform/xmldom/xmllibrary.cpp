#include "platform/xmldom/xmllibrary.h"

#include "platform/xmldom/windows1250.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

namespace {

// Messages that libxml2 reports outside a parser context (the encoding layer) would go
// to standard error; every failure that matters reaches the caller as an XmlError.
void discardGenericError(void*, const char*, ...) {}

} // namespace

void ensureXmlLibrary() {
    // A function-local static is initialised once even when threads race here.
    static const bool initialised = [] {
        LIBXML_TEST_VERSION
        xmlInitParser();
        registerWindows1250Codec();
        return true;
    }();
    (void)initialised;
    // libxml2 keeps the generic error handler per thread: set it once in each thread.
    thread_local const bool quiet = [] {
        xmlSetGenericErrorFunc(nullptr, discardGenericError);
        return true;
    }();
    (void)quiet;
}
