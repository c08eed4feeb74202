#include "platform/hostenv/hostfolder.h"
#include "platform/hostenv/hostregistry.h"
#include "platform/hostenv/moduleversion.h"
#include "platform/hostenv/sharedfolder.h"
#include "platform/hostenv/systemfolders.h"
#include "tests/test_support.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <optional>

using namespace Qt::StringLiterals;

// This binary carries a version resource of its own, as the module does.
TOPAZ_EMBED_MODULE_VERSION(TOPAZ_MODULE_FILE_VERSION);

using TestSupport::writeAll;

namespace {

QByteArray uniqueBlockName() {
    static int counter = 0;
    return "/topaz_tst_" + QByteArray::number(::getpid()) + "_" + QByteArray::number(++counter);
}

bool blockExists(const QByteArray& name) {
    const int fd = ::shm_open(name.constData(), O_RDONLY, 0);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

// Writes raw bytes into a block of the given size, as a foreign writer could.
void writeRawBlock(const QByteArray& name, const QByteArray& bytes, off_t size) {
    const int fd = ::shm_open(name.constData(), O_RDWR | O_CREAT, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::ftruncate(fd, size), 0);
    QCOMPARE(::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0), ssize_t(bytes.size()));
    ::close(fd);
}

int openDescriptorCount() {
    return int(QDir(u"/proc/self/fd"_s).entryList(QDir::Files | QDir::System).size());
}

int mappingCount(const QByteArray& name) {
    QFile maps(u"/proc/self/maps"_s);
    if (!maps.open(QIODevice::ReadOnly)) return -1;
    return int(maps.readAll().count("/dev/shm" + name));
}

// The bytes of a literal, zero bytes inside included, without the final one.
template <size_t N> QByteArray raw(const char (&text)[N]) {
    return QByteArray(text, qsizetype(N - 1));
}

// "<M>" in a row stands for the marker, which the test binary must not hold as text.
QByteArray withMarker(QByteArray bytes) {
    return bytes.replace("<M>", HostEnv::moduleVersionMarker());
}

} // namespace

class TestHostEnv : public QObject {
    Q_OBJECT

    QList<QByteArray> blocks_;
    QTemporaryDir dir_;

private slots:
    void cleanup() {
        for (const QByteArray& name : std::as_const(blocks_))
            HostEnv::removeSharedFolder(name);
        blocks_.clear();
    }

    // ---- registry

    void registryDefaultPath_data() {
        QTest::addColumn<QString>("registryVar"); // "-" unset
        QTest::addColumn<QString>("configVar");
        QTest::addColumn<QString>("expectedUnderTemp");

        auto row = [](const char* name, const char* registry, const char* config,
                      const char* path) { QTest::newRow(name) << registry << config << path; };
        row("named by ZELGR_REGISTRY", "named/reg.ini", "cfg", "named/reg.ini");
        row("XDG config home", "-", "cfg", "cfg/Zelgor/registry.ini");
        row("empty ZELGR_REGISTRY ignored", "", "cfg", "cfg/Zelgor/registry.ini");
        row("home .config", "-", "-", "home/.config/Zelgor/registry.ini");
    }

    void registryDefaultPath() {
        QFETCH(QString, registryVar);
        QFETCH(QString, configVar);
        QFETCH(QString, expectedUnderTemp);
        const QString base = dir_.path() + u'/';
        const TestSupport::ScopedEnv home("HOME", (base + u"home"_s).toUtf8()),
            reg("ZELGR_REGISTRY",
                (registryVar.isEmpty() ? QString() : base + registryVar).toUtf8()),
            config("XDG_CONFIG_HOME", (base + configVar).toUtf8());
        if (registryVar == u"-"_s) qunsetenv("ZELGR_REGISTRY");
        if (configVar == u"-"_s) qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(HostRegistry::defaultFilePath(), base + expectedUnderTemp);
        QCOMPARE(HostRegistry().filePath(), base + expectedUnderTemp);
    }

