// Builds the user guide Guida.pdf from its source: an HTML text with the
// pictures of the screens beside it.
//   make_guide <source.html> <output.pdf>
// Pictures are named in the source relative to the source's folder; the
// source's own style says where a page breaks. Every page but the cover
// carries the guide's title and its page number.
#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

namespace {

constexpr int kDpi = 300;

int mm(double millimetres)
{
    return int(millimetres * kDpi / 25.4 + 0.5);
}

QString readSource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// The text is laid out as on a screen of 96 dots per inch, where pictures
// keep the sizes the source gives them (640 is the whole text column), and
// drawn scaled onto the page.
constexpr double kLayoutDpi = 96.0;

} // namespace

int main(int argc, char* argv[])
{
    // Off screen: the guide is built on machines without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_guide <source.html> <output.pdf>\n");
        return 2;
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString html = readSource(sourcePath);
    if (html.isEmpty()) {
        std::fprintf(stderr, "make_guide: cannot read %s\n", argv[1]);
        return 1;
    }

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setResolution(kDpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QStringLiteral("Ventoria 2.0 - Guida per l'utente"));
    pdf.setCreator(QStringLiteral("Ventoria"));

    const QRect page(0, 0, pdf.width(), pdf.height());
    const QRect body(mm(20), mm(22), page.width() - mm(40), page.height() - mm(22) - mm(22));

    QTextDocument doc;
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(sourcePath).absolutePath() + QLatin1Char('/')));
    QFont base(QStringLiteral("DejaVu Sans"), 10);
    doc.setDefaultFont(base);
    doc.setDocumentMargin(0);
    doc.setHtml(html);
    const double scale = kDpi / kLayoutDpi;
    const QSizeF column(body.width() / scale, body.height() / scale);
    doc.setPageSize(column);

    QPainter p(&pdf);
    const int pages = doc.pageCount();
    QFont small(QStringLiteral("DejaVu Sans"), 8);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            pdf.newPage();
        if (i > 0) {
            p.setFont(small);
            p.setPen(QColor(0, 0, 128));
            const QRect head(body.left(), mm(10), body.width(), mm(6));
            p.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ventoria 2.0 - Guida per l'utente"));
            p.drawLine(body.left(), mm(17), body.right(), mm(17));
            const QRect foot(body.left(), page.height() - mm(15), body.width(), mm(6));
            p.drawText(foot, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(pages));
        }
        p.save();
        p.translate(body.left(), body.top());
        p.scale(scale, scale);
        p.translate(0, -i * column.height());
        const QRectF clip(0, i * column.height(), column.width(), column.height());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = clip;
        p.setClipRect(clip);
        doc.documentLayout()->draw(&p, ctx);
        p.restore();
    }
    p.end();
    std::printf("make_guide: %d pages\n", pages);
    return pages > 0 ? 0 : 1;
}
