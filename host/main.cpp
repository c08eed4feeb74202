// The module's entry points. Each call builds the data module, passes the dictionary gate,
// runs its own steps and frees everything before it returns.
#include "host/exports.h"
#include "host/invocation.h"
#include "platform/hostenv/moduleversion.h"

#ifndef TOPAZ_MODULE_FILE_VERSION
#define TOPAZ_MODULE_FILE_VERSION "1.0.0.0"
#endif
TOPAZ_EMBED_MODULE_VERSION(TOPAZ_MODULE_FILE_VERSION);

namespace {
QString pathArgument(const char* path) {
    return path ? QString::fromUtf8(path) : QString();
}
} // namespace

int32_t NowyWniosek_() {
    return runExport(ExportKind::NowyWniosek, QString());
}
int32_t EdytujWniosek_(const char* path) {
    return runExport(ExportKind::EdytujWniosek, pathArgument(path));
}
int32_t PodgladWniosku_(const char* path) {
    return runExport(ExportKind::PodgladWniosku, pathArgument(path));
}
int32_t DrukujWniosek_(const char* path) {
    return runExport(ExportKind::DrukujWniosek, pathArgument(path));
}
int32_t SprawdzSume_(const char* path) {
    return runExport(ExportKind::SprawdzSume, pathArgument(path));
}
int32_t SilentCrcCheck_(const char* path) {
    return runExport(ExportKind::SilentCrcCheck, pathArgument(path));
}
int32_t SilentPreview_(const char* path) {
    return runExport(ExportKind::SilentPreview, pathArgument(path));
}
int32_t SilentValidate_(const char* path) {
    return runExport(ExportKind::SilentValidate, pathArgument(path));
}
int32_t SilentValCrcCheck_(const char* path) {
    return runExport(ExportKind::SilentValCrcCheck, pathArgument(path));
}
