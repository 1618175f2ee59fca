#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

// The newest package scripts/package.sh left, or nothing.
QString BuiltPackage() {
    const QDir folder(QStringLiteral(TALVANOR_PACKAGE_DIR));
    const QStringList found = folder.entryList({QStringLiteral("talvanor_*.deb")}, QDir::Files, QDir::Time);
    return found.isEmpty() ? QString() : folder.filePath(found.front());
}

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Entry {
    QString mode;
    QString owner;
};

// dpkg-deb --contents: "-rwxr-xr-x root/root  928536 2026-12-09 06:21 ./usr/bin/talvanor".
std::map<QString, Entry> Contents(const QString& package) {
    std::map<QString, Entry> files;
    const QStringList lines = RunTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), package})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.split(QRegularExpression(QStringLiteral("\\s+")));
        if (fields.size() >= 6 && !fields.front().startsWith(QLatin1Char('d')))
            files[fields.at(5).mid(1)] = {fields.at(0), fields.at(1)};
    }
    return files;
}

class PackageTest : public testing::Test {
protected:
    void SetUp() override {
        m_package = BuiltPackage();
        if (m_package.isEmpty())
            GTEST_SKIP() << "no package in " TALVANOR_PACKAGE_DIR ": scripts/package.sh builds it";
    }

    QString Field(const char* name) const {
        return RunTool(QStringLiteral("dpkg-deb"),
                       {QStringLiteral("--field"), m_package, QString::fromLatin1(name)})
            .trimmed();
    }

    // Unpacks the package's files into a temporary folder.
    QString Unpacked() {
        EXPECT_TRUE(m_folder.isValid());
        RunTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--extract"), m_package, m_folder.path()});
        return m_folder.path();
    }

    QString m_package;
    QTemporaryDir m_folder;
};

QString ReadFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

TEST_F(PackageTest, HoldsEveryFileOwnedByRootWithItsMode) {
    const std::map<QString, Entry> files = Contents(m_package);
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"/usr/bin/talvanor", "-rwxr-xr-x"},
        {"/usr/bin/talvanor-init", "-rwxr-xr-x"},
        {"/usr/bin/talvanor-read", "-rwxr-xr-x"},
        {"/usr/bin/talvanor-bank", "-rwxr-xr-x"},
        {"/usr/share/applications/talvanor.desktop", "-rw-r--r--"},
        {"/usr/share/metainfo/com.example.talvanor.metainfo.xml", "-rw-r--r--"},
        {"/usr/share/icons/hicolor/16x16/apps/talvanor.png", "-rw-r--r--"},
        {"/usr/share/icons/hicolor/32x32/apps/talvanor.png", "-rw-r--r--"},
        {"/usr/share/icons/hicolor/48x48/apps/talvanor.png", "-rw-r--r--"},
        {"/usr/share/icons/hicolor/64x64/apps/talvanor.png", "-rw-r--r--"},
        {"/usr/share/icons/hicolor/128x128/apps/talvanor.png", "-rw-r--r--"},
        {"/usr/share/icons/hicolor/256x256/apps/talvanor.png", "-rw-r--r--"},
        {"/usr/share/icons/hicolor/scalable/apps/talvanor.svg", "-rw-r--r--"},
        {"/usr/share/man/man1/talvanor.1.gz", "-rw-r--r--"},
        {"/usr/share/man/man1/talvanor-init.1.gz", "-rw-r--r--"},
        {"/usr/share/man/man1/talvanor-read.1.gz", "-rw-r--r--"},
        {"/usr/share/man/man1/talvanor-bank.1.gz", "-rw-r--r--"},
        {"/usr/share/doc/talvanor/copyright", "-rw-r--r--"},
        {"/usr/share/doc/talvanor/changelog.gz", "-rw-r--r--"},
        {"/usr/share/lintian/overrides/talvanor", "-rw-r--r--"},
        {"/usr/share/talvanor/guide/index.html", "-rw-r--r--"},
        {"/usr/share/talvanor/guide/entering.html", "-rw-r--r--"},
        {"/usr/share/talvanor/guide/importing.html", "-rw-r--r--"},
        {"/usr/share/talvanor/guide/searching.html", "-rw-r--r--"},
        {"/usr/share/talvanor/guide/results.html", "-rw-r--r--"},
        {"/usr/share/talvanor/guide/data-folder.html", "-rw-r--r--"},
        {"/usr/share/talvanor/guide/messages.html", "-rw-r--r--"},
        {"/usr/share/talvanor/guide/guide.css", "-rw-r--r--"},
    };
    for (const auto& [path, mode] : expected) {
        const auto found = files.find(QString::fromLatin1(path));
        ASSERT_NE(found, files.end()) << path;
        EXPECT_EQ(found->second.mode, QLatin1String(mode)) << path;
    }
    for (const auto& [path, entry] : files) {
        EXPECT_EQ(entry.owner, QLatin1String("root/root")) << path.toStdString();
        EXPECT_TRUE(path.startsWith(QLatin1String("/usr/"))) << path.toStdString();
        // Every program has its manual page.
        if (path.startsWith(QLatin1String("/usr/bin/"))) {
            EXPECT_EQ(
                files.count(QStringLiteral("/usr/share/man/man1/") + path.mid(9) + QStringLiteral(".1.gz")),
                1u)
                << path.toStdString();
        }
    }
}

