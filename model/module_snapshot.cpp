// Putting a data module back to an earlier state at rest, table by table and flag by flag.
#include "model/dm_main.h"

DataModuleSnapshot TdmDataSets::snapshot() const {
    DataModuleSnapshot s;
    s.tables.reserve(tables().size());
    for (const auto& t : tables())
        s.tables.push_back(t->snapshot());
    s.Zmieniony = Zmieniony;
    s.BladSlownika = BladSlownika;
    s.ValidationWarning = ValidationWarning;
    s.HostTerminationRequested = HostTerminationRequested;
    s.WersjaSlownika = WersjaSlownika;
    s.DbidSlownika = DbidSlownika;
    s.SidSlownika = SidSlownika;
    s.WersjaSlownikaPliku = WersjaSlownikaPliku;
    s.DbidSlownikaPliku = DbidSlownikaPliku;
    s.SidSlownikaPliku = SidSlownikaPliku;
    s.dictionaryPath = dictionaryPath;
    s.KwalifikacjaNowegoWydatku = KwalifikacjaNowegoWydatku;
    return s;
}

void TdmDataSets::restore(const DataModuleSnapshot& s) {
    for (size_t i = 0; i < tables().size() && i < s.tables.size(); ++i)
        tables()[i]->restore(s.tables[i]);
    Zmieniony = s.Zmieniony;
    Wczytywanie = false;
    WstawianieWydatku = false;
    BladSlownika = s.BladSlownika;
    ValidationWarning = s.ValidationWarning;
    HostTerminationRequested = s.HostTerminationRequested;
    WersjaSlownika = s.WersjaSlownika;
    DbidSlownika = s.DbidSlownika;
    SidSlownika = s.SidSlownika;
    WersjaSlownikaPliku = s.WersjaSlownikaPliku;
    DbidSlownikaPliku = s.DbidSlownikaPliku;
    SidSlownikaPliku = s.SidSlownikaPliku;
    dictionaryPath = s.dictionaryPath;
    KwalifikacjaNowegoWydatku = s.KwalifikacjaNowegoWydatku;
}
