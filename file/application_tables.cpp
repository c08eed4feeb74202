#include "file/application_tables.h"

const QStringList& applicationTableNames() {
    static const QStringList names = {QStringLiteral("dsProdukty"),
                                      QStringLiteral("dsRezultaty"),
                                      QStringLiteral("dsOddz"),
                                      QStringLiteral("dsPomocPub"),
                                      QStringLiteral("dsZrodlaFin"),
                                      QStringLiteral("dsLokalizacja"),
                                      QStringLiteral("dsPozWdr"),
                                      QStringLiteral("dsKatInt"),
                                      QStringLiteral("dsKatPrzych"),
                                      QStringLiteral("dsInstytucje"),
                                      QStringLiteral("dsBeneficjent"),
                                      QStringLiteral("dsWniosek"),
                                      QStringLiteral("dsProfilWyd"),
                                      QStringLiteral("dsWydatkiKw"),
                                      QStringLiteral("dsWydatkiNKw"),
                                      QStringLiteral("dsCalkKoszt"),
                                      QStringLiteral("dsOsobyUpow"),
                                      QStringLiteral("dsPolaSpec"),
                                      QStringLiteral("dsEtapyRealizacji"),
                                      QStringLiteral("dsPlanWydatki"),
                                      QStringLiteral("dsZamPub")};
    return names;
}
