#include "launcher/module_library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

ModuleLibrary::~ModuleLibrary() {
    if (handle_) dlclose(handle_);
}

QString ModuleLibrary::modulePath(const QString& hostFolder) {
    return QDir(hostFolder).filePath(QStringLiteral("wn_typy/TOPAZ_Q.so"));
}

bool ModuleLibrary::load(const QString& path) {
    path_ = path;
    handle_ = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        error_ = QStringLiteral("nie można załadować modułu %1: %2")
                     .arg(path, QString::fromLocal8Bit(dlerror()));
    return handle_ != nullptr;
}

bool ModuleLibrary::takesPath(const QString& exportName) {
    return exportName != QLatin1String("NowyWniosek_");
}

bool ModuleLibrary::call(const QString& exportName, const QString& filePath, int32_t& result) {
    void* symbol = handle_ ? dlsym(handle_, exportName.toLatin1().constData()) : nullptr;
    if (!symbol) {
        error_ = QStringLiteral("moduł nie eksportuje %1").arg(exportName);
        return false;
    }
    if (takesPath(exportName)) {
        const QByteArray path = QFile::encodeName(QFileInfo(filePath).absoluteFilePath());
        result = reinterpret_cast<int32_t (*)(const char*)>(symbol)(path.constData());
    } else {
        result = reinterpret_cast<int32_t (*)()>(symbol)();
    }
    return true;
}
