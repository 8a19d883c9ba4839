// The file and folder choosers of the Qt platform, looked at as built,
// before they would run.

#include "platform/qt/FileChoosers.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kPrompt = QStringLiteral("Selezionare una cartella:");

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

} // namespace

class TestFileChoosers : public QObject
{
    Q_OBJECT
private slots:
    void folderChooserStartsAtTheDesktop_data();
    void folderChooserStartsAtTheDesktop();
    void folderChooserShowsThePrompt();
    void folderChooserMakesNoFolders();
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

QTEST_MAIN(TestFileChoosers)
#include "tst_filechoosers.moc"
