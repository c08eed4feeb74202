// Putting a data module back to an earlier state at rest, table by table and flag by flag.
#include "model/dm_main.h"

namespace {

// The module and its snapshot name their flags alike: one list serves both directions.
template <typename From, typename To> void copyFlags(const From& from, To& to) {
    to.Zmieniony = from.Zmieniony;
    to.BladSlownika = from.BladSlownika;
    to.ValidationWarning = from.ValidationWarning;
    to.HostTerminationRequested = from.HostTerminationRequested;
    to.WersjaSlownika = from.WersjaSlownika;
    to.DbidSlownika = from.DbidSlownika;
    to.SidSlownika = from.SidSlownika;
    to.WersjaSlownikaPliku = from.WersjaSlownikaPliku;
    to.DbidSlownikaPliku = from.DbidSlownikaPliku;
    to.SidSlownikaPliku = from.SidSlownikaPliku;
    to.dictionaryPath = from.dictionaryPath;
    to.KwalifikacjaNowegoWydatku = from.KwalifikacjaNowegoWydatku;
}

} // namespace

DataModuleSnapshot TdmDataSets::snapshot() const {
    DataModuleSnapshot s;
    s.tables.reserve(tables().size());
    for (const auto& t : tables())
        s.tables.push_back(t->snapshot());
    copyFlags(*this, s);
    return s;
}

void TdmDataSets::restore(const DataModuleSnapshot& s) {
    for (size_t i = 0; i < tables().size() && i < s.tables.size(); ++i)
        tables()[i]->restore(s.tables[i]);
    copyFlags(s, *this);
    // Flags that only an operation in progress raises.
    Wczytywanie = false;
    WstawianieWydatku = false;
}
