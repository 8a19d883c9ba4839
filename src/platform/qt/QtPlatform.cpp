#include "platform/qt/QtPlatform.h"

#include "platform/qt/FileChoosers.h"
#include "platform/qt/QtPrintCanvas.h"
#include "platform/FileSystem.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QPointer>
#include <QMimeDatabase>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include <vector>

namespace platform {

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Message boxes belong to the active window, modal to the application.
int runBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const QString& text,
           QMessageBox::StandardButtons buttons)
{
    QWidget* parent = owner ? owner : QApplication::activeWindow();
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec();
}

// Without any installed printer a document can still be printed to a PDF file.
bool noPrinterInstalled()
{
    return QPrinterInfo::availablePrinterNames().isEmpty();
}

QString pdfChoice()
{
    return QStringLiteral("Stampa su file PDF");
}

void printToPdfFile(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    // The pages in printer pixels (list reports and their totals, card
    // printouts) are laid out for an office printer's 600 dpi; at the 1200 dpi
    // of a high-resolution PDF their fixed line steps would overlap.
    printer.setResolution(600);
}

} // namespace

bool isFileWritingPrinter(const QString& name)
{
    // Printers that make a file rather than paper ask where to save it for
    // every document: "Microsoft Print to PDF", "Microsoft XPS Document
    // Writer", OneNote, PDF printers of every make.
    for (const char* mark : {"PDF", "XPS", "OneNote"}) {
        if (name.contains(QLatin1String(mark), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

namespace {

// The file the standard print dialog proposes when there is no printer.
QString defaultPdfPath()
{
    return QDir::home().filePath(QStringLiteral("Ventoria.pdf"));
}

// Runs a chooser; the path chosen, empty when cancelled.
QString chosenPath(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

void QtPlatform::showMessage(const QString& text)
{
    runBox(nullptr, QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok);
}

void QtPlatform::showTaskMessage(const QString& caption, const QString& text, MessageIcon icon)
{
    runBox(nullptr, qtIcon(icon), caption, text, QMessageBox::Ok);
}

namespace {

// The characters typed while a field's refusal is up: a quick typist's
// "12.50" goes on with "50" before the box is read. They are kept from the
// box (which would drop them) and from any other window, and handed to the
// field once the box is closed, after the refused key, as if typed then:
// nothing typed is lost without a word, nor lands elsewhere.
class TypedMeanwhile : public QObject
{
public:
    explicit TypedMeanwhile(QWidget* field) : m_field(field) { qApp->installEventFilter(this); }
    ~TypedMeanwhile() override
    {
        qApp->removeEventFilter(this);
        for (const Key& k : m_keys) {
            if (!m_field)
                break;
            QCoreApplication::postEvent(m_field, new QKeyEvent(QEvent::KeyPress, k.key, k.modifiers, k.text));
            QCoreApplication::postEvent(m_field, new QKeyEvent(QEvent::KeyRelease, k.key, k.modifiers, k.text));
        }
    }
    TypedMeanwhile(const TypedMeanwhile&) = delete;
    TypedMeanwhile& operator=(const TypedMeanwhile&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || watched == m_field)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // Enter, Escape and the space bar answer the box; what types a
        // character is the field's.
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint() || key->key() == Qt::Key_Space)
            return false;
        m_keys.push_back({key->key(), key->modifiers(), text});
        return true;
    }

private:
    struct Key
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    QPointer<QWidget> m_field;
    std::vector<Key> m_keys;
};

} // namespace

void QtPlatform::showKeyFilterMessage(QWidget* owner, const QString& text)
{
    const TypedMeanwhile kept(owner);
    runBox(owner ? owner->window() : nullptr, QMessageBox::NoIcon, QStringLiteral("Operazione annullata"), text,
           QMessageBox::Ok);
}

bool QtPlatform::askYesNo(const QString& caption, const QString& text)
{
    return runBox(nullptr, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

Platform::Answer QtPlatform::askYesNoCancel(const QString& caption, const QString& text)
{
    switch (runBox(nullptr, QMessageBox::Question, caption, text,
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;   // Annulla, Esc or the close box
    }
}

bool QtPlatform::printDialog(QWidget* owner, int& copies)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (noPrinterInstalled())
        printToPdfFile(*printer, defaultPdfPath());
    QPrintDialog dialog(printer.get(), owner ? owner : QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    copies = printer->copyCount();
    // Every copy is a document of its own: the printer prints each once.
    printer->setCopyCount(1);
    m_printer = std::move(printer);
    return true;
}

std::unique_ptr<PrintCanvas> QtPlatform::beginPixelDocument(const QString& jobName, PageOrientation orientation)
{
    if (!m_printer)
        return nullptr;
    return QtPrintCanvas::begin(*m_printer, jobName, orientation, QtPrintCanvas::Units::Pixels);
}

std::unique_ptr<PrintCanvas> QtPlatform::beginMetricDocument(const QString& jobName, PageOrientation orientation)
{
    if (!m_printer)
        return nullptr;
    return QtPrintCanvas::begin(*m_printer, jobName, orientation, QtPrintCanvas::Units::TenthsOfMillimetre);
}

QStringList QtPlatform::printers()
{
    // The program's own PDF file is offered beside the installed printers:
    // Windows always has "Microsoft Print to PDF", which asks where to save
    // for every document it is sent.
    QStringList names = QPrinterInfo::availablePrinterNames();
    if (!names.contains(pdfChoice()))
        names << pdfChoice();
    return names;
}

bool QtPlatform::usePrinter(const QString& name)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printerIsPdfFile(name)) {
        printToPdfFile(*printer, defaultPdfPath());
    } else {
        if (QPrinterInfo::printerInfo(name).isNull())
            return false;
        printer->setPrinterName(name);
        if (!printer->isValid())
            return false;
    }
    printer->setColorMode(QPrinter::Color);
    printer->setCopyCount(1);
    m_printer = std::move(printer);
    return true;
}

bool QtPlatform::printerIsPdfFile(const QString& name)
{
    return name == pdfChoice() && QPrinterInfo::printerInfo(name).isNull();
}

bool QtPlatform::usePdfFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printToPdfFile(*printer, path);
    printer->setColorMode(QPrinter::Color);
    printer->setCopyCount(1);
    m_printer = std::move(printer);
    return true;
}

bool QtPlatform::printerWritesFile()
{
    return m_printer
           && (m_printer->outputFormat() == QPrinter::PdfFormat || isFileWritingPrinter(m_printer->printerName()));
}

QString QtPlatform::openFileDialog(QWidget* owner, const QString& title, const QStringList& filters)
{
    return chosenPath(*makeFileChooser(owner, title, filters));
}

QString QtPlatform::browseFolder(QWidget* owner, const QString& prompt)
{
    return chosenPath(*makeFolderChooser(owner, prompt));
}

QString QtPlatform::saveFileDialog(QWidget* owner, const QString& title, const QString& proposedPath,
                                   const QStringList& filters)
{
    return chosenPath(*makeSaveChooser(owner, title, proposedPath, filters));
}

QString QtPlatform::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool QtPlatform::openDocument(const QString& path)
{
    BusyCursor busy;
    return FileSystem::hasProgramFor(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtPlatform::openFolder(const QString& path)
{
    BusyCursor busy;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtPlatform::openUrl(const QString& url)
{
    BusyCursor busy;
    return QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
}

bool QtPlatform::openMailto(const QString& mailto)
{
    BusyCursor busy;
    return QDesktopServices::openUrl(QUrl(mailto, QUrl::StrictMode));
}

void QtPlatform::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

QDate QtPlatform::today()
{
    return QDate::currentDate();
}

QTime QtPlatform::now()
{
    return QTime::currentTime();
}

namespace {

// The texts Qt's own Italian file leaves in English: the kinds of entry the
// file dialogs list ("Folder" in the Type column). They moved to a context
// of their own in Qt 6 that the Italian file does not carry yet.
class MissingItalianTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/, int /*n*/) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return QString();
        static const QHash<QByteArray, QString> texts = {
            {"Folder", QStringLiteral("Cartella")},         {"File Folder", QStringLiteral("Cartella")},
            {"Drive", QStringLiteral("Unità")},             {"Shortcut", QStringLiteral("Collegamento")},
            {"Alias", QStringLiteral("Collegamento")},      {"Unknown", QStringLiteral("Sconosciuto")},
            {"File", QStringLiteral("File")},
        };
        return texts.value(QByteArray(source));
    }
};

} // namespace

bool loadItalianTranslations()
{
    QCoreApplication::installTranslator(new MissingItalianTexts(qApp));
    // Owned by the application; "qt_it" gathers the texts of every Qt module.
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void installQtPlatformIfNone()
{
    if (isInstalled())
        return;
    static QtPlatform qtPlatform;
    install(&qtPlatform);
}

} // namespace platform
