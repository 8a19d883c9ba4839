#include "FakePlatform.h"

#include "RecordingCanvas.h"

namespace {

// The canvas handed to the program; the recording stays with the platform.
class CanvasHandle final : public platform::PrintCanvas
{
public:
    explicit CanvasHandle(std::shared_ptr<RecordingCanvas> c) : m_c(std::move(c)) {}
    ~CanvasHandle() override { m_c->end(); }
    int pageWidth() const override { return m_c->pageWidth(); }
    int pageHeight() const override { return m_c->pageHeight(); }
    int dpiX() const override { return m_c->dpiX(); }
    int dpiY() const override { return m_c->dpiY(); }
    void setFont(const platform::FontSpec& f) override { m_c->setFont(f); }
    platform::FontSpec font() const override { return m_c->font(); }
    void drawText(int x, int y, const QString& t, Qt::Alignment a) override { m_c->drawText(x, y, t, a); }
    int textWidth(const QString& t) const override { return m_c->textWidth(t); }
    int textHeight(const QString& t) const override { return m_c->textHeight(t); }
    void drawLine(int a, int b, int c, int d) override { m_c->drawLine(a, b, c, d); }
    void drawRect(const QRect& r, const QColor& f) override { m_c->drawRect(r, f); }
    void drawImage(const QRect& r, const QImage& i) override { m_c->drawImage(r, i); }
    void drawTextInRect(const QRect& r, const QString& t, int f) override { m_c->drawTextInRect(r, t, f); }
    void drawFrame(const QRect& r, int w, const QColor& f) override { m_c->drawFrame(r, w, f); }
    void newPage() override { m_c->newPage(); }
    bool end() override { return m_c->end(); }

private:
    std::shared_ptr<RecordingCanvas> m_c;
};

} // namespace

FakePlatform::FakePlatform() : m_previous(platform::install(this)) {}

FakePlatform::~FakePlatform()
{
    platform::install(m_previous);
}

QStringList FakePlatform::messageTexts() const
{
    QStringList out;
    for (const ShownMessage& m : messages)
        out.append(m.text);
    return out;
}

QString FakePlatform::lastMessage() const
{
    return messages.isEmpty() ? QString() : messages.last().text;
}

void FakePlatform::clear()
{
    messages.clear();
    questions.clear();
    choiceQuestions.clear();
    opened.clear();
    documents.clear();
    m_owned.clear();
    // What one test scripted and did not use must not answer for the next.
    answers.clear();
    choices.clear();
    printCopies.clear();
    fileAnswers.clear();
    folderAnswers.clear();
    printerNames.clear();
    printersUsed.clear();
    busyCalls = 0;
    printDialogs = 0;
}

void FakePlatform::record(const ShownMessage& m)
{
    messages.append(m);
    if (onMessage)
        onMessage(m);
}

void FakePlatform::showMessage(const QString& text)
{
    record({MessageKind::Plain, platform::applicationTitle(), text, platform::MessageIcon::None});
}

void FakePlatform::showTaskMessage(const QString& caption, const QString& text, platform::MessageIcon icon)
{
    record({MessageKind::Task, caption, text, icon});
}

void FakePlatform::showKeyFilterMessage(QWidget*, const QString& text)
{
    record({MessageKind::KeyFilter, QStringLiteral("Operazione annullata"), text, platform::MessageIcon::None});
}

bool FakePlatform::askYesNo(const QString& caption, const QString& text)
{
    questions.append(text);
    record({MessageKind::Question, caption, text, platform::MessageIcon::Question});
    return answers.isEmpty() ? false : answers.dequeue();
}

// Kept apart from the Yes/No questions: a card left with changes asks on
// every way out, and a test that does not look for it answers No.
platform::Platform::Answer FakePlatform::askYesNoCancel(const QString& caption, const QString& text)
{
    Q_UNUSED(caption);
    choiceQuestions.append(text);
    return choices.isEmpty() ? Answer::No : choices.dequeue();
}

bool FakePlatform::printDialog(QWidget*, int& copies)
{
    ++printDialogs;
    if (onPrintDialog)
        onPrintDialog();
    if (printCopies.isEmpty())
        return false;
    const int n = printCopies.dequeue();
    if (n < 0)
        return false;
    copies = n;
    return true;
}

std::unique_ptr<platform::PrintCanvas> FakePlatform::beginPixelDocument(const QString& jobName,
                                                                        platform::PageOrientation orientation)
{
    if (printerFails)
        return nullptr;
    const bool landscape = orientation == platform::PageOrientation::Landscape;
    auto canvas = std::make_shared<RecordingCanvas>(landscape ? pageWidthPx : pageHeightPx,
                                                    landscape ? pageHeightPx : pageWidthPx, printerDpi,
                                                    printerDpi, orientation, jobName);
    m_owned.append(canvas);
    documents.append(canvas.get());
    return std::make_unique<CanvasHandle>(canvas);
}

std::unique_ptr<platform::PrintCanvas> FakePlatform::beginMetricDocument(const QString& jobName,
                                                                         platform::PageOrientation orientation)
{
    if (printerFails)
        return nullptr;
    const bool landscape = orientation == platform::PageOrientation::Landscape;
    // A4 printable area in tenths of a millimetre.
    auto canvas = std::make_shared<RecordingCanvas>(landscape ? 2970 : 2100, landscape ? 2100 : 2970, 254, 254,
                                                    orientation, jobName);
    m_owned.append(canvas);
    documents.append(canvas.get());
    return std::make_unique<CanvasHandle>(canvas);
}

// Only an installed printer can be used.
bool FakePlatform::usePrinter(const QString& name)
{
    printersUsed.append(name);
    return printerNames.contains(name);
}

QString FakePlatform::openFileDialog(QWidget*, const QString&, const QStringList&)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString FakePlatform::browseFolder(QWidget*, const QString&)
{
    return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
}

bool FakePlatform::openDocument(const QString& path)
{
    opened.append(QStringLiteral("document:") + path);
    return shellSucceeds;
}

bool FakePlatform::openFolder(const QString& path)
{
    opened.append(QStringLiteral("folder:") + path);
    return shellSucceeds;
}

bool FakePlatform::openUrl(const QString& url)
{
    opened.append(QStringLiteral("url:") + url);
    return shellSucceeds;
}

bool FakePlatform::openMailto(const QString& mailto)
{
    opened.append(mailto);   // already "mailto:<address>"
    return shellSucceeds;
}

void FakePlatform::setBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
    if (busy)
        ++busyCalls;
}
