#include "host/window_library.h"

#include "platform/ui/headlessui.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace {

// The folder of this code's own file, links resolved: the module may be reached through a
// link, the library beside it is beside the real file.
QString ownFolder() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&runInWindowLibrary), &info) || !info.dli_fname) return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalPath();
}

struct WindowLibrary {
    WindowedExportFunction* run = nullptr;
    QString error;

    WindowLibrary() {
        const QString path = ownFolder() + QStringLiteral("/" TOPAZ_WINDOW_LIBRARY);
        // Never unloaded: its code registers itself with libraries that outlive a call.
        void* handle =
            dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (handle)
            run = reinterpret_cast<WindowedExportFunction*>(dlsym(handle, TOPAZ_WINDOWED_EXPORT));
        if (!run) error = QString::fromLocal8Bit(dlerror());
    }
};

} // namespace

int32_t runInWindowLibrary(ExportKind kind, const QString& path) {
    static const WindowLibrary library;
    if (!library.run) {
        HeadlessUi(true).errorDialog(
            QStringLiteral("Nie można wczytać biblioteki okien modułu: %1").arg(library.error));
        return 0;
    }
    return library.run(int(kind), path.isNull() ? nullptr : path.toUtf8().constData());
}