TEST_F(PackageTest, ControlNamesTheVersionAndWhatTheProgramsNeedAtRunTime) {
    EXPECT_EQ(Field("Package"), "talvanor");
    EXPECT_EQ(Field("Version"), TALVANOR_VERSION);
    EXPECT_EQ(Field("Architecture"),
              RunTool(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).trimmed());
    EXPECT_FALSE(Field("Maintainer").isEmpty());
    EXPECT_TRUE(Field("Description").contains(QLatin1Char('\n'))) << "an extended description";
    std::set<QString> depends;
    for (const QString& dependency : Field("Depends").split(QLatin1Char(',')))
        depends.insert(dependency.trimmed().section(QLatin1Char(' '), 0, 0));
    // Linked libraries (found by dpkg-shlibdeps), and what is started or loaded at run time.
    for (const char* package :
         {"libqt6widgets6", "libsqlite3-0", "libpoppler-cpp0v5", "libcurl4", "libtesseract5",
          "qt6-qpa-plugins", "antiword", "unrtf", "tesseract-ocr-eng", "xdg-utils", "fonts-dejavu-core"})
        EXPECT_EQ(depends.count(QString::fromLatin1(package)), 1u) << package;
}

TEST_F(PackageTest, IconsHaveTheirSizesAndTheEntriesNameTheProgram) {
    const QString root = Unpacked();
    const QString icons = root + QStringLiteral("/usr/share/icons/hicolor/");
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon(icons + QStringLiteral("%1x%1/apps/talvanor.png").arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
        EXPECT_TRUE(icon.hasAlphaChannel()) << size;
    }
    EXPECT_TRUE(ReadFile(icons + QStringLiteral("scalable/apps/talvanor.svg"))
                    .contains(QLatin1String("viewBox=\"0 0 64 64\"")));

    const QString entry = ReadFile(root + QStringLiteral("/usr/share/applications/talvanor.desktop"));
    EXPECT_TRUE(entry.contains(QLatin1String("\nExec=talvanor %F\n")));
    EXPECT_TRUE(entry.contains(QLatin1String("\nIcon=talvanor\n")));
    for (const char* type : {"text/plain;", "application/pdf;",
                             "application/vnd.openxmlformats-officedocument.wordprocessingml.document;",
                             "application/vnd.oasis.opendocument.text;", "text/html;", "application/msword;",
                             "application/rtf;", "image/png;", "image/jpeg;", "image/tiff;"})
        EXPECT_TRUE(entry.contains(QLatin1String(type))) << type;

    const QString metainfo =
        ReadFile(root + QStringLiteral("/usr/share/metainfo/com.example.talvanor.metainfo.xml"));
    EXPECT_TRUE(
        metainfo.contains(QLatin1String("<launchable type=\"desktop-id\">talvanor.desktop</launchable>")));
    // The newest release listed is the package's version.
    const QRegularExpressionMatch release =
        QRegularExpression(QStringLiteral("<release version=\"([^\"]+)\"")).match(metainfo);
    EXPECT_EQ(release.captured(1), TALVANOR_VERSION);
}

TEST_F(PackageTest, GuidePagesShowOnlyPicturesThePackageHolds) {
    const QString guide = Unpacked() + QStringLiteral("/usr/share/talvanor/guide/");
    const QStringList pages = QDir(guide).entryList({QStringLiteral("*.html")}, QDir::Files);
    EXPECT_GE(pages.size(), 7);
    // Addresses of the guide's own files; a mailto: or web address is not one.
    const QRegularExpression reference(QStringLiteral("(?:src|href)=\"([^\"#:]+)[\"#]"));
    for (const QString& page : pages) {
        auto matches = reference.globalMatch(ReadFile(guide + page));
        while (matches.hasNext()) {
            const QString target = matches.next().captured(1);
            EXPECT_TRUE(QFile::exists(guide + target))
                << page.toStdString() << " -> " << target.toStdString();
        }
    }
}
