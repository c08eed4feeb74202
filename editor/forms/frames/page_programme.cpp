// "&1 - 4": the programme, its priority, measure and sub-measure, each level listing only
// the children of the level above while it has the focus.
#include "editor/forms/frames/frame_registry.h"

namespace editor {

namespace {

ControlRow programmeLevel(const char* name, const char* field, const QString& label, int level) {
    const char* parents[] = {nullptr, "PWD_ID1", "PWD_ID2", "PWD_ID3"};
    const char* dictionaries[] = {"sl_PWD1", "sl_PWD2", "sl_PWD3", "sl_PWD4"};
    ControlRow row{.name = name,
                   .kind = ControlKind::Lookup,
                   .table = "dsPozWdr",
                   .field = field,
                   .label = label};
    if (level > 1)
        row.cascade = {.dictionary = dictionaries[level - 1],
                       .keyField = "PWD_PWD_ID",
                       .parentTable = "dsPozWdr",
                       .parentField = parents[level - 1]};
    return row;
}

ControlRow code(const char* name, const char* field) {
    return {.name = name,
            .kind = ControlKind::Edit,
            .table = "dsPozWdr",
            .field = field,
            .label = QStringLiteral("Kod"),
            .behaviour = Behaviour::Disabled,
            .placement = Placement::Beside,
            .width = 70};
}

} // namespace

std::vector<FrameDescription> programmeFrames() {
    ControlRow programme =
        programmeLevel("e100001", "Lkp_pwd1", QStringLiteral("Nazwa programu operacyjnego"), 1);
    programme.behaviour = Behaviour::Disabled; // the programme is set by the data module
    return {
        {.className = "Tfr_priorytet_kod_topaz_q",
         .panels =
             {{.heading = {QStringLiteral("1. Nazwa programu operacyjnego")},
               .helpTopic = 100,
               .rows = {programme}},
              {.heading = {QStringLiteral("2. Numer i nazwa priorytetu programu operacyjnego")},
               .helpTopic = 200,
               .rows = {programmeLevel("e200001", "lkp_pwd2", QStringLiteral("Priorytet"), 2),
                        code("dxDBEdit2", "PWD_KOD_ID2")}},
              {.heading = {QStringLiteral("3. Numer i nazwa działania w ramach priorytetu programu "
                                          "operacyjnego")},
               .helpTopic = 300,
               .rows = {programmeLevel("e300001", "lkp_pwd3", QStringLiteral("Działanie"), 3),
                        code("e_pwd3_kod", "PWD_KOD_ID3")}},
              {.heading = {QStringLiteral(
                   "4. Numer i nazwa poddziałania w ramach priorytetu programu "
                   "operacyjnego")},
               .helpTopic = 827010204,
               .rows = {{.name = "e400001",
                         .kind = ControlKind::Check,
                         .table = "dsWniosek",
                         .field = "pwd_nie_dot_4poz",
                         .label = QStringLiteral("NIE DOTYCZY"),
                         .onValue = "T",
                         .offValue = "N"},
                        programmeLevel("e400002", "lkp_pwd4", QStringLiteral("Poddziałanie"), 4),
                        code("dxDBEdit3", "PWD_KOD_ID4")}}}},
    };
}

} // namespace editor