    // The place the host asks the viewer to open at: read back as written (through the
    // registry file), and any other text is no place or a place that writes back the same.
    void showPlaceText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("place");
        QTest::newRow("list row") << "2|dsLokalizacja|Miejscowosc|e604003|/tmp/a.xml" << true;
        QTest::newRow("path with bars") << "0|dsWniosek|tytul_projektu||/w|n|ł ó.xml" << true;
        QTest::newRow("no record") << "|dsWniosek|x|y|/a.xml" << false;
        QTest::newRow("negative record") << "-1|dsWniosek|x|y|/a.xml" << false;
        QTest::newRow("too few parts") << "1|dsWniosek|x|/a.xml" << false;
        QTest::newRow("empty") << "" << false;
    }
    void showPlaceText() {
        QFETCH(QString, text);
        QFETCH(bool, place);
        const HostRegistry registry(dir_.filePath(u"pokaz.ini"_s));
        QVERIFY(registry.writeString(QLatin1String(HostRegistry::ValueShowPlace), text));
        const HostShowPlace read = HostShowPlace::fromText(
            registry.readString(QLatin1String(HostRegistry::ValueShowPlace)));
        QCOMPARE(!read.isEmpty(), place);
        if (place) QCOMPARE(read.toText(), text);
    }

    void registryReadsHostWrittenFile() {
        // The layout the host or a person writes by hand.
        const QString path = dir_.filePath(u"registry.ini"_s);
        QVERIFY(writeAll(
            path, "[Zelgr]\nbin=/opt/zelgor/\nwnioski=/home/ala/Wnioski\n\n[Inne]\nbin=/zle\n"));
        const HostRegistry registry(path);
        QCOMPARE(registry.binFolder(), u"/opt/zelgor"_s);
        QCOMPARE(registry.readString(u"wnioski"_s), u"/home/ala/Wnioski"_s);
        QCOMPARE(registry.readString(u"ostatni"_s), QString());
        QCOMPARE(HostEnv::applicationsFolder(registry), u"/home/ala/Wnioski"_s);
        // A missing file reads as empty values (the applications in the documents folder) and
        // is not created by reading.
        const HostRegistry missing(dir_.filePath(u"brak/registry.ini"_s));
        QCOMPARE(missing.binFolder(), QString());
        QVERIFY(!HostEnv::documentsFolder().isEmpty());
        QCOMPARE(HostEnv::applicationsFolder(missing), HostEnv::documentsFolder());
        QVERIFY(!QFileInfo::exists(missing.filePath()));
    }

    // ---- shared memory

    // A published block stays for other readers; a shorter text leaves nothing of the longer
    // one behind it; publishing and reading again and again leaks no descriptor or mapping.
    void sharedFolderRoundTrip() {
        const QByteArray name = uniqueBlockName(), absent = uniqueBlockName();
        blocks_ << name << absent;
        const QString folder = u"/opt/Zelgor ąęśćżźółń"_s;
        QVERIFY(HostEnv::publishSharedFolder(folder, name));
        QCOMPARE(HostEnv::readSharedFolder(name), folder);
        QVERIFY(blockExists(name));
        QVERIFY(HostEnv::publishSharedFolder(u"/krotka"_s, name));
        QCOMPARE(HostEnv::readSharedFolder(name), u"/krotka"_s);

        const int descriptors = openDescriptorCount();
        for (int i = 0; i < 50; ++i) {
            QVERIFY(HostEnv::publishSharedFolder(u"/opt/zelgor"_s, name));
            QCOMPARE(HostEnv::readSharedFolder(name), u"/opt/zelgor"_s);
            QCOMPARE(HostEnv::readSharedFolder(absent), QString());
        }
        QCOMPARE(openDescriptorCount(), descriptors);
        QCOMPARE(mappingCount(name), 0);
        QCOMPARE(mappingCount(absent), 0);
    }

    // What a reader finds in a block: published by the host (block size -1), whose long text
    // is cut at a character, or written by a foreign writer in a block of another size.
    void sharedFolderBlocks_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<QString>("expected");
        const QByteArray a(600, 'a'), b(499, 'b'), letters = QString(300, QChar(0x0105)).toUtf8();
        QTest::newRow("ascii cut") << a << -1 << QString(HostEnv::SharedFolderSize - 1, u'a');
        // 499 bytes = 249 two-byte letters + one byte that would split the 250th.
        QTest::newRow("two-byte letters cut") << letters << -1 << QString(249, QChar(0x0105));
        QTest::newRow("fits exactly") << b << -1 << QString::fromLatin1(b);
        QTest::newRow("smaller block") << raw("/srv/z\0") << 16 << "/srv/z";
        QTest::newRow("empty smaller block") << QByteArray() << 0 << "";
        QTest::newRow("no terminator") << QByteArray(500, 'x') << 500 << QString(500, u'x');
        QTest::newRow("larger block") << raw("/duzy\0reszta") << 4096 << "/duzy";
    }

    void sharedFolderBlocks() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, blockSize);
        QFETCH(QString, expected);
        const QByteArray name = uniqueBlockName();
        blocks_.append(name);
        if (blockSize < 0)
            QVERIFY(HostEnv::publishSharedFolder(QString::fromUtf8(bytes), name));
        else
            writeRawBlock(name, bytes, blockSize);
        QCOMPARE(HostEnv::readSharedFolder(name), expected);
    }

    // ---- host folder

    // The registry's folder (without one trailing separator, as the registry's "bin" reads),
    // else the shared memory's, else the current one.
    void hostFolderOrder_data() {
        QTest::addColumn<QString>("registry");
        QTest::addColumn<QString>("shared");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("bin"); // as the registry reads it, when not the same
        auto row = [](const char* name, const char* registry, const char* shared,
                      const char* current, const char* expected, const char* bin = "") {
            QTest::newRow(name) << registry << shared << current << expected << bin;
        };
        row("registry wins", "/rej", "/shm", "/cwd", "/rej");
        row("registry backslash", "/rej\\", "/shm", "/cwd", "/rej");
        row("registry slash", "/rej/", "/shm", "/cwd", "/rej");
        row("windows form", "C:\\Program Files\\Zelgor\\", "", "", "C:\\Program Files\\Zelgor");
        row("several separators", "/rej//", "/shm", "/cwd", "/rej", "/rej/"); // one removed
        row("registry only separator, kept", "/", "/shm", "/cwd", "/");
        row("empty registry, shared memory", "", "/shm/", "/cwd", "/shm");
        row("both empty, current folder", "", "", "/cwd/", "/cwd");
    }

    void hostFolderOrder() {
        QFETCH(QString, registry);
        QFETCH(QString, shared);
        QFETCH(QString, current);
        QFETCH(QString, expected);
        QFETCH(QString, bin);
        bool asked = false;
        const HostEnv::HostFolderSources sources{[&] { return registry; },
                                                 [&] { return asked = true, shared; },
                                                 [&] { return current; }};
        QCOMPARE(HostEnv::hostFolder(sources), expected);
        QCOMPARE(asked, registry.isEmpty()); // the shared memory only when needed
        const HostRegistry file(dir_.filePath(u"r.ini"_s));
        QVERIFY(file.writeString(u"bin"_s, registry));
        QCOMPARE(file.readString(u"bin"_s), registry);
        QCOMPARE(file.binFolder(), registry.isEmpty() ? QString() : bin.isEmpty() ? expected : bin);
    }

    // ---- version resource

    void moduleVersionInFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        const QString none = QString::fromLatin1(HostEnv::VersionNotAvailable);

        QTest::newRow("marker inside") << raw("\177ELF\0\0junk<M>1.2.3.4\0more") << "1.2.3.4";
        QTest::newRow("marker at start") << raw("<M>3.0\0") << "3.0";
        QTest::newRow("no marker") << raw("\177ELF\0\0TOPAZ_Q_FILE\0") << none;
        QTest::newRow("cut after marker") << QByteArray("junk<M>") << none;
        QTest::newRow("cut inside version") << QByteArray("junk<M>1.2") << none;
        QTest::newRow("empty version skipped") << raw("<M>\0..<M>2.0.0.1\0") << "2.0.0.1";
        QTest::newRow("unprintable version") << raw("<M>\x01\x02\0") << none;
        QTest::newRow("first of two") << raw("<M>1.0\0<M>2.0\0") << "1.0";
        QTest::newRow("too long") << QByteArray("<M>") + QByteArray(65, '9') + QByteArray(1, '\0')
                                  << none;
        QTest::newRow("empty file") << QByteArray() << none;
    }

    void moduleVersionInFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const QString path = dir_.filePath(u"TOPAZ_Q.so"_s);
        QVERIFY(writeAll(path, withMarker(content)));
        QCOMPARE(HostEnv::readModuleVersion(path), expected);
    }

    void moduleVersionEmbeddedInBinary() {
        // The marker as the build spells it equals the one the reader searches for; its
        // literal here is followed by a zero byte alone and must not count as a version.
        QCOMPARE(HostEnv::moduleVersionMarker(), QByteArray(TOPAZ_MODULE_VERSION_MARKER));
        QCOMPARE(HostEnv::readModuleVersion(QCoreApplication::applicationFilePath()),
                 QStringLiteral(TOPAZ_MODULE_FILE_VERSION));
    }
};

QTEST_GUILESS_MAIN(TestHostEnv)
#include "tst_hostenv.moc"
