// The steps the editor runs when its window is shown; the silent validation runs the same
// steps without a window so that it checks what the editor would show.
#include "file/application_file.h"

#include "model/dm_main.h"
#include "model/record_rules.h"

void ApplicationFile::runShowTimeSteps() {
    dm_.UstawProgram();
    if (!MessageList.isEmpty() && !Silent && ShowMessageBrowser) ShowMessageBrowser();
    dm_.Zmieniony = false;
    applyShowTimeData();
    // The year columns' visibility follows the flags of dsWniosek; only the grids change.
    if (RestoreYearColumns) RestoreYearColumns();
    dm_.Zmieniony = false;
}

void ApplicationFile::applyShowTimeData() {
    shownData_ = true;
    const bool changed = dm_.Zmieniony;
    dm_.UstawProgram();
    // A new application gets the attachment flags of the project kind "IN" while its kind
    // stays unanswered.
    DataSet& wniosek = dm_.table(QStringLiteral("dsWniosek"));
    Field& kind = wniosek.field(QStringLiteral("rodz_proj"));
    if (kind.asString().isEmpty()) {
        wniosek.edit();
        kind.setValue(QStringLiteral("IN"));
        dm_.records().UstawZalacznikiWgRodzaju(QStringLiteral("IN"));
        kind.setValue(QString());
    }
    dm_.Zmieniony = changed;
}
