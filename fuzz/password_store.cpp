// The password store as any file may hold it: reading through the program's
// own file reader agrees with reading its bytes, a damaged store is refused
// rather than misread, and a store rewritten with a password the user can
// type gives exactly that password back while keeping the rest of the file.

#include "launcher/Crypt.h"
#include "launcher/PasswordStore.h"
#include "platform/AppDir.h"
#include "storage/IniFile.h"
#include "storage/TextRules.h"

#include "FuzzSupport.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace {

const QString kPasswordAlphabet = QStringLiteral(" aAzZ09\xe0\xc8\x20ac\t");
const QString kNameAlphabet = QStringLiteral("AccessoValore [];=");

// The store lives beside the "executable": a folder of this run, in memory
// where the system has one, so that a million reads stay quick.
QString storeFolder()
{
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const QString folder = base + QStringLiteral("/ventoria-fuzz-store-") + QString::number(getpid());
    QDir().mkpath(folder);
    AppDir::setPath(folder);
    std::atexit([] { QDir(AppDir::path()).removeRecursively(); });
    return folder;
}

bool writeStore(const QByteArray& bytes)
{
    QFile file(AppDir::filePath(PasswordStore::fileName()));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString folder = storeFolder();
    FuzzedDataProvider in(data, size);
    const QString password = fuzz::takeAnyText(in, kPasswordAlphabet, 64);
    const QString otherSection = fuzz::takeAnyText(in, kNameAlphabet, 16);
    const QString otherKey = fuzz::takeAnyText(in, kNameAlphabet, 16);
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray contents(rest.data(), int(rest.size()));

    const QString untouched = QStringLiteral("\x01untouched");
    QString fromBytes = untouched;
    const bool readable = PasswordStore::readFrom(contents, fromBytes);
    if (readable)
        FUZZ_REQUIRE(TextRules::trim(fromBytes) == fromBytes, fromBytes);
    else
        FUZZ_REQUIRE(fromBytes == untouched, fromBytes);

    if (contents.size() <= PasswordStore::kMaxStoreSize) {
        FUZZ_REQUIRE(writeStore(contents));
        QString fromFile = untouched;
        FUZZ_REQUIRE(PasswordStore::read(fromFile) == readable, fromBytes);
        FUZZ_REQUIRE(fromFile == fromBytes, fromFile, fromBytes);
    }

    if (!PasswordStore::storable(password))
        return 0;
    const QByteArray rewritten = PasswordStore::withPassword(contents, password);
    QString stored;
    FUZZ_REQUIRE(PasswordStore::readFrom(rewritten, stored), password);
    FUZZ_REQUIRE(stored == PasswordStore::canonical(password), password, stored);
    const bool storeEntry = otherSection.trimmed().compare(QLatin1String("Accesso"), Qt::CaseInsensitive) == 0
                            && otherKey.trimmed().compare(QLatin1String("Valore"), Qt::CaseInsensitive) == 0;
    if (!storeEntry) {
        FUZZ_REQUIRE(IniFile::valueIn(rewritten, otherSection, otherKey)
                         == IniFile::valueIn(contents, otherSection, otherKey),
                     otherSection, otherKey);
    }
    return 0;
}
