// Turns the help document (Markdown, UTF-8) into the PDF the "?" button opens.
// Usage: genere_aide_pdf aide.md Probelog_help.pdf
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage : genere_aide_pdf aide.md sortie.pdf\n";
        return 2;
    }
    QFile source(arguments[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "genere_aide_pdf : impossible d'ouvrir " << arguments[1] << "\n";
        return 1;
    }
    const QString texte = QString::fromUtf8(source.readAll());

    QPdfWriter pdf(arguments[2]);
    pdf.setTitle(QStringLiteral("Probelog — aide"));
    pdf.setCreator(QStringLiteral("Probelog"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
    pdf.setResolution(300);

    QTextDocument document;
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setPointSizeF(10);
    document.setDefaultFont(police);
    // Tables readable on paper: thin borders, a little air in the cells.
    document.setDefaultStyleSheet(
        QStringLiteral("table { border-collapse: collapse; } td, th { padding: 3px; }"));
    document.setMarkdown(texte);
    document.print(&pdf);
    return 0;
}
