// Writes the sample application (examples/wniosek-przyklad.xml and the test files built on
// it) and lists what validation says about it.
//   make_sample_application OUT [complete|cofinancing-warning|applicant-missing|
//                                schedule-out-of-order|no-finance|procurement-missing|
//                                attachments-missing]
#include "examples/generator/sample_application.h"
#include "file/application_file.h"
#include "platform/ui/headlessui.h"
#include "validation/application_validation.h"

#include <QCoreApplication>
#include <QMap>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) return 2;
    const QString variantName =
        argc == 3 ? QString::fromLatin1(argv[2]) : QStringLiteral("complete");
    const QMap<QString, SampleApplication::Variant> variants{
        {"complete", SampleApplication::Variant::Complete},
        {"cofinancing-warning", SampleApplication::Variant::CofinancingWarning},
        {"applicant-missing", SampleApplication::Variant::ApplicantMissing},
        {"schedule-out-of-order", SampleApplication::Variant::ScheduleOutOfOrder},
        {"no-finance", SampleApplication::Variant::NoFinance},
        {"procurement-missing", SampleApplication::Variant::ProcurementMissing},
        {"attachments-missing", SampleApplication::Variant::AttachmentsMissing}};
    if (!variants.contains(variantName)) return 2;
    HeadlessUi ui(true);
    DataModuleOptions options;
    const QString folder = QStringLiteral(TOPAZ_EXAMPLES);
    options.folderSources = HostEnv::HostFolderSources{
        [folder] { return folder; }, [] { return QString(); }, [] { return QString(); }};
    auto dm = TdmDataSets::create(ui, options);
    if (!dm->SprawdzSlownik()) return 2;
    SampleApplication::fill(*dm, variants.value(variantName));
    const HostSettings settings = HostSettings::ReadHostSettings(*options.folderSources);
    {
        ApplicationFile file(*dm, ui, settings);
        if (!file.saveAs(QString::fromLocal8Bit(argv[1]))) return 1;
    }
    auto check = TdmDataSets::create(ui, options);
    check->SprawdzSlownik();
    ApplicationFile editor(*check, ui, settings);
    const ValidationOutcome out =
        validateApplicationFile(editor, *check, QString::fromLocal8Bit(argv[1]));
    std::printf("loaded %d checksum %d valid %d warning %d\n", out.loaded, out.checksumVerified,
                out.valid, out.warning);
    for (const Finding& f : out.findings)
        std::printf("[%s] %s (%s.%s)\n", qUtf8Printable(f.rule), qUtf8Printable(f.message),
                    qUtf8Printable(f.table), qUtf8Printable(f.field));
    return out.valid ? 0 : 1;
}
