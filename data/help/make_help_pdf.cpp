// Typesets the look-up table's help document from its HTML source into the PDF that the
// program opens. Runs at build time on the offscreen platform: make_help_pdf SOURCE.html OUT.pdf
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

namespace {

// The film with crosslines, a few spots and the two markers of the table, drawn as the view
// draws them: "+" on the Major spot, "x" on the 2nd spot.
QImage MarkersFigure() {
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(QColor(200, 200, 200));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect film(20, 20, 600, 360);
    p.fillRect(film, Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(film);
    p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
    p.drawLine(film.center().x(), film.top(), film.center().x(), film.bottom());
    p.drawLine(film.left(), film.center().y(), film.right(), film.center().y());
    const QPoint spots[] = {{180, 120}, {450, 110}, {250, 280}, {520, 300}, {380, 180},
                            {130, 250}, {300, 70},  {560, 200}, {420, 330}};
    p.setPen(Qt::NoPen);
    for (const QPoint& s : spots) {
        p.setBrush(QColor(60, 60, 60));
        p.drawEllipse(s, 7, 7);
    }
    p.setPen(QPen(Qt::red, 3));
    const QPoint major = spots[0], second = spots[3];
    p.drawLine(major + QPoint(-16, 0), major + QPoint(16, 0));
    p.drawLine(major + QPoint(0, -16), major + QPoint(0, 16));
    p.drawLine(second + QPoint(-12, -12), second + QPoint(12, 12));
    p.drawLine(second + QPoint(-12, 12), second + QPoint(12, -12));
    QFont f = p.font();
    f.setPixelSize(18);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(major + QPoint(20, -12), QStringLiteral("Major spot (right click)"));
    p.drawText(second + QPoint(-200, -20), QStringLiteral("2nd spot (Ctrl + right click)"));
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_help_pdf SOURCE.html OUT.pdf\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_help_pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("figure:markers")),
                    MarkersFigure());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(10);
    doc.setDefaultFont(font);
    doc.setHtml(QString::fromUtf8(source.readAll()));

    const QString out = QString::fromLocal8Bit(argv[2]);
    {
        QPdfWriter writer(out);
        writer.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("Xelmor"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
        doc.print(&writer);
    }
    if (QFile(out).size() == 0) {
        std::fprintf(stderr, "make_help_pdf: nothing written to %s\n", argv[2]);
        return 1;
    }
    return 0;
}
