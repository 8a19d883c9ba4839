// The file and folder choosers of the Qt platform, looked at as built,
// before they would run.

#include "platform/qt/FileChoosers.h"
#include "platform/qt/QtPlatform.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QTreeView>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kPrompt = QStringLiteral("Selezionare una cartella:");
const QString kAllFiles = QStringLiteral("Tutti i file (*.*)");

// Points HOME (and the XDG configuration that could name another desktop)
// at a folder of its own for its lifetime.
class TempHome
{
public:
    TempHome()
        : m_home(qgetenv("HOME")), m_config(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral(".config")).toLocal8Bit());
    }
    ~TempHome()
    {
        qputenv("HOME", m_home);
        if (m_config.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_config);
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QByteArray m_config;
};

void touch(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QStringList namesListed(QFileSystemModel* model, const QString& folder)
{
    QStringList names;
    const QModelIndex root = model->index(folder);
    for (int i = 0; i < model->rowCount(root); ++i)
        names << model->index(i, 0, root).data().toString();
    names.sort();
    return names;
}

} // namespace

class TestFileChoosers : public QObject
{
    Q_OBJECT
private slots:
    void folderChooserStartsAtTheDesktop_data();
    void folderChooserStartsAtTheDesktop();
    void folderChooserShowsThePrompt();
    void folderChooserMakesNoFolders();

    void fileChooserListsFilesWithoutExtension();
    void fileChooserKeepsOtherPatterns();
    // Last: it installs the Italian texts for the rest of the program's run.
    void detailsInItalianAndInFull();
};

// ---- folder chooser ---------------------------------------------------------

void TestFileChoosers::folderChooserStartsAtTheDesktop_data()
{
    QTest::addColumn<bool>("hasDesktop");
    QTest::newRow("desktop folder present") << true;
    QTest::newRow("no desktop folder: home") << false;
}

void TestFileChoosers::folderChooserStartsAtTheDesktop()
{
    QFETCH(bool, hasDesktop);
    TempHome home;
    const QString desktop = QDir(home.path()).filePath(QStringLiteral("Desktop"));
    if (hasDesktop)
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Desktop")));
    const auto dialog = makeFolderChooser(nullptr, kPrompt);
    const QString expected = hasDesktop ? desktop : home.path();
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(expected).canonicalPath());
}

void TestFileChoosers::folderChooserShowsThePrompt()
{
    const auto dialog = makeFolderChooser(nullptr, kPrompt);
    QCOMPARE(dialog->windowTitle(), folderChooserCaption());
    QVERIFY(dialog->windowTitle() != kPrompt);
    auto* label = dialog->findChild<QLabel*>(QStringLiteral("lblPrompt"));
    QVERIFY(label);
    QCOMPARE(label->text(), kPrompt);
    QVERIFY(label->isVisibleTo(dialog.get()));
    // Above everything else of the dialog.
    auto* grid = qobject_cast<QGridLayout*>(dialog->layout());
    QVERIFY(grid);
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(row, 0);
    QCOMPARE(columnSpan, grid->columnCount());
    for (int i = 0; i < grid->count(); ++i) {
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        if (grid->itemAt(i)->widget() != label)
            QVERIFY(row > 0);
    }
}

void TestFileChoosers::folderChooserMakesNoFolders()
{
    const auto dialog = makeFolderChooser(nullptr, kPrompt);
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QVERIFY(dialog->testOption(QFileDialog::ShowDirsOnly));
    QVERIFY(dialog->testOption(QFileDialog::ReadOnly));
    QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
    auto* newFolder = dialog->findChild<QToolButton*>(QStringLiteral("newFolderButton"));
    QVERIFY(newFolder);   // Qt's own dialog has one: it must not be offered
    QVERIFY(!newFolder->isVisibleTo(dialog.get()));
    QVERIFY(!newFolder->isEnabled());
}

// ---- file chooser -----------------------------------------------------------

void TestFileChoosers::fileChooserListsFilesWithoutExtension()
{
    QTemporaryDir folder;
    touch(folder.filePath(QStringLiteral("fattura")));
    touch(folder.filePath(QStringLiteral("foto.jpg")));

    const auto dialog = makeFileChooser(nullptr, QStringLiteral("Selezionare un file e premere Apri:"), {kAllFiles});
    dialog->setDirectory(folder.path());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Selezionare un file e premere Apri:"));
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);

    // What the user reads.
    auto* box = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(box);
    QCOMPARE(box->count(), 1);
    QCOMPARE(box->currentText(), kAllFiles);
    QCOMPARE(dialog->selectedNameFilter(), kAllFiles);

    // What the dialog lists.
    auto* model = dialog->findChild<QFileSystemModel*>();
    QVERIFY(model);
    const QStringList both{QStringLiteral("fattura"), QStringLiteral("foto.jpg")};
    QStringList matching = QDir(folder.path()).entryList(model->nameFilters(), QDir::Files);
    matching.sort();
    QCOMPARE(matching, both);
    QTRY_COMPARE(namesListed(model, folder.path()), both);
}

void TestFileChoosers::detailsInItalianAndInFull()
{
    QVERIFY(platform::loadItalianTranslations());
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Fatture")));
    const auto dialog = makeFileChooser(nullptr, QStringLiteral("Selezionare un file e premere Apri:"), {kAllFiles});
    dialog->setDirectory(folder.path());
    auto* model = dialog->findChild<QFileSystemModel*>();
    QVERIFY(model);
    // The kind of a folder, in the Type column.
    QTRY_COMPARE(namesListed(model, folder.path()), QStringList{"Fatture"});
    const QModelIndex entry = model->index(folder.filePath(QStringLiteral("Fatture")));
    QCOMPARE(model->index(entry.row(), 2, entry.parent()).data().toString(), QStringLiteral("Cartella"));
    // Every heading of the detailed view whole.
    QHeaderView* header = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))->header();
    QCOMPARE(header->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Dimensione"));
    for (int c = 0; c < header->count(); ++c) {
        const QString heading = header->model()->headerData(c, Qt::Horizontal).toString();
        QVERIFY2(header->sectionSize(c) >= header->fontMetrics().horizontalAdvance(heading) + 16, qPrintable(heading));
    }
}

void TestFileChoosers::fileChooserKeepsOtherPatterns()
{
    const QString bitmaps = QStringLiteral("Immagini bitmap (*.bmp)");
    const auto dialog = makeFileChooser(nullptr, QStringLiteral("Logo"), {bitmaps, kAllFiles});
    auto* model = dialog->findChild<QFileSystemModel*>();
    QVERIFY(model);
    QCOMPARE(dialog->selectedNameFilter(), bitmaps);
    QCOMPARE(model->nameFilters(), QStringList{QStringLiteral("*.bmp")});
    dialog->selectNameFilter(kAllFiles);
    QCOMPARE(dialog->selectedNameFilter(), kAllFiles);
    QCOMPARE(model->nameFilters(), QStringList{QStringLiteral("*")});
}

QTEST_MAIN(TestFileChoosers)
#include "tst_filechoosers.moc"
