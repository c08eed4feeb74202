#include "model/catalogue/field_builders.h"

#include <mutex>
#include <string>
#include <unordered_set>

namespace CatalogueBuild {

const char* internName(const char* prefix, const char* middle, const char* suffix) {
    // Node-based set: the text of an element never moves once inserted.
    static std::unordered_set<std::string> names;
    static std::mutex guard;
    const std::lock_guard lock(guard);
    return names.insert(std::string(prefix) + middle + suffix).first->c_str();
}

FieldList fields(std::initializer_list<FieldRun> runs) {
    FieldList out;
    for (const FieldRun& run : runs)
        out.insert(out.end(), run.items().begin(), run.items().end());
    return out;
}

namespace {

Level levelOfYear(int year, Level earlyLevel) {
    return year <= kLastBaseYear ? earlyLevel : Level::Type;
}

FieldList columnsPerYear(const Spec& prototype, const char* suffix, int lastYear) {
    FieldList out;
    for (int year = kFirstYear; year <= lastYear; ++year) {
        Spec s = prototype;
        s.name = internName("", std::to_string(year).c_str(), suffix);
        s.level = levelOfYear(year, prototype.level);
        out.push_back(s);
    }
    return out;
}

} // namespace

FieldList yearColumns(const Spec& prototype, int lastYear) {
    return columnsPerYear(prototype, "", lastYear);
}

FieldList percentColumns(const Spec& prototype) {
    return columnsPerYear(prototype, "_pr", kLastYear);
}

FieldList yearVisibilityFlags() {
    // The base module knows the years up to 2008 and shows them; this type adds the flags
    // of 2009-2016 together with their year columns, hidden until a year grid adds them.
    static constexpr const char* kFamilies[] = {"tab6lprod", "tab6lrez", "tab6ltyp",
                                                "tab6m",     "tab6n",    "tab6o"};
    FieldList out;
    for (const char* family : kFamilies) {
        for (int year = kFirstYear; year <= kLastYear; ++year) {
            Spec s = str(internName(family, std::to_string(year).c_str(), "v"), 1);
            s.level = levelOfYear(year, Level::Base);
            s.defaultValue = year <= kLastBaseYear ? "T" : "N";
            out.push_back(s);
        }
    }
    return out;
}

FieldList attachmentFlags(const char* code, std::initializer_list<const char*> suffixes,
                          Level level) {
    FieldList out;
    for (const char* suffix : suffixes) {
        Spec s = str(internName(code, "", suffix), 1);
        s.level = level;
        out.push_back(s);
    }
    return out;
}

} // namespace CatalogueBuild
