#include "app/TfrmHelpForm.h"

#include "platform/AppDir.h"
#include "platform/Platform.h"
#include "platform/qt/PictureButton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TfrmHelpForm::TfrmHelpForm()
    : DialogScreen(QStringLiteral("frmHelpForm"), QStringLiteral(" Guida in linea"), QSize(560, 520))
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    setPalette(p);

    panTitle = new QLabel(QStringLiteral("Titolo argomento guida"), this);
    panTitle->setObjectName(QStringLiteral("panTitle"));
    panTitle->setGeometry(12, 12, 536, 34);
    panTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("Verdana"), 12);
    titleFont.setBold(true);
    panTitle->setFont(titleFont);
    panTitle->setStyleSheet(QStringLiteral("color: white; border: 1px solid #8090C0;"));

    memTopic = new QPlainTextEdit(this);
    memTopic->setObjectName(QStringLiteral("memTopic"));
    memTopic->setGeometry(12, 54, 536, 400);
    memTopic->setReadOnly(true);
    memTopic->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memTopic->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memTopic->setFont(QFont(QStringLiteral("Verdana"), 9));
    memTopic->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #000080; color: white; border: none; }"));

    auto* imgPDF = new PictureButton(QStringLiteral("imgPDF"), QStringLiteral(":/pictures/btn_pdf.png"), QString(), this);
    imgPDF->move(12, 470);
    auto* lblPDF = new PictureButton(QStringLiteral("lblPDF"), QString(), QString(), this);
    lblPDF->setText(QStringLiteral("Visualizza guida in formato PDF"));
    lblPDF->setGeometry(52, 476, 260, 20);
    lblPDF->setStyleSheet(QStringLiteral("QLabel { color: white; text-decoration: underline; }"
                                         "QLabel:hover { color: red; }"));
    connect(imgPDF, &PictureButton::released, this, &TfrmHelpForm::lblPDFRelease);
    connect(lblPDF, &PictureButton::released, this, &TfrmHelpForm::lblPDFRelease);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(458, 470, 90, 30);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmHelpForm::showTopic(const QString& title, const QString& text)
{
    panTitle->setText(title);
    memTopic->setPlainText(text);
    memTopic->moveCursor(QTextCursor::Start);
    exec();
}

void TfrmHelpForm::lblPDFRelease()
{
    // A missing guide or PDF reader is not reported.
    platform::current().openDocument(AppDir::filePath(QStringLiteral("Guida.pdf")));
}
