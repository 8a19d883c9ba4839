#include "screens/CardPrintScreen.h"

#include "platform/Platform.h"
#include "platform/PrintJobs.h"

// The emblem lives in the pictures resource of the user-interface library.
static void loadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

CardPrintScreen::CardPrintScreen(const QString& objectName, PrintLayout layout, QString jobName)
    : m_layout(std::move(layout)), m_jobName(std::move(jobName))
{
    loadPictures();
    setObjectName(objectName);
    // The layout surface of the printed card.
    resize(m_layout.surface);
}

void CardPrintScreen::print(QWidget* owner, const Values& values, const std::function<void(PrintLayout&)>& finish)
{
    PrintLayout filled = m_layout;
    fillBoxes(filled, values);
    if (finish)
        finish(filled);
    platform::Platform& p = platform::current();
    // Taken once, before the dialog: every copy carries the same moment.
    setElementText(filled, QStringLiteral("lblData"), cardFootnote(p.today(), p.now()));

    int copies = 0;
    if (!p.printDialog(owner, copies))
        return;
    TBDPrintPage page;
    page.LeftOffset = 16;
    page.TopOffset = 12;
    platform::PrintJob job;
    job.name = m_jobName;
    job.orientation = platform::PageOrientation::Portrait;
    job.compose = [&](platform::PrintCanvas& canvas) { page.render(canvas, filled); };
    if (!platform::printCopies(copies, job))
        p.showMessage(platform::printFailureMessage());
}
