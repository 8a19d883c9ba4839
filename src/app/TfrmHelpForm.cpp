#include "app/TfrmHelpForm.h"

#include "platform/AppDir.h"
#include "platform/Platform.h"
#include "platform/qt/LinkLabels.h"
#include "platform/qt/PictureButton.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QColor kNavy(0, 0, 128);

} // namespace

TfrmHelpForm::TfrmHelpForm()
    : DialogScreen(QStringLiteral("frmHelpForm"), QStringLiteral(" Guida in linea"), QSize(560, 520))
{
    // A close box and nothing else on the frame.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kNavy);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);

    panTitle = makeControl<QLabel>(this, QStringLiteral("panTitle"), QStringLiteral("Titolo argomento guida"));
    panTitle->setGeometry(12, 12, 536, 34);
    panTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("Verdana"), 12);
    titleFont.setBold(true);
    panTitle->setFont(titleFont);
    panTitle->setFrameShape(QFrame::Panel);
    panTitle->setFrameShadow(QFrame::Sunken);

    memTopic = makeControl<QPlainTextEdit>(this, QStringLiteral("memTopic"));
    memTopic->setGeometry(12, 54, 536, 400);
    memTopic->setReadOnly(true);
    memTopic->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memTopic->setWordWrapMode(QTextOption::WordWrap);
    memTopic->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memTopic->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memTopic->setFont(QFont(QStringLiteral("Verdana"), 9));
    memTopic->setFrameShape(QFrame::NoFrame);
    QPalette memo = memTopic->palette();
    memo.setColor(QPalette::Base, kNavy);
    memo.setColor(QPalette::Text, Qt::white);
    memTopic->setPalette(memo);

    auto* imgPDF = new PictureButton(QStringLiteral("imgPDF"), QStringLiteral(":/pictures/btn_pdf.png"), QString(), this);
    imgPDF->move(12, 470);
    auto* lblPDF = new PictureButton(QStringLiteral("lblPDF"), QString(), QString(), this);
    lblPDF->setText(QStringLiteral("Visualizza guida in formato PDF"));
    lblPDF->setGeometry(50, 476, 260, 20);
    connect(imgPDF, &PictureButton::released, this, &TfrmHelpForm::lblPDFRelease);
    connect(lblPDF, &PictureButton::released, this, &TfrmHelpForm::lblPDFRelease);

    // The link turns red over itself or its picture, white again over the window or the text.
    m_link = new LinkLabels(Qt::white, Qt::red, this);
    m_link->add(lblPDF, {imgPDF});
    m_link->addRestArea(this);
    m_link->addRestArea(memTopic->viewport());

    auto* cmdOK = dialogButton(this, "cmdOK", QStringLiteral("OK"), QRect(458, 468, 90, 30));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmHelpForm::showTopic(const QString& title, const QString& text)
{
    panTitle->setText(title);
    memTopic->setPlainText(text);
    memTopic->moveCursor(QTextCursor::Start);
    exec();
}

void TfrmHelpForm::reject()
{
    accept();
}

void TfrmHelpForm::showEvent(QShowEvent* event)
{
    DialogScreen::showEvent(event);
    m_link->rest();
}

void TfrmHelpForm::lblPDFRelease()
{
    // A missing guide is not reported; a guide with no program to read it
    // is, with its path, so the user can open it another way.
    const QString guide = AppDir::filePath(QStringLiteral("Guida.pdf"));
    platform::BusyCursor busy;
    if (QFileInfo::exists(guide))
        platform::openDocumentOrTell(guide);
}
