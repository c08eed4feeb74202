#pragma once

#include <QString>

#include <cstdint>

// The form-type module loaded as the host loads it (dlopen of <bin>/wn_typy/TOPAZ_Q.so), and
// its exports called by name.
class ModuleLibrary {
public:
    ModuleLibrary() = default;
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    static QString modulePath(const QString& hostFolder);

    // False with errorText() set when the file cannot be loaded.
    bool load(const QString& path);
    bool isLoaded() const { return handle_ != nullptr; }
    const QString& errorText() const { return error_; }
    // The file loaded last.
    const QString& path() const { return path_; }

    // Whether the export takes the path of an application file (all but NowyWniosek_).
    static bool takesPath(const QString& exportName);
    // Calls the export; false with errorText() set when the module lacks it.
    bool call(const QString& exportName, const QString& filePath, int32_t& result);

private:
    void* handle_ = nullptr;
    QString error_;
    QString path_;
};
